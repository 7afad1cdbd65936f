// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

// The square spiral's geometry, the one place every view and the number theory ask: where each
// position lies, the ring and side of a cell, the walk over the cells in order, the cell under a
// pixel, and the diagonal rays through a cell.
//
// Cell (x, y) lies x columns east and y rows south of the central cell, which holds position 1
// (offset 0 along the walk). Its radius is max(|x|, |y|), its ring the radius plus one (the
// centre is ring 1). The cells of radius r >= 1 hold the offsets (2r - 1)² … (2r + 1)² - 1, 2r
// to a side: north up the east side from (r, r - 1) to the NE corner (r, -r), west along the
// north side to (-r, -r), south down the west side to (-r, r), and east along the south side to
// the SE corner (r, r), right below the ring's first cell.
namespace quorvel {

// Which corner of its ring a cell is, if any.
enum class Corner : std::uint8_t { None, NE, NW, SW, SE };

// The side of its ring a cell lies on, in the order the walk follows them. Each corner belongs
// to the side that ends in it: NE to the east side, NW to the north, SW to the west, SE to the
// south; the central cell counts as south.
enum class RingSide : std::uint8_t { East, North, West, South };

// a / b rounded towards minus infinity (b > 0).
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

constexpr std::int64_t RadiusOf(std::int64_t x, std::int64_t y) {
    return std::max(x < 0 ? -x : x, y < 0 ? -y : y);
}

// The ring of cell (x, y): 1 for the centre, its eight neighbours 2, and so on. Rings past
// 2^63 - 1 are not counted further (no position there fits 64 bits anyway).
constexpr std::int64_t RingOf(std::int64_t x, std::int64_t y) {
    const auto magnitude = [](std::int64_t v) {
        return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    const std::uint64_t radius = std::max(magnitude(x), magnitude(y));
    return radius >= static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX
                                                           : static_cast<std::int64_t>(radius + 1);
}

constexpr RingSide SideOf(std::int64_t x, std::int64_t y) {
    const std::int64_t r = RadiusOf(x, y);
    if (r > 0 && x == r && y < r) return RingSide::East;
    if (r > 0 && y == -r) return RingSide::North;
    if (r > 0 && x == -r) return RingSide::West;
    return RingSide::South;
}

// The offset along the walk of a cell of radius r >= 1 on each side of its ring, given the
// cell's row (east and west sides) or column (north and south sides). Written for any integer
// type, so that the views far out can work them in 128 bits.
template <typename I>
constexpr I FirstOffsetOfRadius(I r) {
    return (2 * r - 1) * (2 * r - 1);
}
template <typename I>
constexpr I EastSideOffset(I r, I y) {
    return FirstOffsetOfRadius(r) + r - 1 - y;
}
template <typename I>
constexpr I NorthSideOffset(I r, I x) {
    return FirstOffsetOfRadius(r) + 3 * r - 1 - x;
}
template <typename I>
constexpr I WestSideOffset(I r, I y) {
    return FirstOffsetOfRadius(r) + 5 * r - 1 + y;
}
template <typename I>
constexpr I SouthSideOffset(I r, I x) {
    return FirstOffsetOfRadius(r) + 7 * r - 1 + x;
}

// The offset of cell (x, y) of radius r on `side` of its ring, in any integer type.
template <typename I>
constexpr I OffsetOnSide(RingSide side, I r, I x, I y) {
    switch (side) {
        case RingSide::East:
            return EastSideOffset(r, y);
        case RingSide::North:
            return NorthSideOffset(r, x);
        case RingSide::West:
            return WestSideOffset(r, y);
        case RingSide::South:
            break;
    }
    return r == 0 ? 0 : SouthSideOffset(r, x);
}

// Cells up to this radius all have offsets below 2^63 - 1.
inline constexpr std::int64_t kMaxCellRadius = 1518500249;

// The offset along the walk (0 for the centre) of cell (x, y), radius at most kMaxCellRadius.
constexpr std::int64_t SpiralOffsetOf(std::int64_t x, std::int64_t y) {
    return OffsetOnSide(SideOf(x, y), RadiusOf(x, y), x, y);
}

__extension__ using UInt128 = unsigned __int128;
__extension__ using Int128 = __int128;

// The offset of any 64-bit cell, exact in 128 bits out to radius 2^62; further out, where no
// offset fits 64 bits by far, the largest 128-bit value.
UInt128 SpiralOffsetWide(std::int64_t x, std::int64_t y);

// The position in the spiral (1 for the central cell) of the cell in `row` and `column`,
// counted in cells from the picture's top left, when the central cell is at (centre, centre).
constexpr std::int64_t CellToSpiralIndex(std::int64_t row, std::int64_t column,
                                         std::int64_t centre) {
    return SpiralOffsetOf(column - centre, row - centre) + 1;
}

struct SpiralCell {
    std::int64_t x = 0;     // columns east of the centre
    std::int64_t y = 0;     // rows south of the centre
    std::int64_t ring = 1;  // the centre is ring 1, its eight neighbours ring 2, …
};

// The cell of a spiral position (>= 1).
SpiralCell CellOfPosition(std::int64_t position);

// The spiral position of cell (x, y); nothing when the cell lies more than kMaxCellRadius out.
std::optional<std::int64_t> PositionOfCell(std::int64_t x, std::int64_t y);

// The largest number a cell of the views that go anywhere may hold.
inline constexpr std::uint64_t kLargestNumber = 0x7FFF'FFFF'FFFF'FFFFu;  // 2^63 - 1

// The number of cell (x, y) in the spiral whose central number is `start`: start plus the
// cell's offset. Nothing when it would pass 2^63 - 1, however far out the cell lies.
std::optional<std::uint64_t> NumberOfCell(std::uint64_t start, std::int64_t x, std::int64_t y);

// The least and the largest number held by the cells x0 … x1 across and y0 … y1 down (x0 <= x1,
// y0 <= y1) in the spiral of `start`; nothing when every one of them would pass 2^63 - 1, and
// 2^63 - 1 as the largest when some would. Numbers grow with the ring, so both lie on the
// rectangle's edge, or at the centre when it holds the centre: a view's range costs its perimeter,
// not its area.
struct NumberSpan {
    std::uint64_t least = 0;
    std::uint64_t most = 0;
};
std::optional<NumberSpan> NumbersOfCells(std::uint64_t start, std::int64_t x0, std::int64_t y0,
                                         std::int64_t x1, std::int64_t y1);

// How cells lie on a picture's pixels: cell (cellX, cellY) has its middle pixel at (middleX,
// middleY), each cell is cellSize pixels square and reaches ⌊cellSize / 2⌋ pixels left of and
// above its middle pixel. The window's pictures put the central cell in the middle; a view
// that pans puts any cell there.
struct CellGrid {
    std::int64_t cellSize = 1;
    std::int64_t middleX = 0;
    std::int64_t middleY = 0;
    std::int64_t cellX = 0;
    std::int64_t cellY = 0;

    // The cell that holds pixel (px, py).
    std::pair<std::int64_t, std::int64_t> CellAt(std::int64_t px, std::int64_t py) const {
        return {cellX + FloorDiv(px - middleX + cellSize / 2, cellSize),
                cellY + FloorDiv(py - middleY + cellSize / 2, cellSize)};
    }
    // The top-left pixel of cell (x, y).
    std::pair<std::int64_t, std::int64_t> CornerOf(std::int64_t x, std::int64_t y) const {
        return {middleX + (x - cellX) * cellSize - cellSize / 2,
                middleY + (y - cellY) * cellSize - cellSize / 2};
    }
};

// The eight cells around a cell, as steps: the diagonal ones first (NE, NW, SW, SE, as rays
// are listed), then east, north, west and south.
struct CellStep {
    int dx = 0;
    int dy = 0;
};
inline constexpr std::array<CellStep, 8> kNeighbourSteps = {
    {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}, {1, 0}, {0, -1}, {-1, 0}, {0, 1}}};

// Consecutive cells of the walk along one side of a ring.
struct SpiralRun {
    std::int64_t first = 0;  // offset from the central number of the first cell
    int length = 0;
    int x = 0;  // first cell: columns east of the centre
    int y = 0;  // rows south of the centre
    int dx = 0;
    int dy = 0;
    int ring = 0;
    Corner lastCorner = Corner::None;  // what the last cell of the run is

    std::int64_t Last() const { return first + length - 1; }
    RingSide Side() const {
        return dy < 0   ? RingSide::East
               : dx < 0 ? RingSide::North
               : dy > 0 ? RingSide::West
                        : RingSide::South;
    }
};

// Walks the cells at offsets 1 … count - 1 from the central cell in the order above. The cells
// come in runs along the sides; no run passes a multiple of `checkpointEvery` (when positive)
// except with its last cell, so a caller can act every so many numbers.
// visit(const SpiralRun&) returns false to stop. Returns false when stopped.
template <typename Visit>
bool WalkSpiralRuns(std::int64_t count, std::int64_t checkpointEvery, Visit&& visit) {
    constexpr int kDx[4] = {0, -1, 0, 1};
    constexpr int kDy[4] = {-1, 0, 1, 0};
    constexpr Corner kCorners[4] = {Corner::NE, Corner::NW, Corner::SW, Corner::SE};
    std::int64_t i = 1;
    // The first checkpoint at or after i, kept as the walk goes instead of divided out for
    // every run.
    std::int64_t checkpoint = checkpointEvery > 0 ? checkpointEvery : count;
    for (int ring = 2; i < count; ++ring) {
        // Start on the SE corner of the ring; the first north step is the ring's first cell.
        int x = ring - 1;
        int y = ring - 1;
        const int side = 2 * ring - 2;
        for (int s = 0; s < 4; ++s) {
            for (int done = 0; done < side;) {
                if (i >= count) return true;
                std::int64_t length = std::min<std::int64_t>(side - done, count - i);
                if (checkpointEvery > 0) {
                    if (checkpoint < i) checkpoint += checkpointEvery;
                    length = std::min(length, checkpoint - i + 1);
                }
                const auto n = static_cast<int>(length);
                done += n;
                const SpiralRun run{
                    i,      n,      x + kDx[s], y + kDy[s],
                    kDx[s], kDy[s], ring,       done == side ? kCorners[s] : Corner::None};
                if (!visit(run)) return false;
                x += kDx[s] * n;
                y += kDy[s] * n;
                i += n;
            }
        }
    }
    return true;
}

// The same walk cell by cell: visit(i, x, y, ring, corner) returns false to stop.
template <typename Visit>
bool WalkSpiral(std::int64_t count, Visit&& visit) {
    return WalkSpiralRuns(count, 0, [&](const SpiralRun& run) {
        for (int k = 0; k < run.length; ++k) {
            const Corner corner = k == run.length - 1 ? run.lastCorner : Corner::None;
            if (!visit(run.first + k, run.x + k * run.dx, run.y + k * run.dy, run.ring, corner)) {
                return false;
            }
        }
        return true;
    });
}

// f(i) = a i² + b i + c.
struct Quadratic {
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
};

enum class RayDirection : std::uint8_t { NE, NW, SW, SE };

// "NE", "NW", "SW" or "SE".
const char* RayDirectionName(RayDirection direction);

// The step of a ray's direction: kNeighbourSteps lists the diagonal ones in this order.
constexpr CellStep StepOf(RayDirection direction) {
    return kNeighbourSteps[static_cast<std::size_t>(direction)];
}

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
