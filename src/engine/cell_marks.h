// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/color_schemes.h"
#include "engine/number_selection.h"
#include "engine/spiral_layout.h"
#include "engine/surface.h"

namespace quorvel {

// How marks, numerals and grid marks look in one pass.
struct MarkStyle {
    int boxSize = 15;
    int radius = 7;
    bool squares = false;  // filled squares instead of circles
    ShowMode show = ShowMode::Primes;
    ColorScheme scheme = ColorScheme::Cluster;
    bool numerals = false;
    bool grid = false;
};

inline constexpr int kNumeralPoints = 8;

// Radius of a circle mark: the cell's half width, one less above box size 15.
constexpr int RadiusForBox(int boxSize) {
    return boxSize <= 15 ? (boxSize - 1) / 2 : (boxSize - 1) / 2 - 1;
}
// The colour of grid marks.
inline constexpr Rgb lngGridColor = kWhite;

// The marked cell of number n as a square or circle, with its numeral where it fits.
void DrawMarkedShape(Surface& surface, const RasterView& raster, const MarkStyle& style, int x,
                     int y, int c, std::int32_t n);

// Draws the marked cell of number n whose centre pixel is (x, y) in palette colour c: a pixel
// at box size 1, otherwise a square or circle, with the numeral where it fits. The centre
// pixel always ends up in colour c.
inline void DrawMarkedCell(Surface& surface, const RasterView& raster, const MarkStyle& style,
                           int x, int y, int c, std::int32_t n) {
    if (style.boxSize == 1) {
        raster.WriteIndex(x, y, c);
    } else {
        DrawMarkedShape(surface, raster, style, x, y, c, n);
    }
}

// The mark of box size 3 written straight into the raster, pixel for pixel as a surface whose
// SmallMarksMayBeStamped() draws it: a plus for a circle, the nine pixels for a square. Returns
// false, writing nothing, for any other box size and for the one mark of two colours (the
// white-outlined black Ostrand square), which the painter has to draw.
bool StampSmallMark(const RasterView& raster, const MarkStyle& style, int x, int y, int c);

// Prints `numeral` at (textX, textY) in the contrast colour of c, then gives the centre pixel
// (x, y) back its colour c.
void DrawNumeral(Surface& surface, const RasterView& raster, int x, int y, int c,
                 std::string_view numeral, int textX, int textY);

// White on dark colours, black on bright ones.
Rgb NumeralTextColor(Rgb rgb);

// The faint mark of an unmarked cell: short lines along the ring at its corners, a dot beside
// the centre elsewhere. Only from box size 15, with the grid on, and never for "All numbers".
void DrawGridMark(Surface& surface, const RasterView& raster, const MarkStyle& style, int x, int y,
                  Corner corner);

// The grid mark of an unmarked central cell at (centreX, centreY).
void MarkCentreOnGrid(const RasterView& raster, const MarkStyle& style, int centreX, int centreY);

}  // namespace quorvel
