// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/color_key.h"

#include <QStringList>
#include <array>

#include "text/translation.h"

namespace quorvel {
namespace {

enum Scheme { kCluster, kDiagonalNWSE, kDiagonalSWNE, kRing, kSequence, kOstrand, kWhite };

// The colour cycle from light blue on, as the swatches show it.
QString CycleColorName(int swatch, const TextsIn& texts) {
    static constexpr std::array<const char*, 6> kNames = {
        QT_TRANSLATE_NOOP("ColorKey", "Light blue"),
        QT_TRANSLATE_NOOP("ColorKey", "Light green"),
        QT_TRANSLATE_NOOP("ColorKey", "Light cyan"),
        QT_TRANSLATE_NOOP("ColorKey", "Light red"),
        QT_TRANSLATE_NOOP("ColorKey", "Light magenta"),
        QT_TRANSLATE_NOOP("ColorKey", "Yellow")};
    return texts.translate("ColorKey", kNames[static_cast<std::size_t>(swatch)]);
}

// "a, a + step, a + 2·step, …"
QString Progression(int first, int step) {
    return QStringLiteral("%1, %2, %3, …").arg(first).arg(first + step).arg(first + 2 * step);
}

}  // namespace

QString ColorKeyCaption(int scheme, int language) {
    const TextsIn texts(language);
    switch (scheme) {
        case kDiagonalNWSE:
            return texts.translate("ColorKey", "NW-SE diagonals:");
        case kDiagonalSWNE:
            return texts.translate("ColorKey", "SW-NE diagonals:");
        case kRing:
            return texts.translate("ColorKey", "Rings:");
        case kSequence:
            return texts.translate("ColorKey", "Numbers:");
        default:
            return {};
    }
}

QString SwatchToolTip(int scheme, int swatch, int language) {
    const TextsIn texts(language);
    const int cycle = scheme == kSequence ? 5 : 6;
    if (ColorKeyCaption(scheme, language).isEmpty() || swatch < 0 || swatch >= cycle) return {};
    const QString color = CycleColorName(swatch, texts);
    switch (scheme) {
        case kDiagonalNWSE:
        case kDiagonalSWNE: {
            // A diagonal's colour is its distance from the one through the centre, modulo 6.
            const bool nwse = scheme == kDiagonalNWSE;
            const QString index = nwse ? QStringLiteral("|x − y|") : QStringLiteral("|x + y|");
            return texts
                .translate("ColorKey",
                           "%1: the %2 diagonals where %3 = %4\n"
                           "(x columns east, y rows south of the centre)")
                .arg(color,
                     nwse ? texts.translate("ColorKey", "NW-SE")
                          : texts.translate("ColorKey", "SW-NE"),
                     index, Progression(swatch, 6));
        }
        case kRing:
            return texts.translate("ColorKey", "%1: rings %2 (the centre is ring 1)")
                .arg(color, Progression(swatch + 1, 6));
        case kSequence:
            return texts
                .translate("ColorKey", "%1: the numbers %2 (remainder %3 when divided by 5)")
                .arg(color, Progression(swatch + 1, 5))
                .arg((swatch + 1) % 5);
        default:
            return {};
    }
}

QString SchemeToolTip(int scheme, int language) {
    const TextsIn texts(language);
    switch (scheme) {
        case kCluster:
            return texts.translate(
                "ColorKey",
                "Cluster: a marked number takes the colour of a marked diagonal\n"
                "neighbour, or of a marked cell two steps away in a straight line.\n"
                "Without either it starts a new cluster in the colour of its ring;\n"
                "a prime right after a prime (a twin, 2 apart) carries on its "
                "cluster.");
        case kDiagonalNWSE:
        case kDiagonalSWNE:
            return texts.translate("ColorKey",
                                   "Each diagonal has one colour, six colours in turn.\n"
                                   "The key under the picture tells which is which.");
        case kRing:
            return texts.translate("ColorKey",
                                   "Each ring around the centre has one colour, six colours\n"
                                   "in turn. The key under the picture tells which is which.");
        case kSequence:
            return texts.translate(
                "ColorKey",
                "The colour follows the number: five colours in turn, 1, 2, 3, …\n"
                "The key under the picture tells which is which.");
        case kOstrand:
            return texts.translate("ColorKey",
                                   "Ostrand color: primes by their remainder when divided by 12:\n"
                                   "  remainder 5 (and 2) light red, 7 (and 3) light green,\n"
                                   "  11 light blue, 1 black.\n"
                                   "Other numbers by how many different primes divide them:\n"
                                   "  1 light red, 2 light green, 3 yellow, 4 light blue, 5 light "
                                   "magenta,\n"
                                   "  6 light cyan, 7 white; none (0 and 1) black.\n"
                                   "Black cells get a white outline where they are large enough.");
        case kWhite:
            return texts.translate("ColorKey", "None (white): every marked number is white.");
        default:
            return {};
    }
}

}  // namespace quorvel
