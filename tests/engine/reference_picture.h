// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/cell_marks.h"
#include "engine/number_theory.h"
#include "engine/picture_request.h"
#include "engine/spiral_pass.h"

// The spiral drawn the plain way, a cell at a time, straight from the rules: which numbers are
// marked, the colour of each mark and the statistics, with nothing remembered between cells
// but what the rules themselves remember. The marks, grid marks and numerals are drawn by the
// same cell-drawing calls the program uses, so that any surface can be compared with a fast
// renderer's picture on a surface of the same kind, pixel for pixel. Slow, and meant to be.
namespace quorvel::testing {

struct ReferenceResult {
    PassOutcome outcome = PassOutcome::Drawn;
    std::int64_t numberShown = 0;
    std::int64_t smallestPrime = 0;
    std::int64_t largestPrime = 0;
    bool centreIsPrime = false;
};

// Whether n gets a mark; random numbers draw one value for each odd n >= 3.
inline bool ReferenceMarks(ShowMode show, std::int64_t n, bool isPrime, RandomSource& random) {
    switch (show) {
        case ShowMode::Primes:
            return isPrime;
        case ShowMode::Random:
            if (n <= 2 || n % 2 == 0) return false;
            return static_cast<float>(1.0 - 2.0 / (std::log(static_cast<double>(n)) + 0.5)) <
                   random.Next();
        case ShowMode::Squares: {
            const std::uint64_t r = IntegerSqrt(static_cast<std::uint64_t>(n));
            return r * r == static_cast<std::uint64_t>(n);
        }
        case ShowMode::Triangular: {
            // n = k(k + 1) / 2 has k = ⌊√(2n)⌋.
            const std::uint64_t k = IntegerSqrt(2 * static_cast<std::uint64_t>(n));
            __extension__ using U128 = unsigned __int128;
            return U128{k} * (k + 1) / 2 == static_cast<U128>(n);
        }
        case ShowMode::All:
            return true;
    }
    return false;
}

inline int ReferenceDistinctPrimes(std::int64_t n) {
    return n < 2 ? 0 : Factorize(static_cast<std::uint64_t>(n)).count;
}

// The colour of a cell from nothing but the cell: every scheme but Cluster.
inline int ReferenceOwnColour(ColorScheme scheme, std::int64_t n, bool isPrime, std::int64_t x,
                              std::int64_t y) {
    const int count = ColorCountOf(scheme);
    switch (scheme) {
        case ColorScheme::DiagonalNWSE:
            return static_cast<int>((std::abs(x - y) + 12) % count) + 9;
        case ColorScheme::DiagonalSWNE:
            return static_cast<int>((std::abs(x + y) + 12) % count) + 9;
        case ColorScheme::RingNumber:
            return static_cast<int>((RadiusOf(x, y) + 1 + 5) % count) + 9;
        case ColorScheme::Sequence:
            // n + 4 would pass 2^63 - 1 for the last numbers a cell holds.
            return static_cast<int>((n % count + 4) % count) + 9;
        case ColorScheme::Ostrand: {
            constexpr int kByRemainder[12] = {0, 0, 12, 10, 0, 12, 0, 10, 0, 0, 0, 9};
            constexpr int kByCount[8] = {0, 12, 10, 14, 9, 13, 11, 15};
            if (isPrime) return kByRemainder[n % 12];
            const int k = ReferenceDistinctPrimes(n);
            return k < 8 ? kByCount[k] : 0;
        }
        default:
            return 15;
    }
}

// The first cycle colour among the drawn cells around pixel (x, y): the four diagonal
// neighbours, then the four cells two away in a line, each over 3 x 3 pixels (one at box size
// 1); else the index of the last pixel read.
inline int ReferenceNeighbourColour(Surface& surface, int x, int y, int b, int count) {
    const int reach = b == 1 ? 0 : 1;
    int index = -1;
    const auto hit = [&](int px, int py) {
        index = PaletteIndexOf(surface.ReadPixel(px, py));
        return index >= 9 && index < 9 + count;
    };
    for (int stage = 0; stage < 2; ++stage) {
        for (int i = reach; i >= -reach; --i) {
            for (int j = reach; j >= -reach; --j) {
                const bool found = stage == 0
                                       ? hit(x + b + i, y - b + j) || hit(x - b + i, y + b + j) ||
                                             hit(x + b + i, y + b + j) || hit(x - b + i, y - b + j)
                                       : hit(x + 2 * b + i, y + j) || hit(x - 2 * b + i, y + j) ||
                                             hit(x + i, y + 2 * b + j) || hit(x + i, y - 2 * b + j);
                if (found) return index;
            }
        }
    }
    return index;
}

// Draws the window's picture of `r` (the central cell in the middle) on `surface`, whose size
// is the request's.
inline ReferenceResult DrawReference(const PictureRequest& r, Surface& surface) {
    ReferenceResult result;
    const int b = r.cellSize;
    const auto perSide = static_cast<std::int64_t>(std::nearbyint(double(r.height) / b));
    const std::int64_t count =
        std::max<std::int64_t>(perSide, 1) * std::max<std::int64_t>(perSide, 1);
    const auto start = static_cast<std::int64_t>(r.start);
    if (start + count - 1 > 2147483646) {
        result.outcome = PassOutcome::EndNumberTooLarge;
        return result;
    }
    if (r.show == ShowMode::Triangular && start + count - 1 > 2147483646 / 8) {
        result.outcome = PassOutcome::TriangularStartTooLarge;
        return result;
    }
    surface.Clear(kBlack);
    RandomSource random;
    random.Restart(static_cast<std::int32_t>(-start));
    const MarkStyle style{b, RadiusForBox(b), r.squares, r.show, r.scheme, r.numerals, r.grid};
    const int colours = ColorCountOf(r.scheme);
    std::int64_t lastPrime = 0;
    int lastPrimeColour = 0;
    int lastCluster = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t n = start + i;
        const SpiralCell cell = CellOfPosition(i + 1);
        const std::int64_t rad = cell.ring - 1;
        const int px = r.width / 2 + b * static_cast<int>(cell.x);
        const int py = r.height / 2 + b * static_cast<int>(cell.y);
        const bool isPrime = IsPrime64(static_cast<std::uint64_t>(n));
        if (i == 0) result.centreIsPrime = isPrime;
        if (!ReferenceMarks(r.show, n, isPrime, random)) {
            if (i == 0) {
                if (b >= 7) MarkCentreOnGrid(surface.Raster(), style, px, py);
                lastCluster = colours + 9 - 1;
                continue;
            }
            const Corner corner = cell.x == rad && cell.y == -rad    ? Corner::NE
                                  : cell.x == -rad && cell.y == -rad ? Corner::NW
                                  : cell.x == -rad && cell.y == rad  ? Corner::SW
                                  : cell.x == rad && cell.y == rad   ? Corner::SE
                                                                     : Corner::None;
            DrawGridMark(surface, surface.Raster(), style, px, py, corner);
            continue;
        }
        int c = 0;
        if (r.scheme != ColorScheme::Cluster) {
            c = ReferenceOwnColour(r.scheme, n, isPrime, cell.x, cell.y);
        } else if (i == 0) {
            c = 9;
        } else if (const int found = ReferenceNeighbourColour(surface, px, py, b, colours);
                   found >= 9 && found < 9 + colours) {
            c = found;
        } else if (n == 2) {
            c = lastCluster = lastCluster == 9 ? 10 : 9;
        } else if (n > 2 && n - 2 == lastPrime && r.show == ShowMode::Primes) {
            c = lastPrimeColour + (n == 5 ? 1 : 0);
        } else {
            c = lastCluster = static_cast<int>((cell.ring + 5) % colours) + 9;
        }
        if (i == 0) lastCluster = 9;
        DrawMarkedCell(surface, surface.Raster(), style, px, py, c, static_cast<std::int32_t>(n));
        ++result.numberShown;
        if (!isPrime) continue;
        if (result.smallestPrime == 0) result.smallestPrime = n;
        result.largestPrime = n;
        if (i > 0) {
            lastPrime = n;
            lastPrimeColour = c;
        }
    }
    surface.Refresh();
    return result;
}

// The window's picture of a request as a pass input.
inline PassInput InputOf(const PictureRequest& r) {
    return PassInputOf(r);
}

// Every scheme with every kind of number at every box size, in circles and squares, from near
// 0 and from the top of the range, the grid and the numerals now and then: the pictures every
// renderer of the window's pictures is held against. Sides keep a few dozen cells a side, as
// many as a test can afford to draw slowly.
inline std::vector<PictureRequest> ReferenceTable() {
    std::vector<PictureRequest> table;
    const int boxes[] = {1, 3, 5, 7, 15, 21, 35, 75};
    for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
        for (int show = 0; show < kShowModeCount; ++show) {
            for (int bi = 0; bi < 8; ++bi) {
                const int box = boxes[bi];
                PictureRequest r;
                r.cellSize = box;
                r.width = r.height = std::min(527, box * (box <= 7 ? 45 : 14) + box / 2);
                r.show = static_cast<ShowMode>(show);
                r.scheme = static_cast<ColorScheme>(scheme);
                r.squares = (scheme + bi + show) % 2 == 1;
                r.grid = box >= 15 && (scheme + show) % 3 != 0;
                r.numerals = box > 7 && (scheme + show) % 2 == 0;
                const auto cells =
                    static_cast<std::int64_t>(std::nearbyint(double(r.height) / box) *
                                              std::nearbyint(double(r.height) / box));
                const std::int64_t top =
                    (r.show == ShowMode::Triangular ? 2147483646 / 8 : 2147483646) - cells + 1;
                const std::int64_t low = (scheme + show + bi) % 3;  // 0, 1 or 2
                r.start = static_cast<std::uint64_t>((show + bi + scheme) % 2 == 0 ? low : top);
                table.push_back(r);
            }
        }
    }
    return table;
}

inline std::string Describe(const PictureRequest& r) {
    return "start " + std::to_string(r.start) + " box " + std::to_string(r.cellSize) + " side " +
           std::to_string(r.width) + " show " + std::to_string(static_cast<int>(r.show)) +
           " scheme " + std::to_string(static_cast<int>(r.scheme)) +
           (r.squares ? " squares" : " circles") + (r.grid ? " grid" : "") +
           (r.numerals ? " numerals" : "");
}

// The pixels of two surfaces of one size, compared; the first difference is reported.
inline ::testing::AssertionResult SamePixels(Surface& expected, Surface& actual) {
    const RasterView a = expected.Raster();
    const RasterView b = actual.Raster();
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.Read(x, y) != b.Read(x, y)) {
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << ": " << std::hex << b.Read(x, y)
                       << " instead of " << a.Read(x, y);
            }
    return ::testing::AssertionSuccess();
}

inline void ExpectSameStatistics(const ReferenceResult& expected, const PassResult& actual) {
    EXPECT_EQ(actual.outcome, expected.outcome);
    if (expected.outcome != PassOutcome::Drawn) return;
    EXPECT_EQ(actual.numberShown, expected.numberShown);
    EXPECT_EQ(actual.smallestPrime, expected.smallestPrime);
    EXPECT_EQ(actual.largestPrime, expected.largestPrime);
    EXPECT_EQ(actual.centreIsPrime, expected.centreIsPrime);
}

}  // namespace quorvel::testing
