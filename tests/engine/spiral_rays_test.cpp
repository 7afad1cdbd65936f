// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/spiral_rays.h"
#include "engine/spiral_walk.h"

namespace quorvel {
namespace {

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
TEST(SpiralRays, CellsAndQuadraticsMatchTheWalk) {
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

TEST(SpiralRays, TheLastCellOfARingHasNoNorthEastQuadratic) {
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

TEST(SpiralRays, FarOutAnd64BitLimits) {
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

}  // namespace
}  // namespace quorvel
