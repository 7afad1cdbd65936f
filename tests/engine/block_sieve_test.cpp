// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/block_sieve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <primesieve.hpp>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "engine/prime_window.h"
#include "engine/primelib.h"

namespace quorvel {
namespace {

using primelib::kMaxNumber;

constexpr std::int32_t kPictureNumbers = 527 * 527;
constexpr std::uint64_t kGuard = 0x5A5A5A5A5A5A5A5Aull;

// Plain trial by the small primes: the primes of first … last, and each number's distinct
// prime factors, by dividing them out.
struct Reference {
    std::vector<bool> prime;
    std::vector<std::uint8_t> counts;
};

Reference PlainReference(std::int32_t first, std::int32_t last) {
    const auto length = static_cast<std::size_t>(last - first + 1);
    std::vector<std::uint32_t> rest(length);
    Reference r{std::vector<bool>(length, false), std::vector<std::uint8_t>(length, 0)};
    for (std::size_t i = 0; i < length; ++i)
        rest[i] = static_cast<std::uint32_t>(first + static_cast<std::int64_t>(i));
    for (std::int32_t prime : primelib::SmallPrimes()) {
        if (prime > last) break;
        const auto p = static_cast<std::uint32_t>(prime);
        for (std::int64_t m = (std::int64_t{first} + p - 1) / p * p; m <= last; m += p) {
            const auto i = static_cast<std::size_t>(m - first);
            if (m == 0) continue;
            if (r.counts[i] == 0 && m == p) r.prime[i] = true;
            ++r.counts[i];
            while (rest[i] % p == 0)
                rest[i] /= p;
        }
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (rest[i] <= 1) continue;
        if (r.counts[i] == 0) r.prime[i] = true;  // no small factor: a large prime
        ++r.counts[i];
    }
    return r;
}

std::vector<bool> PrimesieveBits(std::int32_t first, std::int32_t last) {
    std::vector<std::uint32_t> primes;
    primesieve::generate_primes(static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(last),
                                &primes);
    std::vector<bool> bits(static_cast<std::size_t>(last - first + 1), false);
    for (std::uint32_t p : primes)
        bits[p - static_cast<std::uint32_t>(first)] = true;
    return bits;
}

// The sieve's output with a guard word after the words it may write.
struct Sieved {
    std::vector<std::uint64_t> bits;
    std::vector<std::uint8_t> counts;
    bool Test(std::size_t k) const { return (bits[k / 64] >> (k % 64)) & 1u; }
};

Sieved Sieve(BlockSieve& sieve, std::int32_t first, std::int32_t last, bool withCounts) {
    const std::int64_t length = std::int64_t{last} - first + 1;
    Sieved s;
    s.bits.assign(static_cast<std::size_t>(BlockSieve::WordsFor(length)) + 1, ~std::uint64_t{0});
    s.bits.back() = kGuard;
    if (withCounts) {
        s.counts.assign(static_cast<std::size_t>(length) + 1, 0xEE);
        sieve.FactorCounts(first, last, s.counts.data(), s.bits.data());
    } else {
        sieve.Primes(first, last, s.bits.data());
    }
    return s;
}

void ExpectWindow(BlockSieve& sieve, std::int32_t first, std::int32_t last, bool withCounts) {
    SCOPED_TRACE(::testing::Message()
                 << first << " … " << last << (withCounts ? " with counts" : ""));
    const Sieved s = Sieve(sieve, first, last, withCounts);
    const std::vector<bool> expected = PrimesieveBits(first, last);
    const auto length = expected.size();
    ASSERT_EQ(s.bits.back(), kGuard) << "wrote past its words";
    if (length % 64 != 0) {
        EXPECT_EQ(s.bits[length / 64] >> (length % 64), 0u) << "bits past the end are set";
    }
    const Reference plain = PlainReference(first, last);
    int mismatches = 0;
    for (std::size_t k = 0; k < length && mismatches < 5; ++k) {
        if (s.Test(k) != expected[k] || s.Test(k) != plain.prime[k]) {
            ADD_FAILURE() << "prime bit " << s.Test(k) << " for " << first + std::int64_t(k);
            ++mismatches;
        }
        if (withCounts && s.counts[k] != plain.counts[k]) {
            ADD_FAILURE() << int(s.counts[k]) << " factors for " << first + std::int64_t(k)
                          << ", not " << int(plain.counts[k]);
            ++mismatches;
        }
    }
    if (withCounts) {
        EXPECT_EQ(s.counts[length], 0xEE) << "wrote past the counts";
    }
}

TEST(BlockSieve, PrimesAtTheEdgesOfTheRangeAndOfItsBytes) {
    BlockSieve sieve;
    std::vector<std::pair<std::int32_t, std::int32_t>> windows = {
        {0, 0},
        {1, 1},
        {2, 2},
        {0, 1},
        {0, 63},
        {0, 64},
        {5, 100},
        {7, 17},
        {kMaxNumber, kMaxNumber},
        {kMaxNumber - 29, kMaxNumber},
        {kMaxNumber - kPictureNumbers + 1, kMaxNumber},
        // Two and three of the sieve's segments (983,040 numbers each), and their edges.
        {0, 2'000'000},
        {983'039, 983'041},
        {1'000'000'000, 1'002'949'119}};
    // Every start and end within a byte of 30 numbers, short and across several bytes.
    for (std::int32_t a = 0; a < 30; ++a) {
        for (std::int32_t length : {1, 2, 29, 30, 31, 64, 65, 200}) {
            windows.push_back({1'234'567'890 + a, 1'234'567'890 + a + length - 1});
        }
    }
    for (const auto& [first, last] : windows)
        ExpectWindow(sieve, first, last, false);
    // Stretches outside the range, or backwards, leave the caller's memory alone.
    for (const auto& [first, last] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {-1, 10}, {10, 9}, {kMaxNumber - 5, kMaxNumber + 1}, {INT32_MIN, INT32_MAX}}) {
        std::vector<std::uint64_t> bits(4, kGuard);
        std::vector<std::uint8_t> counts(4, 0xEE);
        sieve.Primes(first, last, bits.data());
        sieve.FactorCounts(first, last, counts.data(), bits.data());
        EXPECT_EQ(bits, std::vector<std::uint64_t>(4, kGuard)) << first << " … " << last;
        EXPECT_EQ(counts, std::vector<std::uint8_t>(4, 0xEE)) << first << " … " << last;
    }
}

TEST(BlockSieve, PrimesAndCountsOnRandomWindows) {
    BlockSieve sieve;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::int32_t> start(0, kMaxNumber);
    std::uniform_int_distribution<std::int32_t> length(1, 300'000);
    for (int k = 0; k < 24; ++k) {
        const std::int32_t first = start(random);
        const auto last = static_cast<std::int32_t>(
            std::min<std::int64_t>(kMaxNumber, std::int64_t{first} + length(random) - 1));
        ExpectWindow(sieve, first, last, k % 2 == 0);
    }
}

TEST(BlockSieve, FactorCountsOnWholeWindows) {
    BlockSieve sieve;
    std::vector<std::pair<std::int32_t, std::int32_t>> windows = {
        {0, 1'000'000},
        {kMaxNumber - kPictureNumbers + 1, kMaxNumber},
        {kMaxNumber, kMaxNumber},
        {46'000, 47'000},  // where the small primes end
        // Across the sieve's own stretches of 2^19 numbers.
        {50'000'000, 50'000'000 + (1 << 19) + 1000}};
    for (int k = 17; k <= 30; ++k) {
        const std::int32_t power = std::int32_t{1} << k;
        windows.push_back({power - 3000, power + 3000});
    }
    for (const auto& [first, last] : windows)
        ExpectWindow(sieve, first, last, true);
}

TEST(BlockSieve, SievesOnTwoThreadsAtOnce) {
    // Separate sieves share only their read-only tables; both threads must see exact answers.
    const std::int32_t firstA = kMaxNumber - 2 * kPictureNumbers;
    const std::int32_t firstB = 700'000'000;
    Sieved a;
    Sieved b;
    std::thread other([&] {
        BlockSieve sieve;
        b = Sieve(sieve, firstB, firstB + kPictureNumbers - 1, true);
    });
    BlockSieve sieve;
    a = Sieve(sieve, firstA, firstA + kPictureNumbers - 1, false);
    other.join();
    BlockSieve alone;
    const Sieved a1 = Sieve(alone, firstA, firstA + kPictureNumbers - 1, false);
    const Sieved b1 = Sieve(alone, firstB, firstB + kPictureNumbers - 1, true);
    EXPECT_EQ(a.bits, a1.bits);
    EXPECT_EQ(b.bits, b1.bits);
    EXPECT_EQ(b.counts, b1.counts);
}

TEST(PrimeWindowSweeps, BlocksInAnyOrderAcrossSweeps) {
    // A window of several sweeps, asked for backwards and by scattered numbers: every block
    // must hold its own numbers' answers.
    const std::int32_t first = 300'000'017;
    const std::int32_t last = first + 9 * PrimeWindow::kBlockSize + 12'345;
    const std::vector<bool> expected = PrimesieveBits(first, last);
    for (bool withCounts : {false, true}) {
        PrimeWindow window;
        window.Prepare(first, last, withCounts);
        for (std::int64_t n = last; n >= first; n -= PrimeWindow::kBlockSize / 3) {
            const PrimeBlock block = window.BlockOf(static_cast<std::int32_t>(n));
            ASSERT_LE(block.first, n);
            ASSERT_GE(block.last, n);
            // Every bit (a sweep is sieved in halves, side by side), every 97th count.
            for (std::int64_t m = block.first; m <= block.last; ++m) {
                ASSERT_EQ(block.Test(m - block.first),
                          expected[static_cast<std::size_t>(m - first)])
                    << m;
                if (withCounts && m % 97 == 0) {
                    ASSERT_EQ(block.factorCounts[m - block.first],
                              primelib::factor(static_cast<std::int32_t>(m), 0, nullptr, nullptr))
                        << m;
                }
            }
            ASSERT_EQ(window.IsPrime(static_cast<std::int32_t>(n)),
                      expected[static_cast<std::size_t>(n - first)])
                << n;
        }
    }
}

}  // namespace
}  // namespace quorvel
