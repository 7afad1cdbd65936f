// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/color_schemes.h"
#include "engine/primelib.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::MemorySurface;

TEST(Palette, IndicesAndColours) {
    EXPECT_EQ(PaletteIndexOf(0x000000), 0);
    EXPECT_EQ(PaletteIndexOf(0x0000FF), 9);
    EXPECT_EQ(PaletteIndexOf(0xFFFFFF), 15);
    EXPECT_EQ(PaletteIndexOf(0x0000FE), -1);
    EXPECT_EQ(PaletteIndexOf(kNoColor), -1);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(PaletteIndexOf(PaletteRgb(i)), i);
    EXPECT_EQ(PaletteRgb(-1), kBlack);
    EXPECT_EQ(PaletteRgb(16), kBlack);
}

TEST(ColorSchemes, ItemDataAndCycle) {
    const int expected[] = {6, 6, 6, 6, 5, 0, 0};
    for (int s = 0; s < kColorSchemeCount; ++s) {
        EXPECT_EQ(ColorCountOf(static_cast<ColorScheme>(s)), expected[s]);
    }
    EXPECT_EQ(ColorCountOf(static_cast<ColorScheme>(7)), 0);
    EXPECT_FALSE(IsCycleColor(8, 6));
    EXPECT_TRUE(IsCycleColor(9, 6));
    EXPECT_TRUE(IsCycleColor(14, 6));
    EXPECT_FALSE(IsCycleColor(14, 5));
    EXPECT_FALSE(IsCycleColor(-1, 6));
    EXPECT_FALSE(IsCycleColor(9, 0));
}

TEST(ColorSchemes, OstrandColours) {
    // Primes by n mod 12.
    struct Case {
        std::int32_t n;
        int color;
    };
    for (const Case c : {Case{13, 0},
                         {37, 0},
                         {5, 12},
                         {17, 12},
                         {29, 12},
                         {7, 10},
                         {19, 10},
                         {11, 9},
                         {23, 9},
                         {2, 12},
                         {3, 10},
                         {2147483629, 0}}) {
        EXPECT_EQ(OstrandColor(c.n, true), c.color) << c.n;
    }
    // Other numbers by their count of distinct prime factors.
    for (const Case c : {Case{1, 0},
                         {0, 0},
                         {4, 12},
                         {9, 12},
                         {6, 10},
                         {30, 14},
                         {210, 9},
                         {2310, 13},
                         {30030, 11},
                         {510510, 15},
                         {9699690, 0}}) {
        EXPECT_EQ(OstrandColor(c.n, false), c.color) << c.n;
    }
    EXPECT_EQ(OstrandColor(100, false, -1), 0);
    EXPECT_EQ(OstrandColor(100, false, 8), 0);
}

// The colours of a stretch of numbers at once, as a prime window makes them: number by number
// and 32 and 64 at a time, all equal to OstrandColor for every number, at the range's ends too.
TEST(ColorSchemes, OstrandColoursOfAStretch) {
    for (const std::int32_t first : {0, 1, 1000003, primelib::kMaxNumber - 300}) {
        const std::int64_t count = std::min<std::int64_t>(301, primelib::kMaxNumber - first + 1);
        PrimeWindow window;
        window.Prepare(first, static_cast<std::int32_t>(first + count - 1), true);
        const PrimeBlock block = window.BlockOf(first);
        std::vector<std::uint8_t> one(static_cast<std::size_t>(count));
        std::vector<std::uint8_t> wide(static_cast<std::size_t>(count), 99);
        OstrandColoursPortable(first, count, block.bits, block.factorCounts, one.data());
        for (std::int64_t i = 0; i < count; ++i) {
            const auto n = static_cast<std::int32_t>(first + i);
            ASSERT_EQ(one[static_cast<std::size_t>(i)],
                      OstrandColor(n, primelib::is_prime(n, n) == 1))
                << n;
        }
        if (OstrandColoursWide(first, count, block.bits, block.factorCounts, wide.data())) {
            EXPECT_EQ(wide, one) << first;
        }
        std::vector<std::uint8_t> halfWide(static_cast<std::size_t>(count), 99);
        if (OstrandColoursHalfWide(first, count, block.bits, block.factorCounts, halfWide.data())) {
            EXPECT_EQ(halfWide, one) << first;
        }
    }
}

// Colour of a marked cell on an empty picture.
int ColorOf(ColorScheme scheme, CellPlace cell, ColorMemory& memory,
            ShowMode show = ShowMode::Primes) {
    MemorySurface surface(101, 101);
    PrimeWindow primes;
    return ChooseCellColor(ColorRule{scheme, show, 15}, cell, memory, surface.Raster(), primes);
}

TEST(ColorSchemes, CycleFormulas) {
    ColorMemory memory;
    // Sequence from 1: light blue, light green, light cyan, light red, light magenta, blue again.
    for (std::int32_t n = 1; n <= 6; ++n) {
        EXPECT_EQ(ColorOf(ColorScheme::Sequence, CellPlace{n, n == 1}, memory),
                  (std::vector{9, 10, 11, 12, 13, 9})[std::size_t(n - 1)]);
    }
    EXPECT_EQ(ColorOf(ColorScheme::Sequence, CellPlace{2147483646}, memory), 9 + 2147483645 % 5);
    // Ring number: ring 1 and 7 light blue, ring 2 light green, ring 6 yellow.
    for (const auto& [ring, color] : {std::pair{1, 9}, {2, 10}, {6, 14}, {7, 9}, {13, 9}}) {
        CellPlace cell{100, ring == 1};
        cell.ring = ring;
        EXPECT_EQ(ColorOf(ColorScheme::RingNumber, cell, memory), color) << ring;
    }
    // Diagonals: constant along their own direction, next colour one diagonal over.
    for (int t = -8; t <= 8; ++t) {
        EXPECT_EQ(ColorOf(ColorScheme::DiagonalNWSE, CellPlace{7, false, false, t, t}, memory), 9);
        EXPECT_EQ(ColorOf(ColorScheme::DiagonalNWSE, CellPlace{7, false, false, t + 1, t}, memory),
                  10);
        EXPECT_EQ(ColorOf(ColorScheme::DiagonalNWSE, CellPlace{7, false, false, t, t + 1}, memory),
                  10);
        EXPECT_EQ(ColorOf(ColorScheme::DiagonalSWNE, CellPlace{7, false, false, t, -t}, memory), 9);
        EXPECT_EQ(ColorOf(ColorScheme::DiagonalSWNE, CellPlace{7, false, false, t, 6 - t}, memory),
                  9);
    }
    EXPECT_EQ(ColorOf(ColorScheme::DiagonalSWNE, CellPlace{7, false, false, 4, 3}, memory), 10);
    // Central cells: the prime colour in the first four schemes, the formula in the others.
    for (ColorScheme s : {ColorScheme::Cluster, ColorScheme::DiagonalNWSE,
                          ColorScheme::DiagonalSWNE, ColorScheme::RingNumber}) {
        EXPECT_EQ(ColorOf(s, CellPlace{44, true}, memory), intPrimeColor);
    }
    EXPECT_EQ(ColorOf(ColorScheme::Sequence, CellPlace{44, true}, memory), 12);
    EXPECT_EQ(ColorOf(ColorScheme::Ostrand, CellPlace{44, true}, memory), 10);
    EXPECT_EQ(ColorOf(ColorScheme::White, CellPlace{44, true}, memory), 15);
    EXPECT_EQ(ColorOf(static_cast<ColorScheme>(42), CellPlace{44}, memory), 15);
}

TEST(ColorSchemes, ClusterRulesWithoutNeighbours) {
    CellPlace cell{2};
    cell.ring = 2;
    // 2 takes the colour after the last cluster colour's base.
    ColorMemory memory{0, 0, 14};
    EXPECT_EQ(ColorOf(ColorScheme::Cluster, cell, memory), 9);
    EXPECT_EQ(memory.lastClusterColor, 9);
    EXPECT_EQ(ColorOf(ColorScheme::Cluster, cell, memory), 10);
    EXPECT_EQ(memory.lastClusterColor, 10);

    // A twin prime repeats its partner's colour (5 one further) and leaves the memory alone.
    memory = ColorMemory{11, 12, 13};
    cell = CellPlace{13, false, true};
    cell.ring = 4;
    EXPECT_EQ(ColorOf(ColorScheme::Cluster, cell, memory), 12);
    EXPECT_EQ(memory.lastClusterColor, 13);
    memory = ColorMemory{3, 10, 10};
    cell.number = 5;
    EXPECT_EQ(ColorOf(ColorScheme::Cluster, cell, memory), 11);
    // Only when primes are shown; otherwise a new cluster in the ring colour.
    cell.number = 13;
    memory = ColorMemory{11, 12, 13};
    EXPECT_EQ(ColorOf(ColorScheme::Cluster, cell, memory, ShowMode::All), 12);  // ring 4
    EXPECT_EQ(memory.lastClusterColor, 12);
    cell.ring = 3;
    memory = ColorMemory{5, 12, 13};
    EXPECT_EQ(ColorOf(ColorScheme::Cluster, cell, memory), 11);
    EXPECT_EQ(memory.lastClusterColor, 11);
}

TEST(FindClusterColor, ProbeOrder) {
    MemorySurface surface(60, 60);
    const RasterView r = surface.Raster();
    const int x = 30, y = 30;
    // Nothing drawn: the last probe (north, offsets -1, -1) read black.
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 0);
    r.Write(x - 1, y - 7, kWhite);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 15);
    // Direct neighbours are never probed.
    r.Write(x + 3, y, kPalette[11]);
    r.Write(x, y - 3, kPalette[11]);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 15);
    // Stage 2 finds a cell two steps west ...
    r.Write(x - 6 - 1, y + 1, kPalette[12]);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 12);
    // ... but stage 1 comes first, south-west before south-east, larger offsets first.
    r.Write(x + 3 - 1, y + 3 - 1, kPalette[13]);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 13);
    r.Write(x - 3 - 1, y + 3 - 1, kPalette[10]);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 10);
    r.Write(x - 3 - 1, y + 3 + 1, kPalette[9]);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 9);
    // Yellow is no cycle colour of a five-colour cycle.
    r.Write(x + 3 + 1, y - 3 + 1, kPalette[14]);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 5), 9);
    EXPECT_EQ(FindClusterColor(r, x, y, 3, 6), 14);
}

TEST(FindClusterColor, BoxSizeOneReadsTheEightNeighbourPixels) {
    MemorySurface surface(9, 9);
    const RasterView r = surface.Raster();
    r.Write(5, 5, kPalette[10]);  // SE neighbour of (4, 4)
    EXPECT_EQ(FindClusterColor(r, 4, 4, 1, 6), 10);
    EXPECT_EQ(FindClusterColor(r, 3, 3, 1, 6), 0);   // two steps diagonally: not probed
    EXPECT_EQ(FindClusterColor(r, 3, 5, 1, 6), 10);  // two steps east
    // At the corner of the picture the last probe (north) lies outside.
    EXPECT_EQ(FindClusterColor(r, 0, 0, 1, 6), -1);
}

// At box size 1 the walk reads only the four probes that can find a colour. Following a walk
// cell by cell, the four give what all eight give at every marked cell, and the pass's picture
// is the one that walk draws.
TEST(FindClusterColor, TheWalkNeedsOnlyFourProbes) {
    constexpr int kSide = 151;
    for (const char* start : {"1", "1000003", "2147460845"}) {
        for (const ShowMode show : {ShowMode::Primes, ShowMode::Random, ShowMode::All}) {
            SCOPED_TRACE(std::string(start) + " show " + std::to_string(int(show)));
            const std::int32_t first = StartNumberValue(start);
            PrimeWindow primes;
            primes.Prepare(first, first + kSide * kSide - 1, false);
            RandomSource random;
            random.Restart(-first);
            MemorySurface surface(kSide, kSide);
            const RasterView raster = surface.Raster();
            const ColorRule rule{ColorScheme::Cluster, show, 1};
            ColorMemory memory;
            const int c0 = kSide / 2;
            bool isPrime = false;
            if (IsNumberShown(first, show, primes, random, isPrime)) {
                raster.WriteIndex(c0, c0, intPrimeColor);
                memory.lastClusterColor = intPrimeColor;
            } else {
                memory.lastClusterColor = 6 + intPrimeColor - 1;
            }
            int compared = 0;
            WalkSpiral(kSide * kSide, [&](std::int64_t i, int x, int y, int ring, Corner) {
                const auto n = static_cast<std::int32_t>(first + i);
                if (!IsNumberShown(n, show, primes, random, isPrime)) return true;
                const CellPlace cell{n, false, isPrime, x, y, ring, c0 + x, c0 + y};
                const int all = FindClusterColor(raster, cell.pixelX, cell.pixelY, 1, 6);
                const int four = FindClusterColorInWalk(raster, cell, 6);
                EXPECT_EQ(IsCycleColor(all, 6) ? all : -1, four) << n;
                ++compared;
                const int c = ClusterColor(rule, cell, memory, raster);
                raster.WriteIndex(cell.pixelX, cell.pixelY, c);
                if (isPrime) {
                    memory.lastPrime = n;
                    memory.lastPrimeColor = c;
                }
                return !HasFailure();
            });
            EXPECT_GT(compared, 1000);

            PassInput in;
            in.startText = start;
            in.boxSize = 1;
            in.show = show;
            MemorySurface pass(kSide, kSide);
            SpiralEngine engine;
            engine.DrawSpiral(in, pass);
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x)
                    ASSERT_EQ(pass.ReadPixel(x, y), surface.ReadPixel(x, y)) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
