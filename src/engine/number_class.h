// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include "engine/number_selection.h"

namespace quorvel {

// A kind of number the views mark: which numbers of a stretch it marks, told from the
// stretch's prime bits where it needs them. Every view asks through this, so that a new kind
// of number is one class here and one entry in the list of kinds (MakeNumberClass).
//
// Stretches come in increasing order, each right after the one before, starting at the
// central number after Restart(): a class whose marks depend on the numbers before
// (Sequential()) counts on it.
class NumberClass {
  public:
    // How the marks relate to the primes, which the renderers' fast paths look at.
    enum class Marks {
        Primes,  // exactly the primes
        Every,   // every number
        Some,    // anything else
    };

    explicit NumberClass(ShowMode mode) : mode_(mode) {}
    virtual ~NumberClass() = default;
    NumberClass(const NumberClass&) = delete;
    NumberClass& operator=(const NumberClass&) = delete;

    // Its position in the "Show" list (--show on the command line, the settings file).
    ShowMode Mode() const { return mode_; }
    virtual Marks Kind() const { return Marks::Some; }
    // Whether Mark() and Count() read the prime bits; when not, `primes` may be null.
    virtual bool NeedsPrimes() const { return Kind() == Marks::Primes; }
    // Whether it may mark a prime at all.
    virtual bool MayMarkPrimes() const { return true; }
    // Whether every prime is marked: the smallest and largest marked primes are then the
    // smallest and largest primes.
    bool MarksEveryPrime() const { return Kind() != Marks::Some; }
    // Whether a number's mark depends on the numbers before it from the central number on,
    // so that a view has to walk the spiral from its centre to know it.
    virtual bool Sequential() const { return false; }
    // The largest number a picture of this class may hold; a picture reaching past it is
    // refused, since the marks would no longer be what the class promises.
    virtual std::int64_t Largest() const { return INT64_MAX; }

    // Back to the central number `start`, before its first stretch.
    virtual void Restart(std::int64_t /*start*/) {}

    // The marks of the numbers first … first + count - 1 (count >= 1, first >= 0): bit at + j
    // for first + j, where bit at + j of `primes` tells whether first + j is prime. Writes
    // them into `marks` (the same bits of it; the others may change too) and returns it, or
    // returns `primes` itself when the marks are the primes.
    virtual const std::uint64_t* Mark(std::int64_t first, std::int64_t count,
                                      const std::uint64_t* primes, std::int64_t at,
                                      std::uint64_t* marks) = 0;

    // How many of those numbers are marked; `marks` as above, room to work in.
    virtual std::int64_t Count(std::int64_t first, std::int64_t count, const std::uint64_t* primes,
                               std::int64_t at, std::uint64_t* marks);

  private:
    ShowMode mode_;
};

// The kinds of number, in the order of the "Show" list.
inline constexpr int kShowModeCount = 5;

// Whether `mode` is a position of the list.
constexpr bool IsKnownShowMode(ShowMode mode) {
    return static_cast<int>(mode) >= 0 && static_cast<int>(mode) < kShowModeCount;
}

// The class at a position of the list; at a position the program does not know, one that
// marks nothing.
std::unique_ptr<NumberClass> MakeNumberClass(ShowMode mode);

// The largest number a picture of the class at `mode` may hold.
std::int64_t LargestShownNumber(ShowMode mode);

// How many of bits from … from + count - 1 are set.
std::int64_t CountSetBits(const std::uint64_t* bits, std::int64_t from, std::int64_t count);

// Sets or clears bits from … from + count - 1.
void FillBits(std::uint64_t* bits, std::int64_t from, std::int64_t count, bool set);

}  // namespace quorvel
