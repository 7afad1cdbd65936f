// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "engine/color_schemes.h"
#include "engine/number_class.h"
#include "engine/spiral_layout.h"

namespace quorvel {

struct PassInput;

// Any picture of the spiral a view asks for: the window's, an export, a density map, the large
// view's frame. Every renderer reads its picture from one of these.
struct PictureRequest {
    std::uint64_t start = 1;  // the central number
    int width = 0;            // pixels
    int height = 0;
    int cellSize = 1;  // pixels a side of a cell (the window's box size)
    // The cell whose middle pixel is the picture's middle pixel (width / 2, height / 2): the
    // central cell (0, 0) for every picture but a view that pans.
    std::int64_t centreX = 0;
    std::int64_t centreY = 0;
    ShowMode show = ShowMode::Primes;
    ColorScheme scheme = ColorScheme::Cluster;
    bool squares = false;
    bool grid = false;
    bool numerals = false;
    bool runs = false;  // the longest diagonal runs are measured
    // 0 for a picture of cells; K = 2 … 999 for a density map whose pixels each stand for a
    // K × K block of cells.
    int density = 0;
    // A view of the unbounded plane, every cell with its number (the large view), rather than
    // a picture of the square of numbers the window's pictures hold.
    bool wholePlane = false;

    bool Centred() const { return centreX == 0 && centreY == 0; }
    CellGrid Grid() const { return {cellSize, width / 2, height / 2, centreX, centreY}; }
};

// The window's picture of `input` on a surface of this size (and an export's, which may be a
// density map).
PictureRequest RequestOf(const PassInput& input, int width, int height, int density = 0);

// The pass input that draws a request the pass serves, on a surface of its size: the start as
// its digits, and no banner, since such a picture is not on screen while it is drawn.
PassInput PassInputOf(const PictureRequest& request);

// The renderers. Each serves some requests; where several do, the first in Renderers() draws.
enum class RendererId {
    // A density map: a count of marked numbers per pixel.
    Density,
    // Whether each number is prime, coloured by its own cell: a bit a number.
    PrimeBits,
    // The drawing pass, on a surface: every class, scheme, shape and cell size, the runs, the
    // numerals, for pictures centred on the central cell within the numbers up to 2^31 - 2.
    Pass,
    // Cells of the plane anywhere up to 2^63 - 1, each coloured from nothing but itself.
    Cells,
    // Cells of the plane within reach of a walk from the centre: the pass at box size 1 over
    // the rings they lie in, for the kinds and schemes that depend on the cells walked before.
    WalkedCells,
    // Nothing serves the request.
    None,
};

struct Renderer {
    RendererId id;
    const char* name;
    bool (*serves)(const PictureRequest& request);
};

// Every renderer, in the order they are preferred.
std::span<const Renderer> Renderers();

// The renderer that draws `request`: the first that serves it.
RendererId ChooseRenderer(const PictureRequest& request);

// Whether a cell's colour under `scheme` follows from the cell alone (its place and number),
// so that a view can colour any cell without walking the spiral to it.
bool ColourFollowsFromCell(ColorScheme scheme);

// How far out a walk from the centre may go for a view: cells up to this radius, whose numbers
// all lie within 2^31 - 2, a picture of 64 MiB at one byte a cell.
inline constexpr std::int64_t kWalkRadius = 4096;

// The radius of the farthest cell a request shows.
std::int64_t FarthestRadius(const PictureRequest& request);

// Whether every cell a view shows is within reach of a walk from its centre.
bool WithinWalkReach(const PictureRequest& request);

}  // namespace quorvel
