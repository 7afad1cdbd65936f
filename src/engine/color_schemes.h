// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>

#include "engine/number_selection.h"
#include "engine/prime_window.h"
#include "engine/spiral_layout.h"
#include "engine/surface.h"

namespace quorvel {

// The colour schemes; the values are the positions in the "Color by" list.
enum class ColorScheme : int {
    Cluster = 0,
    DiagonalNWSE = 1,
    DiagonalSWNE = 2,
    RingNumber = 3,
    Sequence = 4,
    Ostrand = 5,
    White = 6,
};
inline constexpr int kColorSchemeCount = 7;

// The item data of each list entry: the length of the scheme's colour cycle (0: no cycle).
inline constexpr std::array<int, kColorSchemeCount> kColorSchemeItemData = {6, 6, 6, 6, 5, 0, 0};

inline int ColorCountOf(ColorScheme scheme) {
    const auto i = static_cast<int>(scheme);
    return i >= 0 && i < kColorSchemeCount ? kColorSchemeItemData[i] : 0;
}

// Colour of the central cell in the cycling schemes, and the base of the cluster memory.
inline constexpr int intPrimeColor = 9;
// First palette index of the colour cycle (light blue … yellow).
inline constexpr int intColorOffset = 9;

inline bool IsCycleColor(int index, int colorCount) {
    return index >= intColorOffset && index < intColorOffset + colorCount;
}

// Colour memory of one drawing pass.
struct ColorMemory {
    std::int32_t lastPrime = 0;  // the last marked prime after the central cell
    int lastPrimeColor = 0;      // the colour that cell got
    int lastClusterColor = 0;    // the last colour given to a new cluster
};

// What the colour rules know about the cell being drawn.
struct CellPlace {
    std::int32_t number = 0;
    bool isCentre = false;
    bool isPrime = false;
    int x = 0;  // cells east of the centre
    int y = 0;  // cells south of the centre
    int ring = 1;
    int pixelX = 0;  // centre pixel on the surface
    int pixelY = 0;
};

// The settings of the pass that the colour rules read.
struct ColorRule {
    ColorScheme scheme = ColorScheme::Cluster;
    ShowMode show = ShowMode::Primes;
    int boxSize = 15;

    int ColorCount() const { return ColorCountOf(scheme); }
};

// The first cycle colour among the already drawn cells around (x, y): the four diagonal
// neighbours first, then the four cells two steps away in a straight line, each probed over a
// 3 x 3 block of pixels (one pixel at box size 1). Without a hit: the index of the last pixel
// probed, which is never a cycle colour (-1 outside the picture).
int FindClusterColor(const RasterView& raster, int x, int y, int boxSize, int colorCount);

// FindClusterColor at box size 1 for a cell of the walk (not the centre), reading only the four
// probes that can find a colour: the other four look at cells further out or further along
// the cell's side of its ring, which the walk has not reached yet and which can only read as
// background. The answer is the same; on a big picture, every probe saved is a memory access
// in a row far from the others. -1 without a hit.
int FindClusterColorInWalk(const RasterView& raster, const CellPlace& cell, int colorCount);

// Those four probes by the side of its ring a cell lies on (RingSide's order), in
// FindClusterColor's order (NE, SW, SE, NW, then E, W, S, N), kept where a drawn cell may lie:
// towards the centre and back along the side the walk follows.
inline constexpr int kClusterProbesInWalk[4][4][2] = {
    {{-1, 1}, {-1, -1}, {-2, 0}, {0, 2}},   // east side, going north
    {{-1, 1}, {1, 1}, {2, 0}, {0, 2}},      // north side, going west
    {{1, -1}, {1, 1}, {2, 0}, {0, -2}},     // west side, going south
    {{1, -1}, {-1, -1}, {-2, 0}, {0, -2}},  // south side, going east
};

// The colour of a marked cell other than the central one under "Cluster": a cycle colour of a
// drawn neighbour, else 2's own rule, a twin prime's colour, or a new cluster in the ring
// colour. May update memory.lastClusterColor.
int ClusterColor(const ColorRule& rule, const CellPlace& cell, ColorMemory& memory,
                 const RasterView& raster);

// The same, once the neighbours were looked at: `found` is what FindClusterColor answered (any
// index that is not a cycle colour when no neighbour gave one).
int ClusterColorFound(int found, const ColorRule& rule, const CellPlace& cell, ColorMemory& memory);

// The ring colour of scheme "Ring number", also the colour of a new cluster.
inline int RingColor(int ring, int colorCount) {
    return (ring + 5) % colorCount + intColorOffset;
}

// Ostrand colour from the remainder mod 12 of a prime, or from the number of distinct prime
// factors of any other number. Index 0 (black) is drawn with a white outline where it fits.
inline constexpr int kOstrandByRemainder[12] = {0, 0, 12, 10, 0, 12, 0, 10, 0, 0, 0, 9};
inline constexpr int kOstrandByFactorCount[8] = {0, 12, 10, 14, 9, 13, 11, 15};

constexpr int OstrandColor(std::int64_t n, bool isPrime, int distinctPrimeFactors) {
    if (isPrime) return kOstrandByRemainder[n % 12];
    return distinctPrimeFactors >= 0 && distinctPrimeFactors < 8
               ? kOstrandByFactorCount[distinctPrimeFactors]
               : 0;
}

// The same, factoring n itself.
int OstrandColor(std::int32_t n, bool isPrime);

// Ostrand colours of `count` numbers from `first` on, from their prime bits (bit 0 is `first`)
// and their factor counts, into out[]: a NumberColours for the prime window. Thirty-two or
// sixty-four at a time where the processor can.
void OstrandColours(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                    const std::uint8_t* factorCounts, std::uint8_t* out);
// The same one number at a time, on any processor.
void OstrandColoursPortable(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                            const std::uint8_t* factorCounts, std::uint8_t* out);
// The 512-bit version, when this processor has it: false (and nothing written) otherwise.
bool OstrandColoursWide(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                        const std::uint8_t* factorCounts, std::uint8_t* out);
// The 256-bit version, likewise.
bool OstrandColoursHalfWide(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                            const std::uint8_t* factorCounts, std::uint8_t* out);

// The palette index of a marked cell in the schemes that read nothing but the cell itself:
// every one but Cluster, and Ostrand for a prime only (`count` colours in the scheme's cycle).
// Cell (x, y) of ring `ring` holds `number`; the coordinates are ints in the window's pictures
// and 64-bit in the views that go anywhere.
template <typename Coord>
constexpr int OwnColourOf(ColorScheme scheme, int count, Coord x, Coord y, Coord ring,
                          std::int64_t number) {
    // (v + shift) mod count, reduced first so that a number near 2^63 cannot overflow.
    const auto cycle = [count](auto v, int shift) {
        return static_cast<int>((v % count + shift) % count) + intColorOffset;
    };
    switch (scheme) {
        case ColorScheme::DiagonalNWSE:
            return cycle(x > y ? x - y : y - x, intPrimeColor + 3);
        case ColorScheme::DiagonalSWNE:
            return cycle(x + y < 0 ? -(x + y) : x + y, intPrimeColor + 3);
        case ColorScheme::RingNumber:
            return cycle(ring, 5);
        case ColorScheme::Sequence:
            return cycle(number, 4);
        case ColorScheme::Ostrand:
            return OstrandColor(number, true, 1);
        case ColorScheme::Cluster:
        case ColorScheme::White:
            break;
    }
    return kBrightWhite;
}

inline int OwnCellColor(ColorScheme scheme, int count, const CellPlace& cell) {
    return OwnColourOf<int>(scheme, count, cell.x, cell.y, cell.ring, cell.number);
}

// The palette index of a marked cell. Cluster and Ostrand read the picture and the prime
// window; Cluster may update memory.lastClusterColor. Inline: the pass calls it for every
// marked cell, up to several hundred thousand times a picture.
inline int ChooseCellColor(const ColorRule& rule, const CellPlace& cell, ColorMemory& memory,
                           const RasterView& raster, PrimeWindow& primes) {
    switch (rule.scheme) {
        case ColorScheme::Cluster:
            return cell.isCentre ? intPrimeColor : ClusterColor(rule, cell, memory, raster);
        case ColorScheme::Ostrand:
            return OstrandColor(cell.number, cell.isPrime,
                                cell.isPrime ? 1 : primes.DistinctPrimeFactors(cell.number));
        default:
            return OwnCellColor(rule.scheme, rule.ColorCount(), cell);
    }
}

}  // namespace quorvel
