// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/diagonal_runs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace quorvel {
namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int CeilDiv(int a, int b) {
    return -FloorDiv(-a, b);
}

// Every diagonal of the block starts on its top or far side and runs down until it leaves the
// picture. Instead of walking each diagonal, the picture is swept row by row, which reads the
// pixels in memory order, and each diagonal keeps its current run in an array. A diagonal is
// identified by a - c (NW-SE) or a + c (SW-NE), where a and c count cells east and south of
// the centre; both lie within ±(cellsPerSide - 1). A row's marks are read once into an array
// of all-ones (marked) and zeros; the run updates are then plain loops over consecutive
// elements, which vectorise. Narrow lanes do more at once: runs are counted in bytes first,
// and wrap past 255; a run that long shows as a best of 255, and the sweep is then done again
// in lanes wide enough for every run the picture can hold.
template <typename Run>
DiagonalRuns SweepRuns(const RasterView& raster, Rgb background, const CellLattice& cells,
                       bool nwse, bool swne) {
    const int k = cells.cellsPerSide;
    const int b = cells.boxSize;
    const int half = k / 2;
    const int span = k - 1;
    const int cx = cells.centreX;
    const int cy = cells.centreY;
    const int firstInside = CeilDiv(-cx, b);                    // westmost column with x >= 0
    const int lastInside = FloorDiv(raster.width - 1 - cx, b);  // eastmost column with x < width
    // Columns a = aFirst … aLast are ever looked at: NW-SE runs start at -half and stop at the
    // east edge, SW-NE runs start at +half and stop at the west edge.
    const int aFirst = std::min(-half, firstInside);
    const int aLast = std::max(half, lastInside);
    constexpr Run kMarked = static_cast<Run>(~Run{0});

    std::vector<Run> marked(static_cast<std::size_t>(aLast - aFirst + 1), 0);
    // A row of tiles' pixels, whole blocks of eight (tiles hold whole blocks past the width).
    std::vector<std::uint8_t> gathered(
        raster.tilesAcross > 0 && b == 1 ? static_cast<std::size_t>(raster.width) + 8 : 0);
    std::vector<Run> runNWSE(2 * std::size_t(k) - 1, 0);
    std::vector<Run> runSWNE(2 * std::size_t(k) - 1, 0);
    Run bestNWSE = 0;
    Run bestSWNE = 0;
    // A run one longer where marked, else none.
    const auto update = [](Run* __restrict run, const Run* __restrict mark, int count, Run& best) {
        Run top = best;
        for (int i = 0; i < count; ++i) {
            run[i] = static_cast<Run>((run[i] + 1) & mark[i]);
            top = std::max(top, run[i]);
        }
        best = top;
    };
    for (int c = -half;; ++c) {
        const std::int64_t y = cy + std::int64_t{b} * c;
        if (y >= raster.height) break;
        if (y < 0) continue;  // nothing above the picture is marked, and no run has begun yet
        const int aFrom = std::max(aFirst, firstInside);
        const int aTo = std::min(aLast, lastInside);
        Run* mark = marked.data() - aFirst;
        if (raster.indices != nullptr) {
            // An index surface: compare indices, with the background's own (-1 if it has none,
            // which then never matches).
            const int blank = PaletteIndexOf(background);
            const auto py = static_cast<int>(y);
            if (b == 1) {
                // A row of indices one after another, in tiles gathered eight at a time first: a
                // plain loop, which vectorises (compared as bytes, where the background has an
                // index at all).
                const std::uint8_t* row = raster.indices + raster.Offset(cx, py);
                if (raster.tilesAcross > 0) {
                    const std::ptrdiff_t rowPart = raster.RowPart(py);
                    for (int x = (cx + aFrom) & ~7; x <= cx + aTo; x += 8) {
                        std::memcpy(gathered.data() + x,
                                    raster.indices + rowPart + raster.ColumnPart(x), 8);
                    }
                    row = gathered.data() + cx;
                }
                if (blank < 0) {
                    std::fill(mark + aFrom, mark + aTo + 1, kMarked);
                } else {
                    const auto blankIndex = static_cast<std::uint8_t>(blank);
                    for (int a = aFrom; a <= aTo; ++a)
                        mark[a] = row[a] != blankIndex ? kMarked : 0;
                }
            } else {
                for (int a = aFrom; a <= aTo; ++a) {
                    mark[a] =
                        raster.indices[raster.IndexOffset(cx + b * a, py)] != blank ? kMarked : 0;
                }
            }
        } else {
            const std::uint32_t* row = raster.bits + y * raster.stride;
            if (b == 1) {
                for (int a = aFrom; a <= aTo; ++a)
                    mark[a] = (row[cx + a] & 0xFFFFFFu) != background ? kMarked : 0;
            } else {
                for (int a = aFrom; a <= aTo; ++a)
                    mark[a] = (row[cx + b * a] & 0xFFFFFFu) != background ? kMarked : 0;
            }
        }
        // Runs down and to the right start on the west column or the top row (a, c >= -half).
        if (const int from = std::max(-half, c - span), to = std::min(lastInside, c + span);
            nwse && from <= to) {
            update(runNWSE.data() + (from - c + span), marked.data() + (from - aFirst),
                   to - from + 1, bestNWSE);
        }
        // Runs down and to the left start on the east column or the top row (a <= half).
        if (const int from = std::max(firstInside, -span - c), to = std::min(half, span - c);
            swne && from <= to) {
            update(runSWNE.data() + (from + c + span), marked.data() + (from - aFirst),
                   to - from + 1, bestSWNE);
        }
        // Runs counted in bytes that may have wrapped: the rest of the sweep is for nothing.
        if (bestNWSE == kMarked || bestSWNE == kMarked) break;
    }
    return DiagonalRuns{bestNWSE, bestSWNE};
}

}  // namespace

DiagonalRuns LongestDiagonalRuns(const RasterView& raster, Rgb background, const CellLattice& cells,
                                 bool nwse, bool swne) {
    if (cells.cellsPerSide <= 0 || cells.boxSize <= 0 ||
        (raster.bits == nullptr && raster.indices == nullptr) || raster.width <= 0 ||
        raster.height <= 0) {
        return {};
    }
    // A run has at most one cell in each row of cells inside the picture.
    const int rows = (raster.height - 1) / cells.boxSize + 1;
    constexpr int kByteWraps = std::numeric_limits<std::uint8_t>::max();
    if (const DiagonalRuns runs = SweepRuns<std::uint8_t>(raster, background, cells, nwse, swne);
        rows < kByteWraps || (runs.nwse < kByteWraps && runs.swne < kByteWraps)) {
        return runs;
    }
    if (rows <= std::numeric_limits<std::int16_t>::max())
        return SweepRuns<std::int16_t>(raster, background, cells, nwse, swne);
    return SweepRuns<std::int32_t>(raster, background, cells, nwse, swne);
}

int LongestDiagonalRun(const RasterView& raster, Rgb background, const CellLattice& cells,
                       bool nwse) {
    const DiagonalRuns runs = LongestDiagonalRuns(raster, background, cells, nwse, !nwse);
    return nwse ? runs.nwse : runs.swne;
}

}  // namespace quorvel
