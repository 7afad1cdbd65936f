// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

namespace quorvel {

// Which corner of its ring a cell is, if any.
enum class Corner : std::uint8_t { None, NE, NW, SW, SE };

// Radius of a circle mark: the cell's half width, one less above box size 15.
constexpr int RadiusForBox(int boxSize) {
    return boxSize <= 15 ? (boxSize - 1) / 2 : (boxSize - 1) / 2 - 1;
}

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
};

// Walks the cells at offsets 1 … count - 1 from the central cell, turning counter-clockwise:
// each ring Z >= 2 begins east of the last cell of ring Z - 1, climbs north to its NE corner,
// then runs west, south and east, ending at its SE corner right below its first cell. The
// cells come in runs along the sides; no run passes a multiple of `checkpointEvery` (when
// positive) except with its last cell, so a caller can act every so many numbers.
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

// The offset from the central cell (0 for it) at which the walk above visits the cell x
// columns east and y rows south of it. Ring h cells out begins (2h - 1)² cells on, its sides
// 2h cells long: north up the east side, then west, south and east.
constexpr std::int64_t SpiralOffsetOf(std::int64_t x, std::int64_t y) {
    const std::int64_t h = std::max(x < 0 ? -x : x, y < 0 ? -y : y);
    if (h == 0) return 0;
    const std::int64_t first = (2 * h - 1) * (2 * h - 1);
    if (x == h && y < h) return first + (h - 1 - y);
    if (y == -h) return first + 3 * h - 1 - x;
    if (x == -h) return first + 5 * h - 1 + y;
    return first + 7 * h - 1 + x;
}

// The position in the spiral (1 for the central cell) of the cell in `row` and `column`,
// counted in cells from the picture's top left, when the central cell is at (centre, centre):
// the inverse of the walk.
constexpr std::int64_t CellToSpiralIndex(std::int64_t row, std::int64_t column,
                                         std::int64_t centre) {
    return SpiralOffsetOf(column - centre, row - centre) + 1;
}

}  // namespace quorvel
