// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <primesieve.hpp>
#include <random>
#include <vector>

#include "engine/number_theory.h"
#include "engine/primelib.h"

namespace quorvel {
namespace {

constexpr std::uint64_t kMax64 = ~std::uint64_t{0};

// Every number of first … last against primesieve.
void ExpectPrimesOf(std::uint64_t first, std::uint64_t last) {
    SCOPED_TRACE(::testing::Message() << first << " … " << last);
    std::vector<std::uint64_t> primes;
    primesieve::generate_primes(first, last, &primes);
    std::size_t next = 0;
    int mismatches = 0;
    for (std::uint64_t n = first; n <= last && mismatches < 5; ++n) {
        const bool expected = next < primes.size() && primes[next] == n;
        next += expected;
        if (IsPrime64(n) != expected) {
            ADD_FAILURE() << n << (expected ? " is prime" : " is composite");
            ++mismatches;
        }
    }
}

TEST(IsPrime64, AgreesWithPrimesieve) {
    ExpectPrimesOf(0, 300'000);
    std::mt19937_64 random(2027);
    for (int k = 0; k < 6; ++k) {
        const std::uint64_t first = random() % primelib::kMaxNumber;
        ExpectPrimesOf(first, first + 50'000);
    }
    // Where the small base set gives way to the 64-bit one, and in the range of the large view.
    ExpectPrimesOf((std::uint64_t{1} << 32) - 30'000, (std::uint64_t{1} << 32) + 30'000);
    ExpectPrimesOf(1'000'000'000'000'000'000, 1'000'000'000'000'030'000);
}

TEST(IsPrime64, StrongPseudoprimesAndTheTopOfTheRange) {
    // Composites that pass Miller-Rabin to several small bases, Carmichael numbers, and
    // semiprimes p (2p - 1) that pass it to base 2.
    for (std::uint64_t n : std::vector<std::uint64_t>{2047ull,
                                                      1373653ull,
                                                      25326001ull,
                                                      3215031751ull,
                                                      2152302898747ull,
                                                      3474749660383ull,
                                                      341550071728321ull,
                                                      3825123056546413051ull,
                                                      561ull,
                                                      41041ull,
                                                      825265ull,
                                                      321197185ull,
                                                      5394826801ull,
                                                      232250619601ull,
                                                      9746347772161ull,
                                                      980011482133632301ull,
                                                      18000001305000023653ull,
                                                      1'000'000'000'000'000'001ull,
                                                      4294967291ull * 4294967279ull,
                                                      kMax64}) {
        EXPECT_FALSE(IsPrime64(n)) << n;
    }
    for (std::uint64_t n :
         std::vector<std::uint64_t>{1'000'000'000'000'000'003ull, 1'000'000'000'000'000'009ull,
                                    (1ull << 61) - 1, 4294967291ull, 4294967311ull}) {
        EXPECT_TRUE(IsPrime64(n)) << n;
    }
    // The primes among the last 400 numbers below 2^64 are 2^64 - k for exactly these k.
    const std::vector<std::uint64_t> below = {59, 83, 95, 179, 189, 257, 279, 323, 353, 363};
    std::vector<std::uint64_t> found;
    for (std::uint64_t k = 1; k <= 400; ++k) {
        if (IsPrime64(kMax64 - k + 1)) found.push_back(k);
    }
    EXPECT_EQ(found, below);
}

// The product of the factors is n, each factor prime, the primes ascending.
void ExpectFactorization(std::uint64_t n) {
    const Factorization f = Factorize(n);
    std::uint64_t product = 1;
    std::uint64_t last = 1;
    for (const PrimePower& pp : f) {
        EXPECT_TRUE(IsPrime64(pp.prime)) << n << ": factor " << pp.prime;
        EXPECT_GT(pp.prime, last) << n;
        EXPECT_GE(pp.exponent, 1) << n;
        last = pp.prime;
        for (int e = 0; e < pp.exponent; ++e)
            product *= pp.prime;
    }
    EXPECT_EQ(product, n < 2 ? 1 : n) << n;
}

TEST(Factorize, KnownFactorizations) {
    using Factors = std::vector<std::pair<std::uint64_t, int>>;
    const auto factors = [](std::uint64_t n) {
        Factors out;
        for (const PrimePower& pp : Factorize(n))
            out.emplace_back(pp.prime, pp.exponent);
        return out;
    };
    EXPECT_EQ(factors(0), Factors{});
    EXPECT_EQ(factors(1), Factors{});
    EXPECT_EQ(factors(1225), (Factors{{5, 2}, {7, 2}}));
    EXPECT_EQ(factors(1002), (Factors{{2, 1}, {3, 1}, {167, 1}}));
    EXPECT_EQ(factors(2147483646),
              (Factors{{2, 1}, {3, 2}, {7, 1}, {11, 1}, {31, 1}, {151, 1}, {331, 1}}));
    EXPECT_EQ(factors(1'000'000'000'000'000'001),
              (Factors{{101, 1}, {9901, 1}, {999999000001, 1}}));
    EXPECT_EQ(factors(kMax64),
              (Factors{{3, 1}, {5, 1}, {17, 1}, {257, 1}, {641, 1}, {65537, 1}, {6700417, 1}}));
    EXPECT_EQ(factors(1ull << 63), (Factors{{2, 63}}));
    // Hard cases for rho: two 32-bit primes, the square of one, a pseudoprime.
    EXPECT_EQ(factors(4294967291ull * 4294967279ull), (Factors{{4294967279, 1}, {4294967291, 1}}));
    EXPECT_EQ(factors(4294967291ull * 4294967291ull), (Factors{{4294967291, 2}}));
    EXPECT_EQ(factors(18000001305000023653ull), (Factors{{3000000109, 1}, {6000000217, 1}}));
    EXPECT_EQ(factors(3825123056546413051ull), (Factors{{149491, 1}, {747451, 1}, {34233211, 1}}));
    EXPECT_EQ(factors(kMax64 - 58), (Factors{{kMax64 - 58, 1}}));
    // The largest number of distinct primes a 64-bit number can have.
    EXPECT_EQ(Factorize(614889782588491410ull).count, 15);
}

TEST(Factorize, RandomNumbersMultiplyBack) {
    std::mt19937_64 random(77);
    for (int k = 0; k < 300; ++k)
        ExpectFactorization(random());
    // Products of two primes of similar size, the slowest for rho.
    for (int k = 0; k < 20; ++k) {
        std::uint64_t p = (random() >> 34) | 1, q = (random() >> 34) | 1;
        while (!IsPrime64(p))
            p += 2;
        while (!IsPrime64(q))
            q += 2;
        ExpectFactorization(p * q);
    }
}

}  // namespace
}  // namespace quorvel
