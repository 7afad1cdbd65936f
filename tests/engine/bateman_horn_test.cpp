// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <numeric>
#include <random>

#include "engine/bateman_horn.h"

namespace quorvel {
namespace {

TEST(BatemanHorn, PublishedConstants) {
    // Twice Shanks' constant for Euler's x² + x + 41, and the Hardy-Littlewood constant of x² + 1.
    EXPECT_NEAR(BatemanHornConstant({1, 1, 41}) / 6.6395, 1, 1e-4);
    EXPECT_NEAR(BatemanHornConstant({1, 0, 1}) / 1.3728, 1, 1e-4);
    // Shifting x changes no root count, so no constant.
    EXPECT_NEAR(BatemanHornConstant({1, 81, 1681}) / 6.6395, 1, 1e-4);
}

TEST(BatemanHorn, ZeroWhenValuesFactorOrShareAPrime) {
    for (const Quadratic& f :
         std::vector<Quadratic>{{4, 4, 1},     // (2i + 1)²: the odd squares, the SE ray from 1
                                {1, 0, -1},    // (x - 1)(x + 1)
                                {4, 0, 0},     // discriminant 0
                                {4, 2, 2},     // every value even
                                {1, 1, 2},     // x² + x is always even
                                {3, 3, 3}}) {  // every value a multiple of 3
        EXPECT_EQ(BatemanHornConstant(f), 0) << f.a << " " << f.b << " " << f.c;
    }
    EXPECT_TRUE(std::isnan(BatemanHornConstant({0, 1, 1})));
    EXPECT_FALSE(Discriminant({INT64_MAX, 0, INT64_MAX}).has_value());
    EXPECT_TRUE(std::isnan(BatemanHornConstant({4, 0, INT64_MAX / 4})));  // beyond reach
}

// Fundamental: 1 (mod 4) and squarefree, or 4m with m = 2, 3 (mod 4) squarefree.
bool IsFundamental(std::int64_t d) {
    const auto squarefree = [](std::int64_t m) {
        m = std::abs(m);
        for (std::int64_t p = 2; p * p <= m; ++p) {
            if (m % (p * p) == 0) return false;
        }
        return true;
    };
    const std::int64_t r = ((d % 4) + 4) % 4;
    if (r == 1) return d != 1 && squarefree(d);
    if (r != 0) return false;
    const std::int64_t m = d / 4, s = ((m % 4) + 4) % 4;
    return (s == 2 || s == 3) && squarefree(m);
}

// The class number of a negative discriminant: the reduced primitive forms (a, b, c) with
// b² - 4ac = d, |b| <= a <= c, b >= 0 when |b| = a or a = c.
std::int64_t ClassNumber(std::int64_t d) {
    std::int64_t h = 0;
    for (std::int64_t b = d & 1; 3 * b * b <= -d; b += 2) {
        const std::int64_t ac = (b * b - d) / 4;
        for (std::int64_t a = std::max<std::int64_t>(b, 1); a * a <= ac; ++a) {
            if (ac % a != 0 || std::gcd(std::gcd(a, b), ac / a) != 1) continue;
            h += b == 0 || b == a || a == ac / a ? 1 : 2;
        }
    }
    return h;
}

TEST(BatemanHorn, LOneAgreesWithTheClassNumberFormula) {
    // D < 0: L(1, χ) = 2π h / (w √|D|), h counted by brute force.
    std::vector<std::int64_t> negatives;
    for (std::int64_t d = -3; d >= -3000; --d)
        negatives.push_back(d);
    std::mt19937_64 random(11);
    for (int k = 0; k < 8; ++k)
        negatives.push_back(-1'000'000 - static_cast<std::int64_t>(random() % 9'000'000));
    for (const std::int64_t d : negatives) {
        if (!IsFundamental(d)) continue;
        const double w = d == -3 ? 6 : d == -4 ? 4 : 2;
        const double expected =
            2 * std::numbers::pi * static_cast<double>(ClassNumber(d)) / (w * std::sqrt(-d));
        EXPECT_NEAR(QuadraticLOne(d), expected, 1e-6 * expected) << d;
    }
    // Large |D|, as near the top of the range and at the largest in reach: the class number
    // that comes out is whole.
    for (const std::int64_t d : {-8588823267ll, -8588823671ll, -2147206443ll, -4398046511099ll}) {
        ASSERT_TRUE(IsFundamental(d));
        const double h = QuadraticLOne(d) * std::sqrt(-static_cast<double>(d)) / std::numbers::pi;
        EXPECT_NEAR(h, std::round(h), 0.02) << d;
    }
    // D > 0: L(1, χ) = 2 h log ε / √D with the fundamental unit ε.
    const struct {
        std::int64_t d;
        int h;
        double unit;
    } positives[] = {{5, 1, (1 + std::sqrt(5.0)) / 2}, {8, 1, 1 + std::sqrt(2.0)},
                     {12, 1, 2 + std::sqrt(3.0)},      {13, 1, (3 + std::sqrt(13.0)) / 2},
                     {40, 2, 3 + std::sqrt(10.0)},     {229, 3, (15 + std::sqrt(229.0)) / 2}};
    for (const auto& p : positives) {
        const double expected = 2 * p.h * std::log(p.unit) / std::sqrt(static_cast<double>(p.d));
        EXPECT_NEAR(QuadraticLOne(p.d), expected, 1e-6 * expected) << p.d;
    }
}

TEST(BatemanHorn, ExpectedCountsMatchBruteForceCounts) {
    // 200,000 terms: the counts scatter by about 1 % around the prediction, while a wrong
    // factor for a small prime would move it by 10 % or more.
    for (const Quadratic& f :
         std::vector<Quadratic>{{1, 1, 41},                // Euler's
                                {4, -2, 1},                // NE ray from 1: 1, 3, 13, 31, …
                                {4, 0, 1},                 // NW ray from 1, discriminant -16
                                {1, 4, 2},                 // positive discriminant
                                {6, 6, 1},                 // a not 4, positive discriminant 12
                                {4, 2098, 2147480917}}) {  // a ray near the top of the range
        SCOPED_TRACE(::testing::Message() << f.a << " " << f.b << " " << f.c);
        const double constant = BatemanHornConstant(f);
        const RayStatistics s = MeasureQuadratic(f, 200'000, constant);
        EXPECT_EQ(s.terms, 200'000);
        EXPECT_NEAR(static_cast<double>(s.primes) / s.expected, 1, 0.02)
            << s.primes << " primes, " << s.expected << " expected";
    }
}

TEST(BatemanHorn, RayStatisticsRules) {
    const double oneC = BatemanHornConstant({1, 0, 1});
    const double minusTwoC = BatemanHornConstant({1, 0, -2});
    const double unchecked = std::numeric_limits<double>::quiet_NaN();
    const struct {
        Quadratic f;
        std::int64_t terms;
        double constant;
        RayStatistics expected;  // `expected` NaN: not checked
    } cases[] = {
        // Euler's 40 primes in a row, then 41².
        {{1, 1, 41}, 40, 6.6, {40, 40, unchecked, 40}},
        {{1, 1, 41}, 41, 6.6, {41, 40, unchecked, 40}},
        {{1, 1, 41}, 0, 6.6, {0, 0, 0, 0}},
        // 1, 2, 5: two primes; only 5 counts towards the expectation (1/ln f for f >= 3).
        {{1, 0, 1}, 3, oneC, {3, 2, oneC / std::log(5.0), 2}},
        // -2, -1, 2, 7: negative values are no primes.
        {{1, 0, -2}, 4, minusTwoC, {4, 2, minusTwoC / std::log(7.0), 2}},
        // Capped at a million terms; 2 is the only prime of an even ray.
        {{4, 2, 2}, 50'000'000, 0, {kMaxRayTerms, 1, 0, 1}},
        // Stops before a value passes 2^64 - 1: 1, 2^62 + 1, then 2^64 + 1.
        {{std::int64_t{1} << 62, 0, 1}, 10, 1, {2, 0, 1 / std::log(0x1p62), 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.f.a << " " << c.f.b << " " << c.f.c << " K " << c.terms);
        const RayStatistics s = MeasureQuadratic(c.f, c.terms, c.constant);
        EXPECT_EQ(s.terms, c.expected.terms);
        EXPECT_EQ(s.primes, c.expected.primes);
        EXPECT_EQ(s.longestRun, c.expected.longestRun);
        if (!std::isnan(c.expected.expected)) {
            EXPECT_NEAR(s.expected, c.expected.expected, 1e-12);
        }
    }
}

}  // namespace
}  // namespace quorvel
