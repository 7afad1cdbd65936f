// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/number_class.h"
#include "engine/number_theory.h"

namespace quorvel {
namespace {

// Bits of `count` numbers from `first` on, bit `at` + j for first + j.
struct Stretch {
    std::int64_t first;
    std::int64_t count;
    std::int64_t at;
};

bool Bit(const std::uint64_t* bits, std::int64_t i) {
    return ((bits[i >> 6] >> (i & 63)) & 1) != 0;
}

// Each class marks in stretches exactly what the rule for one number marks, one number at a
// time and in the same order, whatever the stretch's length and its place among the bits; and
// counts what it marks. The stretches follow each other from the central number on, as a walk
// asks for them, and start anywhere inside a word.
TEST(NumberClass, StretchesMarkWhatTheRuleForOneNumberMarks) {
    const std::vector<std::int64_t> lengths = {1, 2, 63, 64, 65, 7, 200, 1, 130};
    for (const ShowMode mode : {ShowMode::Primes, ShowMode::Random, ShowMode::Squares,
                                ShowMode::Triangular, ShowMode::All, static_cast<ShowMode>(9)}) {
        for (const std::int64_t start : {0, 1, 2, 35, 99'000, 268'435'000, 2'147'482'000}) {
            SCOPED_TRACE(::testing::Message()
                         << "show " << static_cast<int>(mode) << " start " << start);
            const auto numbers = MakeNumberClass(mode);
            EXPECT_EQ(numbers->Mode(), mode);
            numbers->Restart(start);
            RandomSource random;
            random.Restart(static_cast<std::int32_t>(-start));
            std::int64_t n = start;
            for (std::size_t i = 0; i < lengths.size(); ++i) {
                const Stretch s{n, lengths[i], static_cast<std::int64_t>(i * 29 % 64)};
                std::vector<std::uint64_t> primes(8, 0);
                std::vector<std::uint64_t> marks(8, ~std::uint64_t{0});
                for (std::int64_t j = 0; j < s.count; ++j) {
                    if (IsPrime64(static_cast<std::uint64_t>(s.first + j)))
                        primes[(s.at + j) >> 6] |= std::uint64_t{1} << ((s.at + j) & 63);
                }
                const std::uint64_t* got =
                    numbers->Mark(s.first, s.count, primes.data(), s.at, marks.data());
                std::int64_t marked = 0;
                for (std::int64_t j = 0; j < s.count; ++j) {
                    const auto m = static_cast<std::int32_t>(s.first + j);
                    const bool isPrime = Bit(primes.data(), s.at + j);
                    const bool expected = IsShownKnowingPrimality(m, isPrime, mode, random);
                    ASSERT_EQ(Bit(got, s.at + j), expected) << "number " << m;
                    marked += expected;
                    if (isPrime && numbers->MarksEveryPrime()) {
                        EXPECT_TRUE(expected) << m;
                    }
                    if (isPrime && !numbers->MayMarkPrimes()) {
                        EXPECT_FALSE(expected) << m;
                    }
                }
                if (!numbers->Sequential()) {
                    EXPECT_EQ(numbers->Count(s.first, s.count, primes.data(), s.at, marks.data()),
                              marked);
                }
                n += s.count;
            }
        }
    }
}

// The views that go anywhere ask about 64-bit numbers: squares and triangular numbers are
// found exactly there, between neighbours that differ by one.
TEST(NumberClass, SquaresAndTriangularNumbersFarOut) {
    struct Case {
        ShowMode mode;
        std::uint64_t k;
    };
    const auto value = [](ShowMode mode, std::uint64_t k) {
        return mode == ShowMode::Squares ? k * k : k * (k + 1) / 2;
    };
    for (const Case c :
         {Case{ShowMode::Squares, 999'999'999}, Case{ShowMode::Squares, 3'037'000'499},
          Case{ShowMode::Triangular, 1'414'213'562}, Case{ShowMode::Triangular, 4'294'967'294}}) {
        const auto numbers = MakeNumberClass(c.mode);
        const std::uint64_t v = value(c.mode, c.k);
        const auto first = static_cast<std::int64_t>(v - 100);
        std::vector<std::uint64_t> marks(4, 0);
        const std::uint64_t* got = numbers->Mark(first, 201, nullptr, 30, marks.data());
        for (std::int64_t j = 0; j < 201; ++j)
            EXPECT_EQ(Bit(got, 30 + j), j == 100) << v << " + " << j - 100;
        EXPECT_EQ(numbers->Count(first, 201, nullptr, 0, marks.data()), 1);
        EXPECT_EQ(numbers->Count(0, first + 201, nullptr, 0, marks.data()),
                  static_cast<std::int64_t>(c.k) + 1);  // k = 0 counts too
    }
}

TEST(NumberClass, PicturesOfTriangularNumbersStopWhereTheRuleDoes) {
    EXPECT_EQ(LargestShownNumber(ShowMode::Triangular), kLargestTriangularCandidate);
    for (const ShowMode mode :
         {ShowMode::Primes, ShowMode::Random, ShowMode::Squares, ShowMode::All})
        EXPECT_GT(LargestShownNumber(mode), std::int64_t{primelib::kMaxNumber});
}

}  // namespace
}  // namespace quorvel
