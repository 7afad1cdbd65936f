#pragma once

#include <cstdint>

namespace quorvel {

// Which corner of its ring a cell is, if any.
enum class Corner : std::uint8_t { None, NE, NW, SW, SE };

// Radius of a circle mark: the cell's half width, one less above box size 15.
constexpr int RadiusForBox(int boxSize) {
    return boxSize <= 15 ? (boxSize - 1) / 2 : (boxSize - 1) / 2 - 1;
}

// Visits the cells at offsets i = 1 … count - 1 from the central cell, turning counter-
// clockwise: each ring Z >= 2 begins east of the last cell of ring Z - 1, climbs north to its
// NE corner, then runs west, south and east, ending at its SE corner right below its first
// cell. visit(i, x, y, ring, corner) gets the column offset x (east positive) and the row
// offset y (south positive) and returns false to stop the walk. Returns false when stopped.
template <typename Visit>
bool WalkSpiral(std::int64_t count, Visit&& visit) {
    constexpr int kDx[4] = {0, -1, 0, 1};
    constexpr int kDy[4] = {-1, 0, 1, 0};
    constexpr Corner kCorners[4] = {Corner::NE, Corner::NW, Corner::SW, Corner::SE};
    std::int64_t i = 1;
    for (int ring = 2; i < count; ++ring) {
        // Start on the SE corner of the ring; the first north step is the ring's first cell.
        int x = ring - 1;
        int y = ring - 1;
        const int side = 2 * ring - 2;
        for (int s = 0; s < 4; ++s) {
            for (int k = 1; k <= side; ++k, ++i) {
                if (i >= count) return true;
                x += kDx[s];
                y += kDy[s];
                if (!visit(i, x, y, ring, k == side ? kCorners[s] : Corner::None)) return false;
            }
        }
    }
    return true;
}

}  // namespace quorvel
