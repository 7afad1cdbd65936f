// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <numeric>
#include <random>
#include <string>

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
    // Once beyond reach (a discriminant of -2^65 + 16), now worked out.
    EXPECT_NEAR(BatemanHornConstant({4, 0, INT64_MAX / 4}) / 2.818682634, 1, 1e-8);
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
std::int64_t CountReducedForms(std::int64_t d) {
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
            2 * std::numbers::pi * static_cast<double>(CountReducedForms(d)) / (w * std::sqrt(-d));
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

// Values from PARI/GP 2.15 (the Euler product written as log L(s, χ) and ζ values, to 40
// digits); 12 significant digits are promised.
TEST(BatemanHorn, TwelveDigitsAgainstPari) {
    const struct {
        Quadratic f;
        double constant;
    } cases[] = {
        {{1, 1, 41}, 6.639546354942843},        {{1, 0, 1}, 1.372813462818246},
        {{4, -2, 1}, 2.241465507098583},        {{1, 4, 2}, 1.850054409410102},
        {{6, 6, 1}, 4.150272867861787},         {{2, 0, 9}, 2.852252416960772},  // disc -8·3²
        {{1, 0, -2}, 1.850054409410102},        {{3, 1, 5}, 1.501266138696624},
        {{4, 2, 1'000'001}, 4.015591707499271},  // D = -4000003, h = 248
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.f.a << " " << c.f.b << " " << c.f.c);
        EXPECT_NEAR(BatemanHornConstant(c.f) / c.constant, 1, 1e-12);
    }
}

// Far out the class number comes from Shanks' method: PARI's quadclassunit agrees, and the
// constant agrees with an Euler product to 10^7 divided by π h / √|D| (itself good to about
// 10^-11) as far as the promise beyond 2^40 goes.
TEST(BatemanHorn, RaysNearTheTopOfTheViews) {
    const struct {
        Quadratic f;
        const char* discriminant;
        const char* fundamental;
        std::int64_t h;
        double constant;
    } cases[] = {
        {{4, 2, 1'000'000'000'000'000'001},
         "-16000000000000000012",
         "-4000000000000000003",
         255070498,
         3.911001671971753},
        {{4, -2, INT64_MAX},
         "-147573952589676412908",
         "-4099276460824344803",
         634835660,
         2.055980757797078},
        {{4, 0, INT64_MAX / 4},
         "-36893488147419103216",
         "-2305843009213693951",
         740609005,
         2.818682634952641},
        {{4, 810, 1'000'000'000'000'040'805},
         "-15999999999999996780",
         "-444444444444444355",
         72138848,
         3.026817828112130},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.discriminant);
        const ConstantParts parts = BatemanHornParts(c.f);
        EXPECT_EQ(DecimalText(*Discriminant(c.f)), c.discriminant);
        EXPECT_EQ(DecimalText(parts.fundamental), c.fundamental);
        EXPECT_EQ(parts.classNumber, c.h);
        EXPECT_EQ(parts.reason, ZeroReason::None);
        EXPECT_NEAR(parts.constant / c.constant, 1, 1e-8);
        EXPECT_NEAR(
            parts.lOne * std::sqrt(-static_cast<double>(parts.fundamental)) / std::numbers::pi,
            static_cast<double>(c.h), 1e-3);
    }
}

// x² + q² differs from x² + 1 only at the prime q, which now divides the discriminant: one root
// there instead of 1 + χ_-4(q). A prime of the discriminant is taken exactly wherever it lies:
// below the product's bound, above it, and past 2^31.
TEST(BatemanHorn, APrimeOfTheDiscriminantIsTakenExactly) {
    const double base = BatemanHornConstant({1, 0, 1});
    for (const std::int64_t q : {3, 5, 131071, 131101, 1000003, 1000033, 2147483647}) {
        const auto prime = static_cast<double>(q);
        // ω(q) = 1 instead of 0 (q ≡ 3 mod 4) or 2 (q ≡ 1 mod 4).
        const double factor = q % 4 == 3 ? 1 - 1 / prime : (1 - 1 / prime) / (1 - 2 / prime);
        EXPECT_NEAR(BatemanHornConstant({1, 0, q * q}) / (base * factor), 1, 1e-13) << q;
    }
    // D = -p for the least prime p ≡ 3 (mod 4) past 2^64, which is factored as prime: h from
    // PARI's quadclassunit, C(f) from an Euler product to 10^7 over π h / √p.
    const ConstantParts parts = BatemanHornParts({1, 1, 4'611'686'018'427'387'917});
    EXPECT_EQ(DecimalText(parts.fundamental), "-18446744073709551667");
    EXPECT_EQ(parts.classNumber, 397275405);
    EXPECT_NEAR(parts.constant / 5.564499900038800, 1, 1e-8);
}

// Shanks' method against the series on larger groups, some with a large 2-part.
TEST(BatemanHorn, ShanksAgreesWithTheSeries) {
    std::mt19937_64 random(7);
    int checked = 0;
    while (checked < 12) {
        const auto d = -static_cast<std::int64_t>(1'000'000 + random() % 4'000'000'000);
        if (!IsFundamental(d)) continue;
        ++checked;
        EXPECT_EQ(ClassNumberShanks(d), ClassNumber(d)) << d;
    }
    // 2^10 divides h (eleven primes), the group far from cyclic.
    const std::int64_t many = -4 * 3 * 5 * 7 * 11 * 13 * 17 * 19 * 23 * std::int64_t{29 * 31};
    ASSERT_TRUE(IsFundamental(many));
    EXPECT_EQ(ClassNumberShanks(many), ClassNumber(many));
}

TEST(BatemanHorn, ClassNumbers) {
    // Small ones by the series and by Shanks' method alike.
    const struct {
        Int128 d;
        std::int64_t h;
    } cases[] = {{-3, 1},
                 {-4, 1},
                 {-163, 1},
                 {-23, 3},
                 {-47, 5},
                 {-71, 7},
                 {-59, 3},
                 {-4000003, 248},
                 {-8588823267, 19664},
                 // Many small primes, so a large 2-part (genus theory: 2^6 divides h).
                 {-4 * 3 * 5 * 7 * 11 * 13 * 17 * std::int64_t{19}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(DecimalText(c.d));
        const std::int64_t h = ClassNumber(c.d);
        if (c.h != 0) {
            EXPECT_EQ(h, c.h);
        }
        if (c.d < -4) {
            EXPECT_EQ(ClassNumberShanks(c.d), h);
        }
    }
    // Shanks' method against counted reduced forms.
    for (std::int64_t d = -7; d >= -3000; d -= 29) {
        if (IsFundamental(d)) {
            ASSERT_EQ(ClassNumberShanks(d), CountReducedForms(d)) << d;
        }
    }
    EXPECT_EQ(ClassNumber(5), 0);
    EXPECT_EQ(ClassNumber(static_cast<Int128>(-1) << 90), 0);  // beyond reach
}

TEST(BatemanHorn, FundamentalDiscriminants) {
    constexpr Int128 kP = 8'589'934'609;   // the least prime above 2^33
    constexpr Int128 kQ = 17'179'869'209;  // the least prime above 2^34
    const struct {
        Int128 discriminant;
        Int128 fundamental;
    } cases[] = {
        {-652, -163},
        {-4 * 7 * 9, -7},
        {72, 8},
        {12, 12},
        {300, 12},
        {-16, -4},
        {36, 1},
        {0, 1},
        {5 * kP * kP, 5},
        {-kP * kQ * 9, -4 * kP * kQ},  // two large primes: Pollard's rho past 64 bits
        {-(static_cast<Int128>(1) << 67) + 20, -4099276460824344803},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalText(FundamentalDiscriminant(c.discriminant)), DecimalText(c.fundamental))
            << DecimalText(c.discriminant);
    }
    EXPECT_EQ(FundamentalDiscriminant(static_cast<Int128>(1) << 90), 0);  // beyond reach
}

TEST(BatemanHorn, LValuesToFourteenDigits) {
    const double phi = (1 + std::sqrt(5.0)) / 2;
    const struct {
        Int128 d;
        double one;
        double two;  // NaN: not checked
    } cases[] = {
        {-4, std::numbers::pi / 4, 0.9159655941772190},  // Catalan's constant
        {5, 2 * std::log(phi) / std::sqrt(5.0), 0.7062114032597410},
        {-163, std::numbers::pi / std::sqrt(163.0), 0.6623863326993112},
        {8, std::log(1 + std::sqrt(2.0)) / std::sqrt(2.0), 0.8723580249548599},
        {229, 1.075468516052944, std::numeric_limits<double>::quiet_NaN()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(DecimalText(c.d));
        EXPECT_NEAR(QuadraticLOne(c.d) / c.one, 1, 1e-14);
        if (!std::isnan(c.two)) {
            EXPECT_NEAR(QuadraticLTwo(c.d) / c.two, 1, 1e-14);
        }
    }
    EXPECT_TRUE(std::isnan(QuadraticLTwo(-4000000000000000003)));  // past the series' reach
    EXPECT_TRUE(std::isnan(QuadraticLOne(4000000000000000001)));
}

TEST(BatemanHorn, ZeroConstantsSayWhy) {
    const struct {
        Quadratic f;
        ZeroReason reason;
    } cases[] = {
        {{4, 140, 1225}, ZeroReason::Square},  // (2i + 35)²
        {{4, 0, 0}, ZeroReason::Square},      {{1, 0, -1}, ZeroReason::Factors},
        {{6, 5, 1}, ZeroReason::Factors},  // (2i + 1)(3i + 1)
        {{4, 2, 2}, ZeroReason::Shared},      {{1, 1, 2}, ZeroReason::Shared},
        {{3, 3, 3}, ZeroReason::Shared},      {{1, 0, 1}, ZeroReason::None},
    };
    for (const auto& c : cases) {
        const ConstantParts parts = BatemanHornParts(c.f);
        EXPECT_EQ(parts.reason, c.reason) << c.f.a << " " << c.f.b << " " << c.f.c;
        EXPECT_EQ(parts.constant == 0, c.reason != ZeroReason::None);
    }
}

TEST(BatemanHorn, DiscriminantsPast64Bits) {
    const struct {
        Quadratic f;
        const char* text;  // nullptr: past 128 bits
    } cases[] = {
        {{1, INT64_MIN, 0}, "85070591730234615865843651857942052864"},
        {{4, -2, INT64_MAX}, "-147573952589676412908"},
        {{INT64_MAX, 0, INT64_MAX}, nullptr},
        {{INT64_MIN, 0, INT64_MAX}, nullptr},
        {{1, 1, 41}, "-163"},
    };
    for (const auto& c : cases) {
        const std::optional<Int128> d = Discriminant(c.f);
        EXPECT_EQ(d.has_value(), c.text != nullptr);
        if (d && c.text) {
            EXPECT_EQ(DecimalText(*d), c.text);
        }
    }
}

}  // namespace
}  // namespace quorvel
