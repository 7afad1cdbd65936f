// SPDX-License-Identifier: GPL-3.0-or-later
#include "largeview/cell_numerals.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>

namespace quorvel {

namespace {

const QChar kEllipsis(0x2026);

// The widths of a digit and of the ellipsis and the line height, for a font 100 pixels high,
// measured once.
struct Measures {
    double digit = 0;
    double ellipsis = 0;
    double height = 0;
};

const Measures& FontMeasures() {
    static const Measures measures = [] {
        QFont font;
        font.setPixelSize(100);
        const QFontMetricsF metrics(font);
        return Measures{metrics.horizontalAdvance(QLatin1Char('0')),
                        metrics.horizontalAdvance(kEllipsis), metrics.height()};
    }();
    return measures;
}

int DigitsOf(std::uint64_t n) {
    int digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}

}  // namespace

int NumeralPixelSize(const QString& text, int side, int minPixels) {
    const Measures& m = FontMeasures();
    double width = 0;
    for (const QChar c : text)
        width += c == kEllipsis ? m.ellipsis : m.digit;
    if (width <= 0) return 0;
    // A sixth of the cell, at least three pixels, stays free across: the gap between the
    // numerals of neighbours.
    const double room = side - std::max(3, side / 6);
    const double size = std::min(room / width, room / m.height) * 100;
    const int pixels = std::min(static_cast<int>(size), side / 2);
    return pixels >= std::max(minPixels, 1) ? pixels : 0;
}

NumeralPlan PlanNumerals(std::uint64_t least, std::uint64_t most, int side, int minPixels) {
    const QString largest = QString::number(most);
    if (NumeralPixelSize(largest, side, minPixels) > 0) return {true, 0, {}};
    if (DigitsOf(least) != largest.size()) return {};
    // The digits in which the numbers of the view differ, and at least four, so that the
    // cells read as numbers and the count seldom changes as the view moves.
    const QString smallest = QString::number(least);
    qsizetype lead = 0;
    while (lead < largest.size() && smallest[lead] == largest[lead])
        ++lead;
    const qsizetype tail =
        std::max(largest.size() - lead, std::min<qsizetype>(4, largest.size() - 1));
    if (NumeralPixelSize(kEllipsis + largest.right(tail), side, minPixels) == 0) return {};
    return {true, static_cast<int>(tail), largest.left(largest.size() - tail)};
}

QString NumeralText(std::uint64_t n, const NumeralPlan& plan) {
    const QString digits = QString::number(n);
    if (plan.tailDigits == 0 || digits.size() <= plan.tailDigits) return digits;
    return kEllipsis + digits.right(plan.tailDigits);
}

}  // namespace quorvel
