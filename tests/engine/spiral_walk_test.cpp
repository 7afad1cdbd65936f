// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "engine/spiral_pass.h"
#include "engine/spiral_walk.h"

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

TEST(SpiralWalk, FirstNumbersTurnCounterClockwise) {
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

TEST(SpiralWalk, CornersOfTheFirstRings) {
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

TEST(SpiralWalk, AgreesWithTheCornerOffsetRule) {
    EXPECT_EQ(Walk(101 * 101), WalkByCornerOffsets(101 * 101));
    EXPECT_EQ(Walk(38 * 38), WalkByCornerOffsets(38 * 38));
}

TEST(SpiralWalk, OddSidesFillASquareEvenSidesLeanNorthEast) {
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

TEST(SpiralWalk, RunsStopAtEveryCheckpoint) {
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

TEST(SpiralWalk, StopsWhenAsked) {
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

TEST(SpiralWalk, CircleRadiusPerBoxSize) {
    const std::map<int, int> radius = {{1, 0},  {3, 1},  {5, 2},   {7, 3},
                                       {15, 7}, {21, 9}, {35, 16}, {75, 36}};
    for (const auto& [box, r] : radius)
        EXPECT_EQ(RadiusForBox(box), r) << box;
}

// A click names a cell by dividing its pixel by the box size; the inverse walk must give back
// the position the forward walk drew there, for every cell of every picture size, odd and
// even cells per side alike (527 / 5 = 105.4 gives 105, 527 / 75 = 7.03 gives 7, 527 / 21 =
// 25.1 gives 25; 100 / 3 = 33.3 gives 33, 100 / 7 = 14.3 gives 14).
TEST(SpiralWalk, CellToSpiralIndexInvertsTheWalk) {
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

}  // namespace
}  // namespace quorvel
