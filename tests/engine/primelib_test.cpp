// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <primesieve.hpp>
#include <random>
#include <utility>
#include <vector>

#include "engine/prime_window.h"
#include "engine/primelib.h"

namespace quorvel {
namespace {

using primelib::factor;
using primelib::is_prime;
using primelib::kMaxNumber;

constexpr std::int32_t kPictureNumbers = 527 * 527;

// The primes of first … last by primesieve, as a bitmap over the range.
std::vector<bool> ReferencePrimes(std::int32_t first, std::int32_t last) {
    std::vector<std::uint32_t> primes;
    primesieve::generate_primes(static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(last),
                                &primes);
    std::vector<bool> isPrime(static_cast<std::size_t>(last - first + 1), false);
    for (std::uint32_t p : primes)
        isPrime[p - static_cast<std::uint32_t>(first)] = true;
    return isPrime;
}

// Compares the window (sieve) and, every `scatteredStride` numbers, the scattered test. A window
// that counts factors finds its primes by another sieve, so both kinds are checked.
void ExpectSameAsReference(std::int32_t first, std::int32_t last, int scatteredStride,
                           bool withFactorCounts = false) {
    SCOPED_TRACE(::testing::Message() << "window " << first << " … " << last
                                      << (withFactorCounts ? " with factor counts" : ""));
    const std::vector<bool> expected = ReferencePrimes(first, last);
    PrimeWindow window;
    window.Prepare(first, last, withFactorCounts);
    int mismatches = 0;
    for (std::int64_t n = first; n <= last && mismatches < 5; ++n) {
        const auto i = static_cast<std::size_t>(n - first);
        const auto number = static_cast<std::int32_t>(n);
        if (window.IsPrime(number) != expected[i]) {
            ADD_FAILURE() << "window says " << window.IsPrime(number) << " for " << n;
            ++mismatches;
        }
        if (i % static_cast<std::size_t>(scatteredStride) == 0 &&
            (is_prime(number, number) == 1) != expected[i]) {
            ADD_FAILURE() << "is_prime says " << is_prime(number, number) << " for " << n;
            ++mismatches;
        }
    }
}

TEST(PrimeService, AgreesWithPrimesieveOnPictureWindows) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::int32_t> start(0, kMaxNumber - kPictureNumbers + 1);
    for (int k = 0; k < 24; ++k) {
        const std::int32_t first = start(random);
        ExpectSameAsReference(first, first + kPictureNumbers - 1, 13, k % 3 == 0);
    }
    // The bottom and the very top of the range, every number through both paths.
    for (bool withFactorCounts : {false, true}) {
        ExpectSameAsReference(0, kPictureNumbers - 1, 1, withFactorCounts);
        ExpectSameAsReference(kMaxNumber - kPictureNumbers + 1, kMaxNumber, 1, withFactorCounts);
    }
}

TEST(PrimeService, PublishedCounts) {
    PrimeWindow window;
    window.Prepare(0, 1'000'000, false);
    int belowMillion = 0;
    int byIsPrime = 0;
    for (std::int32_t n = 0; n <= 1'000'000; ++n) {
        belowMillion += window.IsPrime(n);
        byIsPrime += is_prime(n, n);
    }
    EXPECT_EQ(belowMillion, 78498);
    EXPECT_EQ(byIsPrime, 78498);

    window.Prepare(2147203646, kMaxNumber, false);
    int top = 0;
    for (std::int32_t n = 2147203646; n < kMaxNumber; ++n)
        top += window.IsPrime(n);
    EXPECT_EQ(top, 13034);
}

TEST(PrimeService, EdgesOfTheRange) {
    EXPECT_EQ(is_prime(0, 0), 0);
    EXPECT_EQ(is_prime(1, 1), 0);
    EXPECT_EQ(is_prime(2, 2), 1);
    EXPECT_EQ(is_prime(0, 2147483629), 1);  // the largest prime of the range
    for (std::int32_t n = 2147483630; n <= kMaxNumber; ++n)
        EXPECT_EQ(is_prime(n, n), 0) << n;
    // Outside the range: "not prime", whatever the number (2147483647 is prime).
    EXPECT_EQ(is_prime(0, 2147483647), 0);
    EXPECT_EQ(is_prime(0, -7), 0);
    EXPECT_EQ(is_prime(0, INT32_MIN), 0);
    // The reference is only a hint.
    EXPECT_EQ(is_prime(-5, 97), 1);
    EXPECT_EQ(is_prime(INT32_MAX, 97), 1);
    // Strong pseudoprimes to single bases must not slip through.
    for (std::int32_t n : {2047, 3277, 4033, 4681, 8321, 25326001, 1373653, 9080191, 1050535501}) {
        EXPECT_EQ(is_prime(n, n), 0) << n;
    }
}

TEST(PrimeService, FactorFillsBothBuffers) {
    std::int32_t counts[primelib::kFactorBufferSize];
    std::int32_t factors[primelib::kFactorBufferSize];
    EXPECT_EQ(factor(360, 360, counts, factors), 3);  // 2^3 · 3^2 · 5
    EXPECT_EQ(counts[0], 3);
    EXPECT_EQ((std::vector<std::int32_t>(counts + 1, counts + 4)), (std::vector{3, 2, 1}));
    EXPECT_EQ((std::vector<std::int32_t>(factors, factors + 3)), (std::vector{2, 3, 5}));

    // 2·3·5·…·23 has the most distinct primes of the range; times 9 it still fits.
    EXPECT_EQ(factor(223092870 * 9, 0, counts, factors), 9);
    EXPECT_EQ(factors[8], 23);
    // A large prime cofactor and a large prime.
    EXPECT_EQ(factor(2 * 1073741789, 0, counts, factors), 2);
    EXPECT_EQ(factors[1], 1073741789);
    EXPECT_EQ(factor(2147483629, 0, counts, factors), 1);
    EXPECT_EQ(factors[0], 2147483629);
}

TEST(PrimeService, FactorCountsDistinctPrimes) {
    struct Case {
        std::int32_t n;
        std::int32_t count;
    };
    for (const Case c : {Case{0, 0},
                         {1, 0},
                         {2, 1},
                         {4, 1},
                         {8, 1},
                         {9, 1},
                         {25, 1},
                         {12, 2},
                         {510510, 7},
                         {46337 * 46337, 1},
                         {2 * 46337, 2},
                         {kMaxNumber, 7}}) {
        std::int32_t counts[primelib::kFactorBufferSize] = {-1};
        EXPECT_EQ(factor(c.n, c.n, counts, nullptr), c.count) << c.n;
        EXPECT_EQ(counts[0], c.count) << c.n;
    }
    // Outside the range the answer is 0, and null buffers are fine.
    for (std::int32_t n : {-1, INT32_MIN, INT32_MAX}) {
        std::int32_t counts[primelib::kFactorBufferSize] = {-1};
        EXPECT_EQ(factor(n, n, counts, nullptr), 0);
        EXPECT_EQ(counts[0], 0);
    }
    EXPECT_EQ(factor(30, 30, nullptr, nullptr), 3);
}

TEST(PrimeWindowTest, FactorCountsMatchFactoring) {
    // Published: the distinct prime factors of 1 … 10^6 add up to 2853708.
    PrimeWindow window;
    window.Prepare(1, 1'000'000, true);
    std::int64_t bySieve = 0;
    std::int64_t byFactor = 0;
    for (std::int32_t n = 1; n <= 1'000'000; ++n) {
        bySieve += window.DistinctPrimeFactors(n);
        byFactor += factor(n, n, nullptr, nullptr);
    }
    EXPECT_EQ(bySieve, 2853708);
    EXPECT_EQ(byFactor, 2853708);

    // The top picture window, against factoring every 7th number.
    const std::int32_t first = kMaxNumber - kPictureNumbers + 1;
    window.Prepare(first, kMaxNumber, true);
    for (std::int32_t n = first; n <= kMaxNumber - 6; n += 7) {
        ASSERT_EQ(window.DistinctPrimeFactors(n), factor(n, n, nullptr, nullptr)) << n;
    }
    EXPECT_EQ(window.DistinctPrimeFactors(kMaxNumber), 7);  // 2 · 3² · 7 · 11 · 31 · 151 · 331
}

TEST(PrimeWindowTest, FactorCountsAcrossPowersOfTwoAndSmallPrimes) {
    // The sieve treats the stretches between powers of two, and the numbers up to 46341,
    // separately: windows across those borders, every number against factoring.
    PrimeWindow window;
    std::vector<std::pair<std::int32_t, std::int32_t>> windows = {{0, 50000}, {46000, 47000}};
    for (int k = 16; k <= 30; ++k) {
        const std::int32_t power = std::int32_t{1} << k;
        windows.push_back({power - 2000, power + 2000});
    }
    for (const auto& [first, last] : windows) {
        window.Prepare(first, last, true);
        for (std::int32_t n = first; n <= last; ++n) {
            ASSERT_EQ(window.DistinctPrimeFactors(n), factor(n, n, nullptr, nullptr)) << n;
            ASSERT_EQ(window.IsPrime(n), is_prime(n, n) == 1) << n;
        }
    }
}

TEST(PrimeWindowTest, BlocksHandOutTheirBits) {
    PrimeWindow window;
    const std::int32_t first = 1'000'000;
    window.Prepare(first, first + PrimeWindow::kBlockSize + 99, true);
    const PrimeBlock block = window.BlockOf(first + 5);
    EXPECT_EQ(block.first, first);
    // A block ends early where the rest of its numbers is still being sieved.
    EXPECT_LE(block.last, first + PrimeWindow::kBlockSize - 1);
    EXPECT_GE(block.last, first + 4999);
    ASSERT_NE(block.factorCounts, nullptr);
    for (std::int32_t n = first; n < first + 5000; ++n) {
        ASSERT_EQ(block.Test(n - first), is_prime(n, n) == 1) << n;
        ASSERT_EQ(block.factorCounts[n - first], factor(n, n, nullptr, nullptr)) << n;
    }
    const PrimeBlock tail = window.BlockOf(first + PrimeWindow::kBlockSize + 99);
    EXPECT_EQ(tail.first, first + PrimeWindow::kBlockSize);
    EXPECT_EQ(tail.last, first + PrimeWindow::kBlockSize + 99);
    // Outside the window: a block of the number alone.
    const PrimeBlock alone = window.BlockOf(97);
    EXPECT_EQ(alone.first, 97);
    EXPECT_EQ(alone.last, 97);
    EXPECT_TRUE(alone.Test(0));
    EXPECT_EQ(alone.factorCounts[0], 1);
    window.Prepare(first, first + 10, false);
    EXPECT_EQ(window.BlockOf(first).factorCounts, nullptr);
}

TEST(PrimeWindowTest, SetBitsAreVisitedAndSummarisedExactly) {
    std::mt19937_64 random(7);
    std::vector<std::uint64_t> bits(6);
    for (auto& word : bits)
        word = random() & random();
    bits[2] = 0;
    bits[3] = ~std::uint64_t{0};
    bits[5] = 0;
    for (std::int64_t from : {0, 1, 63, 64, 100, 191, 300}) {
        for (std::int64_t count : {0, 1, 2, 63, 64, 65, 130, 383 - 191}) {
            if (from + count > 384) continue;
            std::vector<std::int64_t> visited;
            ForEachSetBit(bits.data(), from, count, [&](std::int64_t k) { visited.push_back(k); });
            std::vector<std::int64_t> expected;
            for (std::int64_t k = 0; k < count; ++k) {
                const std::int64_t bit = from + k;
                if ((bits[bit / 64] >> (bit % 64)) & 1) expected.push_back(k);
            }
            EXPECT_EQ(visited, expected) << from << " " << count;
            const SetBits summary = SummariseSetBits(bits.data(), from, count);
            EXPECT_EQ(summary.first, expected.empty() ? -1 : expected.front())
                << from << " " << count;
            EXPECT_EQ(summary.last, expected.empty() ? -1 : expected.back())
                << from << " " << count;
        }
    }
}

TEST(PrimeWindowTest, AnswersInAnyOrderAndOutsideItsRange) {
    PrimeWindow window;
    window.Prepare(1000, 1000 + 3 * PrimeWindow::kBlockSize, true);
    // Backwards across blocks, then outside on both sides.
    for (std::int32_t n = 1000 + 3 * PrimeWindow::kBlockSize; n >= 1000; n -= 9973) {
        ASSERT_EQ(window.IsPrime(n), is_prime(n, n) == 1) << n;
        ASSERT_EQ(window.DistinctPrimeFactors(n), factor(n, n, nullptr, nullptr)) << n;
    }
    EXPECT_TRUE(window.IsPrime(997));
    EXPECT_EQ(window.DistinctPrimeFactors(510510), 7);
    EXPECT_FALSE(window.IsPrime(-3));
    EXPECT_FALSE(window.IsPrime(INT32_MAX));
    EXPECT_EQ(window.DistinctPrimeFactors(-3), 0);

    // A window reaching past the range is clamped to it.
    window.Prepare(kMaxNumber - 10, INT32_MAX, false);
    EXPECT_FALSE(window.IsPrime(kMaxNumber));
    EXPECT_TRUE(window.IsPrime(2147483629));  // just below the window
    // And one from 0 knows that 0 and 1 are not prime but 2 is.
    window.Prepare(0, 10, true);
    EXPECT_FALSE(window.IsPrime(0));
    EXPECT_FALSE(window.IsPrime(1));
    EXPECT_TRUE(window.IsPrime(2));
    EXPECT_EQ(window.DistinctPrimeFactors(0), 0);
    EXPECT_EQ(window.DistinctPrimeFactors(1), 0);
}

}  // namespace
}  // namespace quorvel
