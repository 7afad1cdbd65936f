#include "engine/color_schemes.h"

namespace quorvel {

int ClusterColor(const ColorRule& rule, const CellPlace& cell, ColorMemory& memory,
                 const RasterView& raster) {
    const int count = rule.ColorCount();
    const int found = FindClusterColor(raster, cell.pixelX, cell.pixelY, rule.boxSize, count);
    if (IsCycleColor(found, count)) return found;

    const std::int32_t n = cell.number;
    if (n == 2) {
        memory.lastClusterColor =
            memory.lastClusterColor == intPrimeColor ? intPrimeColor + 1 : intPrimeColor;
        return memory.lastClusterColor;
    }
    // Twin primes share a colour.
    if (n > 2 && n - 2 == memory.lastPrime && rule.show == ShowMode::Primes) {
        return memory.lastPrimeColor + (n == 5 ? 1 : 0);
    }
    memory.lastClusterColor = RingColor(cell.ring, count);
    return memory.lastClusterColor;
}

int FindClusterColor(const RasterView& raster, int x, int y, int boxSize, int colorCount) {
    const int b = boxSize;
    const int reach = b == 1 ? 0 : 1;
    int index = -1;
    auto probe = [&](int px, int py) {
        index = raster.ReadIndex(px, py);
        return IsCycleColor(index, colorCount);
    };
    // Stage 1: the diagonal neighbours NE, SW, SE, NW.
    for (int i = reach; i >= -reach; --i) {
        for (int j = reach; j >= -reach; --j) {
            if (probe(x + b + i, y - b + j) || probe(x - b + i, y + b + j) ||
                probe(x + b + i, y + b + j) || probe(x - b + i, y - b + j)) {
                return index;
            }
        }
    }
    // Stage 2: two cells away east, west, south, north.
    for (int i = reach; i >= -reach; --i) {
        for (int j = reach; j >= -reach; --j) {
            if (probe(x + 2 * b + i, y + j) || probe(x - 2 * b + i, y + j) ||
                probe(x + i, y + 2 * b + j) || probe(x + i, y - 2 * b + j)) {
                return index;
            }
        }
    }
    return index;
}

int OstrandColor(std::int32_t n, bool isPrime) {
    return OstrandColor(n, isPrime, isPrime ? 1 : primelib::factor(n, n, nullptr, nullptr));
}

}  // namespace quorvel
