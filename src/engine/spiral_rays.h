// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Where a number sits in the spiral, and the diagonal rays through its cell, for spirals of any
// size up to 64-bit positions. Position 1 is the central cell, 2 is east of it, 3 above 2, and
// the walk turns counter-clockwise, as in the drawing pass (spiral_walk.h).
namespace quorvel {

// Cells up to this many rings out (radius max(|x|, |y|)) all have positions below 2^63.
inline constexpr std::int64_t kMaxCellRadius = 1518500249;

struct SpiralCell {
    std::int64_t x = 0;     // columns east of the centre
    std::int64_t y = 0;     // rows south of the centre
    std::int64_t ring = 1;  // the centre is ring 1, its eight neighbours ring 2, …
};

// The cell of a spiral position (>= 1).
SpiralCell CellOfPosition(std::int64_t position);

// The spiral position of cell (x, y); nothing when the cell lies more than kMaxCellRadius rings
// out.
std::optional<std::int64_t> PositionOfCell(std::int64_t x, std::int64_t y);

// f(i) = a i² + b i + c.
struct Quadratic {
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
};

enum class RayDirection : std::uint8_t { NE, NW, SW, SE };

// "NE", "NW", "SW" or "SE".
const char* RayDirectionName(RayDirection direction);

// A ray: the cells met by stepping diagonally from a cell so that every step lands one ring
// further out. The numbers along it are f(0), f(1), … with f(0) the cell's own number and a = 4.
struct RayQuadratic {
    RayDirection direction = RayDirection::NE;
    Quadratic f;
};

struct CellRays {
    std::int64_t position = 1;
    std::int64_t number = 0;  // start + position - 1
    SpiralCell cell;
    // Two or three rays, four at the centre, in the order NE, NW, SW, SE. From the last cell of
    // a ring the north-east steps first enter the next ring's first side, so no single
    // quadratic runs from the cell on and that ray is left out.
    int rayCount = 0;
    std::array<RayQuadratic, 4> rays{};
};

// The cell of `position` in the spiral whose central number is `start`, with its rays.
// Nothing when position < 1, start < 0 or the cell's number would pass 2^63 - 1.
std::optional<CellRays> RaysOfPosition(std::int64_t position, std::int64_t start);

}  // namespace quorvel
