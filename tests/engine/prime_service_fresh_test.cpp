// SPDX-License-Identifier: GPL-3.0-or-later
// The prime service in a process of its own, where nothing has prepared the small-prime table:
// the settings loader asks before the program calls calculate_primes. Kept out of engine_tests,
// whose other tests prepare the table long before this would run.
#include <gtest/gtest.h>

#include <cstdint>
#include <primesieve.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "engine/primelib.h"

namespace quorvel {
namespace {

using primelib::factor;
using primelib::is_prime;
using primelib::kMaxNumber;

bool IsPrimeByPrimesieve(std::int64_t n) {
    return primesieve::count_primes(static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(n)) ==
           1;
}

// What is_prime and factor get wrong about n, judged by primesieve: primality, and factors that
// must be primes in ascending order whose powers multiply back to n. Empty when all is right.
std::string Disagreement(std::int32_t n) {
    std::ostringstream what;
    if ((is_prime(n, n) == 1) != IsPrimeByPrimesieve(n)) what << "is_prime wrong; ";
    std::int32_t counts[primelib::kFactorBufferSize] = {};
    std::int32_t factors[primelib::kFactorBufferSize] = {};
    const std::int32_t k = factor(n, n, counts, factors);
    std::int64_t product = 1;
    for (std::int32_t i = 0; i < k; ++i) {
        if (!IsPrimeByPrimesieve(factors[i]) || (i > 0 && factors[i] <= factors[i - 1]))
            what << "factor " << factors[i] << " wrong; ";
        for (std::int32_t e = 0; e < counts[i + 1]; ++e)
            product *= factors[i];
    }
    if (counts[0] != k || (n >= 2 && product != n) || (n < 2 && k != 0))
        what << k << " factors multiply to " << product << "; ";
    return what.str();
}

std::vector<std::int32_t> NumbersNeedingTheTable() {
    std::vector<std::int32_t> numbers = {46337 * 46337,   // the largest square of a small prime
                                         46327 * 46337,   // two of the largest small primes
                                         2 * 1073741789,  // a large prime cofactor
                                         3 * 715827881,   // 2147483643
                                         kMaxNumber,      // 2 · 3² · 7 · 11 · 31 · 151 · 331
                                         2147483629,      // the largest prime of the range
                                         1073741789};     // a large prime
    // Across the largest small prime, around its square, and the top of the range.
    for (const std::int32_t from : {46300, 46337 * 46337 - 200, kMaxNumber - 400}) {
        for (std::int32_t n = from; n <= from + 400; ++n)
            numbers.push_back(n);
    }
    return numbers;
}

TEST(PrimeServiceFresh, WorksBeforeAndAfterPreparing) {
    const std::vector<std::int32_t> numbers = NumbersNeedingTheTable();
    for (const std::int32_t n : numbers)
        EXPECT_EQ(Disagreement(n), "") << n << " before calculate_primes";

    EXPECT_EQ(primelib::calculate_primes(kMaxNumber), 4792);
    EXPECT_EQ(primelib::calculate_primes(0), 4792);  // the limit changes nothing
    EXPECT_EQ(primelib::SmallPrimes().back(), 46337);
    for (const std::int32_t n : numbers)
        EXPECT_EQ(Disagreement(n), "") << n << " after calculate_primes";
}

}  // namespace
}  // namespace quorvel
