#include "engine/run_places.h"

namespace quorvel {

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
        int a = 0, c = 0;
        if (nwse) {
            a = d >= 0 ? -half + d : -half;
            c = d >= 0 ? -half : -half - d;
        } else {
            a = d <= 0 ? half + d : half;
            c = d <= 0 ? -half : -half + d;
        }
        int runA = 0, runC = 0, run = 0;
        for (;; a += step, ++c) {
            const long long x = cells.centreX + static_cast<long long>(b) * a;
            const long long y = cells.centreY + static_cast<long long>(b) * c;
            if (y >= raster.height || (nwse ? x >= raster.width : x < 0)) break;
            const bool marked = raster.Contains(static_cast<int>(x), static_cast<int>(y)) &&
                                raster.Read(static_cast<int>(x), static_cast<int>(y)) != background;
            if (!marked) {
                run = 0;
                continue;
            }
            if (run++ == 0) {
                runA = a;
                runC = c;
            }
            if (run > best.length) best = {runA, runC, run};
            if (knownLength > 0 && best.length >= knownLength) return best;
        }
    }
    return best;
}

}  // namespace quorvel
