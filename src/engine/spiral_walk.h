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

// The position in the spiral (1 for the central cell) of the cell in `row` and `column`,
// counted in cells from the picture's top left, when the central cell is at (centre, centre):
// the inverse of the walk. Finds the cell's ring, starts on the ring's south-east corner,
// which holds the odd square (2r + 1)², and counts back along the ring.
constexpr std::int64_t CellToSpiralIndex(std::int64_t row, std::int64_t column,
                                         std::int64_t centre) {
    const std::int64_t dr = row > centre ? row - centre : centre - row;
    const std::int64_t dc = column > centre ? column - centre : centre - column;
    const std::int64_t r = std::max(dr, dc);
    std::int64_t n = (2 * r + 1) * (2 * r + 1);
    std::int64_t x = centre + r;  // column of the walker
    std::int64_t y = centre + r;  // row of the walker
    for (std::int64_t j = 1; y != row || x != column; ++j) {
        --n;
        if (j <= 2 * r) {
            --x;  // west along the bottom side
        } else if (j <= 4 * r) {
            --y;  // north along the left side
        } else if (j <= 6 * r) {
            ++x;  // east along the top side
        } else {
            ++y;  // south along the right side
        }
    }
    return n;
}

}  // namespace quorvel
