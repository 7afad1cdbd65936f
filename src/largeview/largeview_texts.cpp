// SPDX-License-Identifier: GPL-3.0-or-later
#include "largeview/largeview_texts.h"

#include "engine/picture_request.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"
#include "text/translation.h"

namespace quorvel {
namespace {

// The digits 0-9 only, leading zeros dropped; nothing for anything else or for a number
// beyond `largest` (checked digit by digit, so that 25 digits cannot overflow).
std::variant<std::uint64_t, bool> ParseDigits(const QString& text, std::uint64_t largest) {
    if (text.isEmpty()) return false;
    std::uint64_t value = 0;
    bool tooLarge = false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return false;
        const auto digit = static_cast<std::uint64_t>(c.unicode() - u'0');
        if (!tooLarge && value > (largest - digit) / 10) tooLarge = true;
        if (!tooLarge) value = value * 10 + digit;
    }
    if (tooLarge) return true;
    return value;
}

EntryResult Check(const QString& raw, std::uint64_t low, bool goTo, int language) {
    const TextsIn texts(language);
    const QString text = raw.trimmed();
    // A start goes up to 10^18; a number to go to, as far as the view's cells go.
    const std::uint64_t high = goTo ? kLargestNumber : kLargeViewMaxNumber;
    const QString range = QStringLiteral("%1 … %2").arg(low).arg(high);
    if (text.isEmpty()) {
        if (goTo)
            return EntryError{texts.translate("LargeView", "Enter a number from %1.").arg(range)};
        return EntryError{texts.translate("LargeView", "Enter a start number from %1.").arg(range)};
    }
    const auto parsed = ParseDigits(text, high);
    const QString shown = text.size() > 30 ? text.left(29) + QStringLiteral("…") : text;
    if (std::holds_alternative<bool>(parsed) && !std::get<bool>(parsed)) {
        return EntryError{texts
                              .translate("LargeView",
                                         "“%1” is not a whole number. Use the digits 0–9 only, "
                                         "from %2.")
                              .arg(shown, range)};
    }
    if (std::holds_alternative<bool>(parsed) || std::get<std::uint64_t>(parsed) < low) {
        if (goTo)
            return EntryError{texts.translate("LargeView", "%1 is not in this spiral: it holds %2.")
                                  .arg(shown, range)};
        return EntryError{
            texts.translate("LargeView", "%1 is too large for a start number: use %2.")
                .arg(shown, range)};
    }
    return std::get<std::uint64_t>(parsed);
}

}  // namespace

LargeViewTexts LargeViewWords(int language) {
    const TextsIn texts(language);
    return {
        texts.translate("LargeView", "Quorvel – Large View"),
        texts.translate("LargeView", "&Large View"),
        texts.translate("LargeView", "&Start number:"),
        texts.translate("LargeView", "&Go to:"),
        texts.translate("LargeView",
                        "The number at the centre of the spiral, 0 … 10^18; Enter applies it"),
        texts.translate("LargeView",
                        "A number of the spiral, up to 2^63 − 1 = 9223372036854775807, the largest "
                        "a cell holds: Enter centres the view on its cell"),
        texts.translate("LargeView", "cell size %1"),
        texts.translate("LargeView", "beyond 2^63 − 1"),
        texts.translate("LargeView", "drawing …"),
        texts.translate("LargeView", "Sh&ow:"),
        texts.translate("LargeView", "&Color by:"),
        texts
            .translate("LargeView",
                       "Cluster colours grow from the centre outwards, each cell taking its "
                       "neighbours' colour: they can be shown only within %1 rings of the centre "
                       "and for numbers up to %2.")
            .arg(kWalkRadius)
            .arg(lngMaxNumber),
        texts
            .translate("LargeView",
                       "Random numbers are drawn one after another from the centre outwards: "
                       "they can be shown only within %1 rings of the centre and for numbers up "
                       "to %2.")
            .arg(kWalkRadius)
            .arg(lngMaxNumber),
        texts.translate("LargeView", "every number here begins %1…"),
        texts.translate("LargeView",
                        "A window of any size over the spiral of any start number up to 10^18"),
    };
}

std::vector<Caption> LargeViewToolTips(int language) {
    const TextsIn texts(language);
    const LargeViewTexts words = LargeViewWords(language);
    return {
        {"txbLargeStart", words.startTip},
        {"txbGoTo", words.goToTip},
        {"cboLargeShow", texts.translate("LargeView",
                                         "Which numbers are marked; what cannot be drawn here is "
                                         "greyed")},
        {"cboLargeColorBy", texts.translate("LargeView",
                                            "How the marked numbers are coloured; what cannot be "
                                            "drawn here is greyed")},
    };
}

EntryResult CheckStartEntry(const QString& text, int language) {
    return Check(text, 0, false, language);
}

EntryResult CheckGoToEntry(const QString& text, std::uint64_t start, int language) {
    return Check(text, start, true, language);
}

}  // namespace quorvel
