// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "engine/cell_marks.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"

namespace quorvel {
namespace {

struct Cell {
    int x, y, ring;
    Corner corner;
    bool operator==(const Cell&) const = default;
};

std::vector<Cell> Walk(std::int64_t count) {
    std::vector<Cell> cells{{0, 0, 1, Corner::None}};
    WalkSpiral(count, [&](std::int64_t i, int x, int y, int ring, Corner corner) {
        EXPECT_EQ(i, static_cast<std::int64_t>(cells.size()));
        cells.push_back({x, y, ring, corner});
        return true;
    });
    return cells;
}

// The walk as a sequence of single moves decided by the ring's corner offsets.
std::vector<Cell> WalkByCornerOffsets(std::int64_t count) {
    std::vector<Cell> cells{{0, 0, 1, Corner::None}};
    std::int64_t z = 1, ne = 0, nw = 0, sw = 0, se = 0;
    int x = 0, y = 0;
    for (std::int64_t i = 1; i < count; ++i) {
        if (i == (2 * z - 1) * (2 * z - 1)) {
            ++z;
            x = static_cast<int>(z - 1);
            y = static_cast<int>(z - 2);
            ne = 4 * z * z - 10 * z + 6;
            nw = 4 * z * z - 8 * z + 4;
            sw = 4 * z * z - 6 * z + 2;
            se = 4 * z * z - 4 * z;
        } else if (i <= ne) {
            --y;
        } else if (i <= nw) {
            --x;
        } else if (i <= sw) {
            ++y;
        } else {
            ++x;
        }
        const Corner corner = i == ne   ? Corner::NE
                              : i == nw ? Corner::NW
                              : i == sw ? Corner::SW
                              : i == se ? Corner::SE
                                        : Corner::None;
        cells.push_back({x, y, static_cast<int>(z), corner});
    }
    return cells;
}

TEST(SpiralLayout, FirstNumbersTurnCounterClockwise) {
    // From centre 1: 2 east, 3 north-east, 4 north, 5 north-west, 6 west, 7 south-west,
    // 8 south, 9 south-east, 10 east of 9.
    const std::vector<Cell> cells = Walk(11);
    const std::vector<std::pair<int, int>> expected = {{0, 0},  {1, 0},  {1, -1}, {0, -1}, {-1, -1},
                                                       {-1, 0}, {-1, 1}, {0, 1},  {1, 1},  {2, 1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::make_pair(cells[i].x, cells[i].y), expected[i]) << "number " << i + 1;
    }
    EXPECT_EQ(cells[9].ring, 3);
    EXPECT_EQ(cells[8].ring, 2);
}

TEST(SpiralLayout, CornersOfTheFirstRings) {
    const std::vector<Cell> cells = Walk(25);
    std::map<std::int64_t, Corner> corners;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].corner != Corner::None)
            corners[static_cast<std::int64_t>(i)] = cells[i].corner;
    }
    const std::map<std::int64_t, Corner> expected = {
        {2, Corner::NE},  {4, Corner::NW},  {6, Corner::SW},  {8, Corner::SE},
        {12, Corner::NE}, {16, Corner::NW}, {20, Corner::SW}, {24, Corner::SE}};
    EXPECT_EQ(corners, expected);
}

TEST(SpiralLayout, AgreesWithTheCornerOffsetRule) {
    EXPECT_EQ(Walk(101 * 101), WalkByCornerOffsets(101 * 101));
    EXPECT_EQ(Walk(38 * 38), WalkByCornerOffsets(38 * 38));
}

TEST(SpiralLayout, OddSidesFillASquareEvenSidesLeanNorthEast) {
    for (int k : {1, 2, 3, 4, 7, 10, 35, 176}) {
        SCOPED_TRACE(k);
        const std::vector<Cell> cells = Walk(std::int64_t{k} * k);
        ASSERT_EQ(cells.size(), std::size_t(k) * k);
        std::set<std::pair<int, int>> seen;
        int minX = 0, maxX = 0, minY = 0, maxY = 0;
        for (const Cell& c : cells) {
            seen.insert({c.x, c.y});
            minX = std::min(minX, c.x);
            maxX = std::max(maxX, c.x);
            minY = std::min(minY, c.y);
            maxY = std::max(maxY, c.y);
        }
        EXPECT_EQ(seen.size(), cells.size());  // every cell once
        // One more column east than west and one more row north than south when k is even.
        EXPECT_EQ(maxX, k / 2);
        EXPECT_EQ(minX, -((k - 1) / 2));
        EXPECT_EQ(minY, -(k / 2));
        EXPECT_EQ(maxY, (k - 1) / 2);
    }
    const std::vector<Cell> four = Walk(16);
    EXPECT_EQ(four.back().x, -1);
    EXPECT_EQ(four.back().y, -2);
}

TEST(SpiralLayout, RunsStopAtEveryCheckpoint) {
    // Runs cover every offset once, in order, and a multiple of 1000 only ever ends a run.
    const std::vector<Cell> cells = Walk(527 * 527);
    std::int64_t next = 1;
    WalkSpiralRuns(527 * 527, 1000, [&](const SpiralRun& run) {
        EXPECT_EQ(run.first, next);
        EXPECT_GE(run.length, 1);
        for (std::int64_t i = run.first; i < run.Last(); ++i)
            EXPECT_NE(i % 1000, 0) << i;
        for (int k = 0; k < run.length; ++k) {
            const Cell& c = cells[static_cast<std::size_t>(run.first + k)];
            EXPECT_EQ(c.x, run.x + k * run.dx);
            EXPECT_EQ(c.y, run.y + k * run.dy);
            EXPECT_EQ(c.ring, run.ring);
            EXPECT_EQ(c.corner, k == run.length - 1 ? run.lastCorner : Corner::None);
        }
        next = run.Last() + 1;
        return true;
    });
    EXPECT_EQ(next, 527 * 527);
}

TEST(SpiralLayout, StopsWhenAsked) {
    int visited = 0;
    const bool finished = WalkSpiral(100, [&](std::int64_t i, int, int, int, Corner) {
        ++visited;
        return i < 40;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(visited, 40);
    EXPECT_TRUE(WalkSpiral(1, [](std::int64_t, int, int, int, Corner) { return false; }));
    EXPECT_TRUE(WalkSpiral(0, [](std::int64_t, int, int, int, Corner) { return false; }));
}

TEST(SpiralLayout, CircleRadiusPerBoxSize) {
    const std::map<int, int> radius = {{1, 0},  {3, 1},  {5, 2},   {7, 3},
                                       {15, 7}, {21, 9}, {35, 16}, {75, 36}};
    for (const auto& [box, r] : radius)
        EXPECT_EQ(RadiusForBox(box), r) << box;
}

// A click names a cell by dividing its pixel by the box size; the inverse walk must give back
// the position the forward walk drew there, for every cell of every picture size, odd and
// even cells per side alike (527 / 5 = 105.4 gives 105, 527 / 75 = 7.03 gives 7, 527 / 21 =
// 25.1 gives 25; 100 / 3 = 33.3 gives 33, 100 / 7 = 14.3 gives 14).
TEST(SpiralLayout, CellToSpiralIndexInvertsTheWalk) {
    for (const int side : {527, 100}) {
        for (const int box : {1, 3, 5, 7, 15, 21, 35, 75}) {
            const PassGeometry g = ComputeGeometry(side, side, box);
            const int centre = g.centreX / box;
            EXPECT_EQ(CellToSpiralIndex(g.centreY / box, centre, centre), 1);
            WalkSpiral(g.numberOfNumbers, [&](std::int64_t i, int x, int y, int, Corner) {
                const int px = g.centreX + box * x;
                const int py = g.centreY + box * y;
                // An even side puts the last cells' centres just past the edge: no click there.
                if (px >= side || py < 0) return true;
                const int column = px / box;
                const int row = py / box;
                EXPECT_EQ(CellToSpiralIndex(row, column, centre), i + 1)
                    << "side " << side << " box " << box << " cell " << x << "," << y;
                return !::testing::Test::HasFailure();
            });
        }
    }
    // The corners the walk reaches last: ring r ends south-east with (2r + 1)².
    EXPECT_EQ(CellToSpiralIndex(10 + 3, 10 + 3, 10), 49);
    EXPECT_EQ(CellToSpiralIndex(10, 11, 10), 2);
    EXPECT_EQ(CellToSpiralIndex(9, 11, 10), 3);
}

// The positions the drawing pass's walk gives the cells of a square of 2 radius + 1 cells.
class WalkPositions {
  public:
    explicit WalkPositions(std::int64_t radius)
        : radius_(radius),
          side_(2 * radius + 1),
          positions_(static_cast<std::size_t>(side_ * side_), 1) {
        WalkSpiral(side_ * side_, [&](std::int64_t i, int x, int y, int, Corner) {
            positions_[Index(x, y)] = i + 1;
            return true;
        });
    }
    std::int64_t At(std::int64_t x, std::int64_t y) const { return positions_.at(Index(x, y)); }

  private:
    std::size_t Index(std::int64_t x, std::int64_t y) const {
        EXPECT_LE(std::max(std::abs(x), std::abs(y)), radius_);
        return static_cast<std::size_t>((y + radius_) * side_ + x + radius_);
    }
    std::int64_t radius_;
    std::int64_t side_;
    std::vector<std::int64_t> positions_;
};

// Every cell of a few pictures: its place and ring as the walk has them, and its rays. A
// direction has a ray when its first step lands one ring further out; from the last cell of a
// ring the north-east ray is left out.
TEST(SpiralLayout, CellsAndQuadraticsMatchTheWalk) {
    constexpr std::int64_t kDirections[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    const WalkPositions positions(100);
    const auto ringOf = [](std::int64_t x, std::int64_t y) {
        return std::max(std::abs(x), std::abs(y));
    };
    for (std::int64_t start : {1, 0, 41, 2147400000}) {
        SCOPED_TRACE(start);
        for (std::int64_t position = 1; position <= 39 * 39; ++position) {
            const std::optional<CellRays> rays = RaysOfPosition(position, start);
            ASSERT_TRUE(rays.has_value());
            const std::int64_t x = rays->cell.x, y = rays->cell.y, r = ringOf(x, y);
            EXPECT_EQ(positions.At(x, y), position);
            EXPECT_EQ(PositionOfCell(x, y), position);
            EXPECT_EQ(rays->cell.ring, r + 1);
            EXPECT_EQ(rays->number, start + position - 1);
            int k = 0;
            for (int d = 0; d < 4; ++d) {
                const bool outward = ringOf(x + kDirections[d][0], y + kDirections[d][1]) == r + 1;
                const bool ringEnd = r > 0 && x == r && y == r && d == 0;
                if (!outward || ringEnd) continue;
                ASSERT_LT(k, rays->rayCount) << position;
                const RayQuadratic& ray = rays->rays[static_cast<std::size_t>(k++)];
                EXPECT_EQ(static_cast<int>(ray.direction), d) << position;
                EXPECT_EQ(ray.f.a, 4);
                for (std::int64_t i = 0; i <= 80; ++i) {
                    const std::int64_t walked =
                        positions.At(x + i * kDirections[d][0], y + i * kDirections[d][1]);
                    EXPECT_EQ(4 * i * i + ray.f.b * i + ray.f.c, start + walked - 1)
                        << "position " << position << " ray " << RayDirectionName(ray.direction)
                        << " step " << i;
                }
            }
            EXPECT_EQ(k, rays->rayCount) << position;
            EXPECT_GE(rays->rayCount, 2);
            EXPECT_LE(rays->rayCount, r == 0 ? 4 : 3);
        }
    }
}

TEST(SpiralLayout, TheLastCellOfARingHasNoNorthEastQuadratic) {
    // From 9, the SE corner of the second ring, north-east runs 9, 11, 29, 55, …: its second
    // differences are 16, 8, …, so no quadratic with a = 4 fits from the cell on.
    const WalkPositions positions(5);
    std::int64_t values[4];
    for (int i = 0; i < 4; ++i)
        values[i] = positions.At(1 + i, 1 - i);
    EXPECT_NE(values[2] - 2 * values[1] + values[0], values[3] - 2 * values[2] + values[1]);
    const CellRays rays = *RaysOfPosition(9, 1);
    ASSERT_EQ(rays.rayCount, 2);
    EXPECT_EQ(rays.rays[0].direction, RayDirection::SW);
    EXPECT_EQ(rays.rays[1].direction, RayDirection::SE);
}

TEST(SpiralLayout, FarOutAnd64BitLimits) {
    // Cells far beyond any walk: the rays still step onto the positions PositionOfCell gives.
    for (std::int64_t position :
         {std::int64_t{999'999'999'999'999'999}, std::int64_t{4'000'000'000'000'000'001},
          (2 * kMaxCellRadius + 1) * (2 * kMaxCellRadius + 1) - 1}) {
        SCOPED_TRACE(position);
        const CellRays rays = *RaysOfPosition(position, 1);
        EXPECT_EQ(PositionOfCell(rays.cell.x, rays.cell.y), position);
        for (int k = 0; k < rays.rayCount; ++k) {
            const RayQuadratic& ray = rays.rays[static_cast<std::size_t>(k)];
            const std::int64_t dx =
                ray.direction == RayDirection::NE || ray.direction == RayDirection::SE ? 1 : -1;
            const std::int64_t dy =
                ray.direction == RayDirection::SW || ray.direction == RayDirection::SE ? 1 : -1;
            const auto next = PositionOfCell(rays.cell.x + dx, rays.cell.y + dy);
            if (!next) continue;  // one ring past the largest
            EXPECT_EQ(4 + ray.f.b + ray.f.c, *next);
        }
    }
    const std::int64_t largest = INT64_MAX;
    EXPECT_EQ(*PositionOfCell(kMaxCellRadius, kMaxCellRadius),
              (2 * kMaxCellRadius + 1) * (2 * kMaxCellRadius + 1));
    EXPECT_FALSE(PositionOfCell(kMaxCellRadius + 1, 0));
    EXPECT_FALSE(PositionOfCell(0, INT64_MIN));
    const SpiralCell last = CellOfPosition(largest);
    EXPECT_EQ(last.ring, kMaxCellRadius + 2);
    EXPECT_TRUE(RaysOfPosition(largest, 1).has_value());
    EXPECT_FALSE(RaysOfPosition(largest, 2).has_value());  // its number passes 2^63 - 1
    EXPECT_FALSE(RaysOfPosition(0, 1).has_value());
    EXPECT_FALSE(RaysOfPosition(5, -1).has_value());
}

// Every view asks the same questions of a cell; each answer must agree with the walk that lays
// the numbers out: its offset (in 64 and 128 bits), its ring, and the side of the ring it lies
// on, corners counted to the side that ends in them.
TEST(SpiralLayout, OffsetsRingsAndSidesAgreeWithTheWalk) {
    constexpr RingSide kSideOfRun[4] = {RingSide::East, RingSide::North, RingSide::West,
                                        RingSide::South};
    int runs = 0;
    WalkSpiralRuns(61 * 61, 0, [&](const SpiralRun& run) {
        const RingSide side = run.Side();
        EXPECT_EQ(side, kSideOfRun[runs++ % 4]);
        for (int k = 0; k < run.length; ++k) {
            const std::int64_t x = run.x + k * run.dx;
            const std::int64_t y = run.y + k * run.dy;
            const std::int64_t offset = run.first + k;
            EXPECT_EQ(SpiralOffsetOf(x, y), offset) << x << "," << y;
            EXPECT_TRUE(SpiralOffsetWide(x, y) == static_cast<UInt128>(offset)) << x << "," << y;
            EXPECT_EQ(RingOf(x, y), run.ring);
            EXPECT_EQ(SideOf(x, y), side) << x << "," << y;
        }
        return !::testing::Test::HasFailure();
    });
    EXPECT_EQ(SpiralOffsetOf(0, 0), 0);
    EXPECT_EQ(RingOf(0, 0), 1);
    // Far out the offset is exact in 128 bits, and too far out it is past every 64-bit number
    // instead of wrapping round to a small one.
    const std::int64_t r = std::int64_t{1} << 40;
    const UInt128 first = static_cast<UInt128>(2 * r - 1) * static_cast<UInt128>(2 * r - 1);
    EXPECT_TRUE(SpiralOffsetWide(r, r - 1) == first);
    EXPECT_TRUE(SpiralOffsetWide(-r, -r) == first + 4 * static_cast<UInt128>(r) - 1);
    for (const auto& [x, y] : std::vector<std::pair<std::int64_t, std::int64_t>>{
             {INT64_MIN, INT64_MIN}, {INT64_MIN, 0}, {0, INT64_MIN}, {INT64_MAX, INT64_MAX}}) {
        EXPECT_TRUE(SpiralOffsetWide(x, y) > UInt128{UINT64_MAX});
        EXPECT_EQ(NumberOfCell(0, x, y), std::nullopt);
        EXPECT_EQ(RingOf(x, y), INT64_MAX);
    }
}

// A pixel belongs to the cell whose square holds it, for odd cells (centred on their middle
// pixel) and even ones (one pixel more left of and above it), wherever the grid is anchored.
TEST(SpiralLayout, CellGridPixelsAndCells) {
    for (const int size : {1, 2, 3, 4, 7, 8, 15}) {
        for (const CellGrid grid : {CellGrid{size, 263, 263, 0, 0}, CellGrid{size, 640, 360, -5, 9},
                                    CellGrid{size, size / 2, size / 2, 0, 0}}) {
            for (std::int64_t x = -4; x <= 4; ++x) {
                const auto [left, top] = grid.CornerOf(grid.cellX + x, grid.cellY - x);
                for (int i = 0; i < size; ++i) {
                    EXPECT_EQ(grid.CellAt(left + i, top + i),
                              std::make_pair(grid.cellX + x, grid.cellY - x))
                        << "size " << size << " cell " << x << " pixel " << i;
                }
                EXPECT_EQ(grid.CellAt(left - 1, top - 1),
                          std::make_pair(grid.cellX + x - 1, grid.cellY - x - 1));
            }
            EXPECT_EQ(grid.CellAt(grid.middleX, grid.middleY),
                      std::make_pair(grid.cellX, grid.cellY));
        }
    }
}

// The least and largest number of a rectangle of cells, read off its edge, are those of every
// cell: with and without the centre, far out, and where numbers pass 2^63 - 1.
TEST(SpiralLayout, NumbersOfCellsAreThoseOfEveryCell) {
    struct Case {
        std::uint64_t start;
        std::int64_t x0, y0, x1, y1;
    };
    const std::int64_t far = 1'518'500'249;  // about where start 1 passes 2^63 - 1
    for (const Case& c : std::vector<Case>{{1, -3, -3, 3, 3},
                                           {1, 2, -1, 6, 9},
                                           {1, -9, 4, -2, 4},
                                           {41, 0, 0, 0, 0},
                                           {1'000'000'000'000'000'000, -20, 5, 13, 40},
                                           {1, far - 8, -12, far + 8, 3},
                                           {1, far + 10, far + 10, far + 12, far + 12}}) {
        std::optional<NumberSpan> expected;
        bool beyond = false;
        for (std::int64_t y = c.y0; y <= c.y1; ++y) {
            for (std::int64_t x = c.x0; x <= c.x1; ++x) {
                const std::optional<std::uint64_t> n = NumberOfCell(c.start, x, y);
                if (!n) {
                    beyond = true;
                    continue;
                }
                if (!expected) expected = NumberSpan{*n, *n};
                expected->least = std::min(expected->least, *n);
                expected->most = std::max(expected->most, *n);
            }
        }
        if (expected && beyond) expected->most = kLargestNumber;
        const std::optional<NumberSpan> span = NumbersOfCells(c.start, c.x0, c.y0, c.x1, c.y1);
        ASSERT_EQ(span.has_value(), expected.has_value()) << c.x0 << "," << c.y0;
        if (!span) continue;
        EXPECT_EQ(span->least, expected->least) << c.x0 << "," << c.y0;
        EXPECT_EQ(span->most, expected->most) << c.x0 << "," << c.y0;
    }
}

}  // namespace
}  // namespace quorvel
