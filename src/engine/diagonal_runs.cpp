#include "engine/diagonal_runs.h"

#include <algorithm>
#include <vector>

namespace quorvel {
namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int CeilDiv(int a, int b) {
    return -FloorDiv(-a, b);
}

}  // namespace

// Every diagonal of the block starts on its top or far side and runs down until it leaves the
// picture. Instead of walking each diagonal, the picture is swept row by row, which reads the
// pixels in memory order, and each diagonal keeps its current run in an array. A diagonal is
// identified by a - c (NW-SE) or a + c (SW-NE), where a and c count cells east and south of
// the centre; both lie within ±(cellsPerSide - 1).
DiagonalRuns LongestDiagonalRuns(const RasterView& raster, Rgb background, const CellLattice& cells,
                                 bool nwse, bool swne) {
    const int k = cells.cellsPerSide;
    const int b = cells.boxSize;
    if (k <= 0 || b <= 0 || raster.bits == nullptr || raster.width <= 0 || raster.height <= 0) {
        return {};
    }
    const int half = k / 2;
    const int span = k - 1;
    const int cx = cells.centreX;
    const int cy = cells.centreY;
    const int firstInside = CeilDiv(-cx, b);                    // westmost column with x >= 0
    const int lastInside = FloorDiv(raster.width - 1 - cx, b);  // eastmost column with x < width

    std::vector<int> runNWSE(nwse ? 2 * std::size_t(k) - 1 : 0, 0);
    std::vector<int> runSWNE(swne ? 2 * std::size_t(k) - 1 : 0, 0);
    DiagonalRuns best;
    for (int c = -half;; ++c) {
        const std::int64_t y = cy + std::int64_t{b} * c;
        if (y >= raster.height) break;
        if (y < 0) continue;  // nothing above the picture is marked, and no run has begun yet
        const std::uint32_t* row = raster.bits + y * raster.stride;
        const auto marked = [&](int a) {
            return static_cast<int>((row[cx + b * a] & 0xFFFFFFu) != background);
        };
        if (nwse) {
            // Runs down and to the right start on the west column or the top row (a, c >= -half).
            const int from = std::max(-half, c - span);
            const int to = std::min(lastInside, c + span);
            for (int a = from; a <= to; ++a) {
                int& run = runNWSE[static_cast<std::size_t>(a - c + span)];
                run = a >= firstInside && marked(a) ? run + 1 : 0;
                best.nwse = std::max(best.nwse, run);
            }
        }
        if (swne) {
            // Runs down and to the left start on the east column or the top row (a <= half).
            const int from = std::max(firstInside, -span - c);
            const int to = std::min(half, span - c);
            for (int a = from; a <= to; ++a) {
                int& run = runSWNE[static_cast<std::size_t>(a + c + span)];
                run = a <= lastInside && marked(a) ? run + 1 : 0;
                best.swne = std::max(best.swne, run);
            }
        }
    }
    return best;
}

int LongestDiagonalRun(const RasterView& raster, Rgb background, const CellLattice& cells,
                       bool nwse) {
    const DiagonalRuns runs = LongestDiagonalRuns(raster, background, cells, nwse, !nwse);
    return nwse ? runs.nwse : runs.swne;
}

}  // namespace quorvel
