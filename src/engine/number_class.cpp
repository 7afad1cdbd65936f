// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_class.h"

#include <algorithm>
#include <cmath>

#include "engine/number_theory.h"
#include "engine/prime_window.h"

namespace quorvel {
namespace {

__extension__ using U128 = unsigned __int128;

class PrimeNumbers final : public NumberClass {
  public:
    PrimeNumbers() : NumberClass(ShowMode::Primes) {}
    Marks Kind() const override { return Marks::Primes; }
    const std::uint64_t* Mark(std::int64_t, std::int64_t, const std::uint64_t* primes, std::int64_t,
                              std::uint64_t*) override {
        return primes;
    }
    std::int64_t Count(std::int64_t, std::int64_t count, const std::uint64_t* primes,
                       std::int64_t at, std::uint64_t*) override {
        return CountSetBits(primes, at, count);
    }
};

class AllNumbers final : public NumberClass {
  public:
    AllNumbers() : NumberClass(ShowMode::All) {}
    Marks Kind() const override { return Marks::Every; }
    const std::uint64_t* Mark(std::int64_t, std::int64_t count, const std::uint64_t*,
                              std::int64_t at, std::uint64_t* marks) override {
        FillBits(marks, at, count, true);
        return marks;
    }
    std::int64_t Count(std::int64_t, std::int64_t count, const std::uint64_t*, std::int64_t,
                       std::uint64_t*) override {
        return count;
    }
};

// Odd numbers from 3 on, each with probability 2 / (ln n + 0.5), the density of the primes
// among the odd numbers; one random value is drawn for each of them, in order, from a
// generator started afresh from the central number.
class RandomNumbers final : public NumberClass {
  public:
    RandomNumbers() : NumberClass(ShowMode::Random) {}
    bool Sequential() const override { return true; }
    void Restart(std::int64_t start) override {
        random_.Restart(static_cast<std::int32_t>(-start));
    }
    const std::uint64_t* Mark(std::int64_t first, std::int64_t count, const std::uint64_t*,
                              std::int64_t at, std::uint64_t* marks) override {
        FillBits(marks, at, count, false);
        for (std::int64_t j = 0; j < count; ++j) {
            const auto n = static_cast<std::int32_t>(first + j);
            if (IsShownKnowingPrimality(n, false, ShowMode::Random, random_))
                marks[(at + j) >> 6] |= std::uint64_t{1} << ((at + j) & 63);
        }
        return marks;
    }

  private:
    RandomSource random_;
};

// Numbers of the form f(k), k = 0, 1, …, for an increasing f: the marks are found by stepping
// from the first k whose f(k) lies in the stretch, never by testing every number.
class SteppedNumbers : public NumberClass {
  public:
    using NumberClass::NumberClass;
    bool MayMarkPrimes() const override { return false; }
    const std::uint64_t* Mark(std::int64_t first, std::int64_t count, const std::uint64_t*,
                              std::int64_t at, std::uint64_t* marks) override {
        FillBits(marks, at, count, false);
        const std::uint64_t last = LastOf(first, count);
        for (std::uint64_t k = AtMost(static_cast<std::uint64_t>(first) - 1) + 1;; ++k) {
            const U128 v = Value(k);
            if (v > last) break;
            const auto j = static_cast<std::int64_t>(v - static_cast<std::uint64_t>(first));
            marks[(at + j) >> 6] |= std::uint64_t{1} << ((at + j) & 63);
        }
        return marks;
    }
    std::int64_t Count(std::int64_t first, std::int64_t count, const std::uint64_t*, std::int64_t,
                       std::uint64_t*) override {
        return static_cast<std::int64_t>(AtMost(LastOf(first, count)) -
                                         AtMost(static_cast<std::uint64_t>(first) - 1));
    }

  protected:
    virtual U128 Value(std::uint64_t k) const = 0;
    // The stretch may end at 2^63 - 1, where first + count would overflow a signed sum.
    static std::uint64_t LastOf(std::int64_t first, std::int64_t count) {
        return static_cast<std::uint64_t>(first) + static_cast<std::uint64_t>(count) - 1;
    }
    // How many k have f(k) <= x, minus one: the largest such k (all ones, -1, when none, for
    // x = 2^64 - 1 standing for -1).
    std::uint64_t AtMost(std::uint64_t x) const {
        if (x == UINT64_MAX) return UINT64_MAX;
        std::uint64_t k = Estimate(x);
        while (k != UINT64_MAX && Value(k) > x)
            --k;
        while (Value(k + 1) <= x)
            ++k;
        return k;
    }
    // A guess at the largest k with f(k) <= x, off by a step or two at most.
    virtual std::uint64_t Estimate(std::uint64_t x) const = 0;
};

class SquareNumbers final : public SteppedNumbers {
  public:
    SquareNumbers() : SteppedNumbers(ShowMode::Squares) {}

  protected:
    U128 Value(std::uint64_t k) const override { return U128{k} * k; }
    std::uint64_t Estimate(std::uint64_t x) const override { return IntegerSqrt(x); }
};

// Triangular numbers k(k + 1) / 2. Pictures stop at 268435455, where 8n + 1 still fits 32 bits,
// as the rule for a single number does; the large view finds them anywhere.
class TriangularNumbers final : public SteppedNumbers {
  public:
    TriangularNumbers() : SteppedNumbers(ShowMode::Triangular) {}
    bool MayMarkPrimes() const override { return true; }  // 3
    std::int64_t Largest() const override { return kLargestTriangularCandidate; }

  protected:
    U128 Value(std::uint64_t k) const override { return U128{k} * (k + 1) / 2; }
    std::uint64_t Estimate(std::uint64_t x) const override {
        // k² < 2x: the root of 2x, in 64 bits up to x < 2^63.
        return IntegerSqrt(std::min<std::uint64_t>(x, INT64_MAX) * 2);
    }
};

// A list position the program does not know marks nothing.
class NoNumbers final : public NumberClass {
  public:
    explicit NoNumbers(ShowMode mode) : NumberClass(mode) {}
    bool MayMarkPrimes() const override { return false; }
    const std::uint64_t* Mark(std::int64_t, std::int64_t count, const std::uint64_t*,
                              std::int64_t at, std::uint64_t* marks) override {
        FillBits(marks, at, count, false);
        return marks;
    }
    std::int64_t Count(std::int64_t, std::int64_t, const std::uint64_t*, std::int64_t,
                       std::uint64_t*) override {
        return 0;
    }
};

}  // namespace

std::int64_t NumberClass::Count(std::int64_t first, std::int64_t count, const std::uint64_t* primes,
                                std::int64_t at, std::uint64_t* marks) {
    return CountSetBits(Mark(first, count, primes, at, marks), at, count);
}

std::unique_ptr<NumberClass> MakeNumberClass(ShowMode mode) {
    switch (mode) {
        case ShowMode::Primes:
            return std::make_unique<PrimeNumbers>();
        case ShowMode::Random:
            return std::make_unique<RandomNumbers>();
        case ShowMode::Squares:
            return std::make_unique<SquareNumbers>();
        case ShowMode::Triangular:
            return std::make_unique<TriangularNumbers>();
        case ShowMode::All:
            return std::make_unique<AllNumbers>();
    }
    return std::make_unique<NoNumbers>(mode);
}

std::int64_t LargestShownNumber(ShowMode mode) {
    return MakeNumberClass(mode)->Largest();
}

std::int64_t CountSetBits(const std::uint64_t* bits, std::int64_t from, std::int64_t count) {
    if (count <= 0) return 0;
    std::int64_t total = 0;
    ForEachWordOf(bits, from, count,
                  [&](std::uint64_t word, std::int64_t) { total += BitsSet(word); });
    return total;
}

void FillBits(std::uint64_t* bits, std::int64_t from, std::int64_t count, bool set) {
    if (count <= 0) return;
    const std::int64_t end = from + count;
    const std::int64_t firstWord = from >> 6;
    const std::int64_t lastWord = (end - 1) >> 6;
    for (std::int64_t w = firstWord; w <= lastWord; ++w) {
        std::uint64_t mask = ~std::uint64_t{0};
        if (w == firstWord) mask &= ~std::uint64_t{0} << (from & 63);
        if (w == lastWord && ((end - 1) & 63) != 63)
            mask &= (std::uint64_t{2} << ((end - 1) & 63)) - 1;
        bits[w] = set ? bits[w] | mask : bits[w] & ~mask;
    }
}

}  // namespace quorvel
