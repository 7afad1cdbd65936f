#include "engine/color_schemes.h"

#include <cstdlib>

namespace quorvel {
namespace {

// The ring colour of scheme "Ring number", also the colour of a new cluster.
int RingColor(int ring, int colorCount) {
    return (ring + 5) % colorCount + intColorOffset;
}

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

}  // namespace

int FindClusterColor(const RasterView& raster, int x, int y, int boxSize, int colorCount) {
    const int b = boxSize;
    const int reach = b == 1 ? 0 : 1;
    int index = -1;
    auto probe = [&](int px, int py) {
        index = PaletteIndexOf(raster.Read(px, py));
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

int OstrandColor(std::int32_t n, bool isPrime, int distinctPrimeFactors) {
    if (isPrime) {
        switch (n % 12) {
            case 2:
            case 5:
                return 12;  // light red
            case 3:
            case 7:
                return 10;  // light green
            case 11:
                return 9;  // light blue
            default:
                return 0;  // 1 mod 12: black, outlined in white where the mark allows
        }
    }
    static constexpr int kByFactorCount[8] = {0, 12, 10, 14, 9, 13, 11, 15};
    return distinctPrimeFactors >= 0 && distinctPrimeFactors < 8
               ? kByFactorCount[distinctPrimeFactors]
               : 0;
}

int OstrandColor(std::int32_t n, bool isPrime) {
    return OstrandColor(n, isPrime, isPrime ? 1 : primelib::factor(n, n, nullptr, nullptr));
}

int ChooseCellColor(const ColorRule& rule, const CellPlace& cell, ColorMemory& memory,
                    const RasterView& raster, PrimeWindow& primes) {
    const int count = rule.ColorCount();
    switch (rule.scheme) {
        case ColorScheme::Cluster:
            return cell.isCentre ? intPrimeColor : ClusterColor(rule, cell, memory, raster);
        case ColorScheme::DiagonalNWSE:
            return (std::abs(cell.x - cell.y) + intPrimeColor + 3) % count + intColorOffset;
        case ColorScheme::DiagonalSWNE:
            return (std::abs(cell.x + cell.y) + intPrimeColor + 3) % count + intColorOffset;
        case ColorScheme::RingNumber:
            return RingColor(cell.ring, count);
        case ColorScheme::Sequence:
            return static_cast<int>((std::int64_t{cell.number} + 4) % count) + intColorOffset;
        case ColorScheme::Ostrand:
            return OstrandColor(cell.number, cell.isPrime,
                                cell.isPrime ? 1 : primes.DistinctPrimeFactors(cell.number));
        case ColorScheme::White:
            break;
    }
    return kBrightWhite;
}

}  // namespace quorvel
