// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <primesieve.hpp>
#include <random>
#include <utility>
#include <vector>

#include "engine/number_theory.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_tiles.h"

namespace quorvel {
namespace {

constexpr std::uint64_t k1e18 = 1'000'000'000'000'000'000u;

// Every cell of the walk, out to 150 rings, holds start - 1 + its position, whatever the start.
TEST(SpiralTiles, CellsHoldTheNumbersOfTheWalk) {
    for (const std::uint64_t start : {std::uint64_t{0}, std::uint64_t{1}, k1e18}) {
        for (std::int64_t p = 1; p <= 301 * 301; ++p) {
            const SpiralCell cell = CellOfPosition(p);
            ASSERT_EQ(NumberOfCell(start, cell.x, cell.y), start - 1 + p)
                << "position " << p << " start " << start;
            ASSERT_EQ(RingOf(cell.x, cell.y), cell.ring);
        }
    }
    // The first cells, as a user sees them: 2 east of the centre, 3 above it, 5 at the top left.
    EXPECT_EQ(NumberOfCell(1, 1, 0), 2u);
    EXPECT_EQ(NumberOfCell(1, 1, -1), 3u);
    EXPECT_EQ(NumberOfCell(1, -1, -1), 5u);
    EXPECT_EQ(NumberOfCell(1, 1, 1), 9u);
}

// Far out the numbers stay exact up to 2^63 - 1 and none beyond it is shown as a number.
TEST(SpiralTiles, TheFarEdgeNear2To63) {
    const std::int64_t k = kMaxCellRadius;
    const std::uint64_t corner = static_cast<std::uint64_t>(2 * k + 1) * (2 * k + 1);
    EXPECT_EQ(NumberOfCell(1, k, k), corner);
    EXPECT_EQ(NumberOfCell(0, k + 1, k), corner);  // the next ring's first cell, 2^63 - 5.9·10^9
    EXPECT_EQ(NumberOfCell(1, k + 1, k), corner + 1);
    EXPECT_EQ(NumberOfCell(1, k + 1, k + 1), std::nullopt);
    // A start near the top leaves only a few cells with numbers.
    EXPECT_EQ(NumberOfCell(kLargestNumber, 0, 0), kLargestNumber);
    EXPECT_EQ(NumberOfCell(kLargestNumber, 1, 0), std::nullopt);
    for (const std::int64_t far : {std::numeric_limits<std::int64_t>::min(),
                                   std::numeric_limits<std::int64_t>::max(), -k - 2}) {
        EXPECT_EQ(NumberOfCell(1, far, 0), std::nullopt);
        EXPECT_EQ(NumberOfCell(1, 0, far), std::nullopt);
        EXPECT_GE(RingOf(far, far), k + 2);
    }
    // Positions the walk places near the edge come back through the cells.
    for (const std::int64_t p :
         {static_cast<std::int64_t>(corner) - 1, static_cast<std::int64_t>(corner) - 2 * k,
          std::int64_t{4'000'000'000'000'000'001}}) {
        const SpiralCell cell = CellOfPosition(p);
        EXPECT_EQ(NumberOfCell(1, cell.x, cell.y), static_cast<std::uint64_t>(p)) << p;
    }
}

// A rectangle of cells across the edge: prime, composite and beyond, cell by cell.
TEST(SpiralTiles, ClassifiedCellsAcrossTheEdge) {
    const std::int64_t x0 = kMaxCellRadius - 20;
    const std::int64_t y0 = kMaxCellRadius - 20;
    std::vector<CellKind> kinds(48 * 40);
    ASSERT_TRUE(ClassifyCells(1, x0, y0, 48, 40, kinds.data()));
    int beyond = 0;
    for (int r = 0; r < 40; ++r) {
        for (int c = 0; c < 48; ++c) {
            const auto n = NumberOfCell(1, x0 + c, y0 + r);
            const CellKind expected = !n              ? CellKind::Beyond
                                      : IsPrime64(*n) ? CellKind::Prime
                                                      : CellKind::Composite;
            ASSERT_EQ(kinds[static_cast<std::size_t>(r * 48 + c)], expected) << r << "," << c;
            beyond += !n;
        }
    }
    EXPECT_GT(beyond, 0);
    EXPECT_LT(beyond, 48 * 40);
    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(ClassifyCells(1, 0, 0, 4, 4, kinds.data(), &cancel));
}

// Rectangles of every shape and place against the cells one by one: across the centre and the
// ring corners, far out west and north, longer than a row of a tile, at small starts where the
// sieving primes themselves and 0 and 1 are in view, and where 2^63 - 1 crosses the rectangle.
TEST(SpiralTiles, ClassifiedRectanglesMatchTheCells) {
    struct Place {
        std::uint64_t start;
        std::int64_t x, y;  // around this cell
        std::int64_t spread;
    };
    const std::int64_t edge = kMaxCellRadius;
    const Place places[] = {
        {0, 0, 0, 40},
        {1, 0, 0, 40},
        {2, -3, 2, 30},
        {97, 10, -10, 25},
        {k1e18, 0, 0, 700},
        {k1e18, -5'000'000, 4'999'990, 200},
        {k1e18 + 1, 123'456, -123'456, 300},
        {kLargestNumber - 30'000, 0, 0, 120},
        {kLargestNumber - 2, 0, 0, 2},  // 2^63 - 1 in the north row of the first ring
        {1, edge, -edge, 60},
        {1, -edge - 1, edge, 60},
        {5'000'000'000, 1'000'000, 1'000'000, 40},
    };
    std::mt19937_64 random(7);
    for (const Place& place : places) {
        for (int trial = 0; trial < 12; ++trial) {
            const auto offset = [&] {
                return static_cast<std::int64_t>(random() % (2 * place.spread + 1)) - place.spread;
            };
            // First the square around the place, then random ones, one a column and one a row.
            const std::int64_t around = std::min<std::int64_t>(place.spread, 50);
            const std::int64_t x0 = trial == 0 ? place.x - around : place.x + offset();
            const std::int64_t y0 = trial == 0 ? place.y - around : place.y + offset();
            const int side = static_cast<int>(2 * around + 1);
            const int width = trial == 0   ? side
                              : trial == 1 ? 1
                                           : 1 + static_cast<int>(random() % 300);
            const int height = trial == 0   ? side
                               : trial == 2 ? 1
                                            : 1 + static_cast<int>(random() % 140);
            SCOPED_TRACE(::testing::Message() << "start " << place.start << " at " << x0 << ","
                                              << y0 << " " << width << "x" << height);
            std::vector<CellKind> kinds(static_cast<std::size_t>(width) * height);
            ASSERT_TRUE(ClassifyCells(place.start, x0, y0, width, height, kinds.data()));
            for (int r = 0; r < height; ++r) {
                for (int c = 0; c < width; ++c) {
                    const auto n = NumberOfCell(place.start, x0 + c, y0 + r);
                    const CellKind expected = !n              ? CellKind::Beyond
                                              : IsPrime64(*n) ? CellKind::Prime
                                                              : CellKind::Composite;
                    ASSERT_EQ(kinds[static_cast<std::size_t>(r) * width + c], expected)
                        << "cell " << x0 + c << "," << y0 + r;
                }
            }
        }
    }
    // Rectangles at the ends of the coordinates hold nothing but cells beyond.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    for (const auto& [x0, y0] : {std::pair{kMin, kMin}, std::pair{kMax - 3, kMax - 3},
                                 std::pair{kMax - 3, std::int64_t{-2}}}) {
        std::vector<CellKind> kinds(64, CellKind::Prime);
        ASSERT_TRUE(ClassifyCells(1, x0, y0, 8, 8, kinds.data()));
        for (const CellKind kind : kinds)
            EXPECT_EQ(kind, CellKind::Beyond);
    }
}

// Many numbers at once give the answers of one at a time: small and even numbers, strong
// pseudoprimes to base 2, numbers above 2^63, and counts that leave lanes empty.
TEST(SpiralTiles, ManyNumbersAtOnce) {
    std::vector<std::uint64_t> numbers;
    for (std::uint64_t n = 0; n < 200; ++n)
        numbers.push_back(n);
    for (const std::uint64_t n : std::initializer_list<std::uint64_t>{
             2047ull, 3'215'031'751ull, 4'759'123'141ull, 3'825'123'056'546'413'051ull, 561ull,
             k1e18 + 3, k1e18 + 9, k1e18 + 1, kLargestNumber, (1ull << 63) + 1,
             18'446'744'073'709'551'557ull, ~0ull, 4'294'967'291ull * 4'294'967'279ull})
        numbers.push_back(n);
    std::mt19937_64 random(11);
    for (int i = 0; i < 2000; ++i)
        numbers.push_back(random() | 1u);
    for (std::size_t count : {numbers.size(), std::size_t{1}, std::size_t{3}, std::size_t{0}}) {
        const auto prime = std::make_unique<bool[]>(count);  // exactly: overruns show
        IsPrime64Many(numbers.data() + numbers.size() - count, count, prime.get());
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t n = numbers[numbers.size() - count + i];
            ASSERT_EQ(prime[i], IsPrime64(n)) << n;
        }
    }
}

TEST(SpiralTiles, PrimalityAt1e18) {
    EXPECT_TRUE(IsPrime64(k1e18 + 3));
    EXPECT_TRUE(IsPrime64(k1e18 + 9));
    EXPECT_FALSE(IsPrime64(k1e18 + 1));
    const Factorization f = Factorize(k1e18 + 1);
    ASSERT_EQ(f.count, 3);
    EXPECT_EQ(f.factors[0].prime, 101u);
    EXPECT_EQ(f.factors[1].prime, 9901u);
    EXPECT_EQ(f.factors[2].prime, 999'999'000'001u);
    // The fast test and the bare seven-base test agree with primesieve on 200,000 numbers
    // from 10^18 on.
    std::vector<std::uint64_t> primes;
    primesieve::generate_primes(k1e18, k1e18 + 200'000, &primes);
    std::size_t next = 0;
    for (std::uint64_t n = k1e18; n <= k1e18 + 200'000; ++n) {
        const bool prime = next < primes.size() && primes[next] == n;
        next += prime;
        ASSERT_EQ(IsPrime64(n), prime) << n;
        ASSERT_EQ(MillerRabin64(n), prime) << n;
    }
    // Strong pseudoprimes to the first prime bases fool neither.
    // 4759123141 passes bases 2, 7 and 61, where the test of small numbers ends.
    for (const std::uint64_t n :
         {3'215'031'751ull, 4'759'123'141ull, 2'152'302'898'747ull, 3'474'749'660'383ull,
          341'550'071'728'321ull, 3'825'123'056'546'413'051ull}) {
        EXPECT_FALSE(IsPrime64(n)) << n;
        EXPECT_FALSE(MillerRabin64(n)) << n;
    }
}

// Semiprimes of two primes near 2^32, the hardest for trial division and slowest for rho.
TEST(SpiralTiles, HardSemiprimesFactorExactly) {
    std::vector<std::uint64_t> primes;
    primesieve::generate_primes(4'294'960'000ull, 4'294'967'295ull, &primes);
    ASSERT_GE(primes.size(), 4u);
    const std::uint64_t pairs[][2] = {{primes[0], primes[1]},
                                      {primes[primes.size() - 2], primes.back()},
                                      {primes.back(), primes.back()},
                                      {1'000'003, primes.back()}};
    for (const auto& [p, q] : pairs) {
        const Factorization f = Factorize(p * q);
        SCOPED_TRACE(::testing::Message() << p << " · " << q);
        if (p == q) {
            ASSERT_EQ(f.count, 1);
            EXPECT_EQ(f.factors[0].exponent, 2);
        } else {
            ASSERT_EQ(f.count, 2);
            EXPECT_EQ(f.factors[0].prime, std::min(p, q));
            EXPECT_EQ(f.factors[1].prime, std::max(p, q));
        }
    }
}

}  // namespace
}  // namespace quorvel
