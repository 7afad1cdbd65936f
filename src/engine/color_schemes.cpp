// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/color_schemes.h"

namespace quorvel {

int ClusterColor(const ColorRule& rule, const CellPlace& cell, ColorMemory& memory,
                 const RasterView& raster) {
    const int count = rule.ColorCount();
    const int found = rule.boxSize == 1 && cell.ring >= 2
                          ? FindClusterColorInWalk(raster, cell, count)
                          : FindClusterColor(raster, cell.pixelX, cell.pixelY, rule.boxSize, count);
    return ClusterColorFound(found, rule, cell, memory);
}

int ClusterColorFound(int found, const ColorRule& rule, const CellPlace& cell,
                      ColorMemory& memory) {
    const int count = rule.ColorCount();
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

int FindClusterColorInWalk(const RasterView& raster, const CellPlace& cell, int colorCount) {
    // The probes in FindClusterColor's order (NE, SW, SE, NW, then E, W, S, N), kept where a
    // drawn cell may lie: towards the centre and back along the side.
    struct Offset {
        int dx;
        int dy;
    };
    static constexpr Offset kAlongEast[4] = {{-1, 1}, {-1, -1}, {-2, 0}, {0, 2}};    // north
    static constexpr Offset kAlongNorth[4] = {{-1, 1}, {1, 1}, {2, 0}, {0, 2}};      // west
    static constexpr Offset kAlongWest[4] = {{1, -1}, {1, 1}, {2, 0}, {0, -2}};      // south
    static constexpr Offset kAlongSouth[4] = {{1, -1}, {-1, -1}, {-2, 0}, {0, -2}};  // east
    // The side of the ring the cell lies on; each corner belongs to the side that ends in it.
    const int r = cell.ring - 1;
    const Offset* probes = cell.x == r && cell.y < r ? kAlongEast
                           : cell.y == -r            ? kAlongNorth
                           : cell.x == -r            ? kAlongWest
                                                     : kAlongSouth;
    for (int i = 0; i < 4; ++i) {
        const int index = raster.ReadIndex(cell.pixelX + probes[i].dx, cell.pixelY + probes[i].dy);
        if (IsCycleColor(index, colorCount)) return index;
    }
    return -1;
}

int OstrandColor(std::int32_t n, bool isPrime) {
    return OstrandColor(n, isPrime, isPrime ? 1 : primelib::factor(n, n, nullptr, nullptr));
}

}  // namespace quorvel
