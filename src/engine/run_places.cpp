// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_places.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {
namespace {

// How many t >= 0 keep `from + step·t` below `limit` (step > 0) or at or above 0 (step < 0).
std::int64_t StepsBefore(std::int64_t from, std::int64_t step, std::int64_t limit) {
    if (step > 0) return from >= limit ? 0 : (limit - from + step - 1) / step;
    return from < 0 ? 0 : from / -step + 1;
}

}  // namespace

// Each diagonal that crosses the block starts on its top row or its near side column (west for
// NW-SE, east for SW-NE) and is followed cell by cell until it leaves the picture.
RunPlace LongestRunPlace(const RasterView& raster, Rgb background, const CellLattice& cells,
                         bool nwse, int knownLength) {
    RunPlace best;
    const int k = cells.cellsPerSide;
    const int b = cells.boxSize;
    if (k <= 0 || b <= 0 || raster.width <= 0 || raster.height <= 0) return best;
    const int half = k / 2;
    const int span = k - 1;
    const int step = nwse ? 1 : -1;
    for (int d = -span; d <= span; ++d) {
        // NW-SE diagonals keep a - c = d, SW-NE ones a + c = d.
        int a0 = 0, c0 = 0;
        if (nwse) {
            a0 = d >= 0 ? -half + d : -half;
            c0 = d >= 0 ? -half : -half - d;
        } else {
            a0 = d <= 0 ? half + d : half;
            c0 = d <= 0 ? -half : -half + d;
        }
        const std::int64_t x0 = cells.centreX + std::int64_t{b} * a0;
        const std::int64_t y0 = cells.centreY + std::int64_t{b} * c0;
        // The cells up to where the diagonal leaves the picture at the bottom or the far side.
        const std::int64_t n = std::min(StepsBefore(y0, b, raster.height),
                                        StepsBefore(x0, std::int64_t{b} * step, raster.width));
        const auto marked = [&](std::int64_t t) {
            const std::int64_t x = x0 + std::int64_t{b} * step * t;
            const std::int64_t y = y0 + std::int64_t{b} * t;
            return raster.Contains(static_cast<int>(x), static_cast<int>(y)) &&
                   raster.Read(static_cast<int>(x), static_cast<int>(y)) != background;
        };
        const auto place = [&](std::int64_t first, std::int64_t length) {
            return RunPlace{a0 + step * static_cast<int>(first), c0 + static_cast<int>(first),
                            static_cast<int>(length)};
        };
        if (knownLength > 0) {
            // Every run of the known length covers a cell whose index leaves knownLength - 1
            // over when divided by it: only those need looking at, and the runs through them.
            const std::int64_t every = knownLength;
            std::int64_t scanned = 0;  // cells before this are known
            for (std::int64_t t = every - 1; t < n;) {
                if (!marked(t)) {
                    t += every;
                    continue;
                }
                std::int64_t first = t;
                while (first > scanned && marked(first - 1))
                    --first;
                std::int64_t last = t;
                while (last + 1 < n && marked(last + 1))
                    ++last;
                if (last - first + 1 >= every) return place(first, last - first + 1);
                scanned = last + 1;
                t = last + 1 + (every - 1 - (last + 1) % every);
            }
            continue;
        }
        std::int64_t first = 0, run = 0;
        for (std::int64_t t = 0; t < n; ++t) {
            if (!marked(t)) {
                run = 0;
                continue;
            }
            if (run++ == 0) first = t;
            if (run > best.length) best = place(first, run);
        }
    }
    return best;
}

}  // namespace quorvel
