// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

namespace quorvel {

// How the large view writes numbers in its cells: each on one line, with room to spare on
// both sides so that neighbours never run together. A number that does not fit whole is
// written as an ellipsis and its last digits — but only where every number of the view
// shares the digits left out, which the view then shows once beside the picture. Where even
// that does not fit, or the numbers of the view differ further up, no cell shows a number.
struct NumeralPlan {
    bool shown = false;
    int tailDigits = 0;  // 0: whole numbers; else the last digits written after "…"
    QString sharedLead;  // the digits the ellipsis stands for, when tailDigits > 0

    friend bool operator==(const NumeralPlan&, const NumeralPlan&) = default;
};

// The plan for a view whose numbers run from `least` to `most`, in cells of `side` pixels,
// where a numeral is written at least `minPixels` high.
NumeralPlan PlanNumerals(std::uint64_t least, std::uint64_t most, int side, int minPixels);

// What a cell holding `n` shows under `plan`.
QString NumeralText(std::uint64_t n, const NumeralPlan& plan);

// The font's pixel size for `text` in a cell of `side` pixels with its margins; below
// `minPixels`, 0: the text is not written.
int NumeralPixelSize(const QString& text, int side, int minPixels);

}  // namespace quorvel
