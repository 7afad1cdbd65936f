// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/number_selection.h"

namespace quorvel {
namespace {

struct Classified {
    bool shown;
    bool isPrime;
};

Classified Classify(std::int32_t n, ShowMode mode) {
    PrimeWindow primes;
    RandomSource random;
    random.Restart(-1);
    Classified c{};
    c.shown = IsNumberShown(n, mode, primes, random, c.isPrime);
    return c;
}

TEST(NumberSelection, PrimesAndAllNumbers) {
    EXPECT_FALSE(Classify(1, ShowMode::Primes).shown);
    EXPECT_TRUE(Classify(2, ShowMode::Primes).shown);
    EXPECT_TRUE(Classify(3, ShowMode::Primes).shown);
    EXPECT_FALSE(Classify(0, ShowMode::Primes).isPrime);
    // Every mode records primality; "All numbers" marks everything.
    for (std::int32_t n : {0, 1, 2, 9, 97, 2147483629, 2147483646}) {
        const Classified all = Classify(n, ShowMode::All);
        EXPECT_TRUE(all.shown) << n;
        EXPECT_EQ(all.isPrime, Classify(n, ShowMode::Squares).isPrime) << n;
    }
    EXPECT_TRUE(Classify(97, ShowMode::Squares).isPrime);
    // A list position the program does not know marks nothing.
    EXPECT_FALSE(Classify(7, static_cast<ShowMode>(9)).shown);
}

TEST(NumberSelection, SquaresWithoutOverflow) {
    for (std::int32_t n : {0, 1, 4, 9, 46340 * 46340})
        EXPECT_TRUE(IsSquareNumber(n)) << n;
    // Above 2147441940 the rounded root is 46341, whose square passes 2^31 - 1.
    for (std::int32_t n :
         {2, 8, 46340 * 46340 + 1, 2147441940, 2147441941, 2147483646, INT32_MAX}) {
        EXPECT_FALSE(IsSquareNumber(n)) << n;
    }
    EXPECT_FALSE(IsSquareNumber(-4));
}

TEST(NumberSelection, TriangularNumbersUpTo268435455) {
    std::vector<std::int32_t> found;
    for (std::int32_t n = 0; n <= 60; ++n) {
        if (IsTriangularNumber(n)) found.push_back(n);
    }
    EXPECT_EQ(found, (std::vector<std::int32_t>{0, 1, 3, 6, 10, 15, 21, 28, 36, 45, 55}));
    EXPECT_TRUE(IsTriangularNumber(268412865));  // 23169 · 23170 / 2
    EXPECT_FALSE(IsTriangularNumber(268435455));
    EXPECT_FALSE(IsTriangularNumber(268435456));
    EXPECT_FALSE(IsTriangularNumber(2147450880));  // triangular, but beyond the tested range
    EXPECT_FALSE(IsTriangularNumber(-1));
}

// Marks of "Random numbers" for n = first … last after restarting from `restart`.
std::vector<std::int32_t> RandomMarks(std::int32_t restart, std::int32_t first, std::int32_t last) {
    PrimeWindow primes;
    RandomSource random;
    random.Restart(restart);
    std::vector<std::int32_t> marked;
    bool isPrime = false;
    for (std::int32_t n = first; n <= last; ++n) {
        if (IsNumberShown(n, ShowMode::Random, primes, random, isPrime)) marked.push_back(n);
    }
    return marked;
}

TEST(NumberSelection, RandomNumbersFollowThePrimeDensity) {
    const std::vector<std::int32_t> marks = RandomMarks(-1, 1, 200000);
    // 1, 2 and even numbers never; 3 always.
    ASSERT_FALSE(marks.empty());
    EXPECT_EQ(marks.front(), 3);
    for (std::int32_t n : marks)
        ASSERT_TRUE(n % 2 == 1 && n >= 3) << n;
    // The marking probabilities 2 / (ln n + 0.5) add up to 17246 here (the primes: 17984).
    EXPECT_NEAR(static_cast<double>(marks.size()), 17246.0, 600.0);
    // The same restart value repeats the selection; another one does not.
    EXPECT_EQ(RandomMarks(-1, 1, 200000), marks);
    EXPECT_NE(RandomMarks(-2, 1, 200000), marks);
}

TEST(NumberSelection, RandomDrawsOneValuePerOddNumber) {
    // Skipping even numbers must not shift the sequence: classifying only the odd numbers gives
    // the same selection as classifying all of them.
    PrimeWindow primes;
    RandomSource all;
    RandomSource oddOnly;
    all.Restart(-77);
    oddOnly.Restart(-77);
    bool isPrime = false;
    for (std::int32_t n = 1; n <= 5001; ++n) {
        const bool a = IsNumberShown(n, ShowMode::Random, primes, all, isPrime);
        if (n % 2 == 1) {
            ASSERT_EQ(IsNumberShown(n, ShowMode::Random, primes, oddOnly, isPrime), a) << n;
        }
    }
}

TEST(NumberSelection, RandomValuesStayBelowOne) {
    RandomSource random;
    random.Restart(0);
    float largest = 0.0f;
    for (int i = 0; i < 1'000'000; ++i)
        largest = std::max(largest, random.Next());
    EXPECT_LT(largest, 1.0f);
    EXPECT_GT(largest, 0.999f);
}

}  // namespace
}  // namespace quorvel
