// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <random>

#include "engine/prime_window.h"

namespace quorvel {

// Which numbers get a mark; the values are the positions in the "Show" list.
enum class ShowMode : int { Primes = 0, Random = 1, Squares = 2, Triangular = 3, All = 4 };

// Triangular numbers are only tested up to 2147483646 \ 8, where 8n + 1 still fits 32 bits.
inline constexpr std::int32_t kLargestTriangularCandidate = primelib::kMaxNumber / 8;

// Uniform values 0 <= r < 1 that repeat for the same starting value, so that one centre
// number always shows the same random selection.
class RandomSource {
  public:
    void Restart(std::int32_t value) { engine_ = std::mt19937(static_cast<std::uint32_t>(value)); }
    // 24 random bits scaled by 2^-24: never 1.0, unlike generate_canonical<float>.
    float Next() { return static_cast<float>(engine_() >> 8) * 0x1.0p-24f; }

  private:
    std::mt19937 engine_;
};

// Rounds to the nearest integer, ties to even.
inline std::int64_t RoundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

inline bool IsSquareNumber(std::int32_t n) {
    if (n < 0) return false;
    const std::int64_t k = RoundHalfEven(std::sqrt(static_cast<double>(n)));
    return k * k == n;  // 64 bits: above 2147441940, k = 46341 and k² passes 2^31
}

inline bool IsTriangularNumber(std::int32_t n) {
    if (n < 0 || n > kLargestTriangularCandidate) return false;
    const double s = std::sqrt(8.0 * n + 1.0);
    const std::int64_t k = RoundHalfEven((s - 1.0) * 0.5);
    return n == (k * k + k) / 2;
}

// Whether n gets a mark in `mode`, knowing whether it is prime. Random: odd n >= 3 is marked
// with probability 2 / (ln n + 0.5), the density of the primes among the odd numbers, and
// exactly one random value is drawn for each such n.
inline bool IsShownKnowingPrimality(std::int32_t n, bool isPrime, ShowMode mode,
                                    RandomSource& random) {
    switch (mode) {
        case ShowMode::Primes:
            return isPrime;
        case ShowMode::Random: {
            if (n <= 2 || n % 2 == 0) return false;
            const float r = random.Next();
            const auto v = static_cast<float>(1.0 - 2.0 / (std::log(static_cast<double>(n)) + 0.5));
            return v < r;
        }
        case ShowMode::Squares:
            return IsSquareNumber(n);
        case ShowMode::Triangular:
            return IsTriangularNumber(n);
        case ShowMode::All:
            return true;
    }
    return false;
}

// Whether n gets a mark in `mode`; `isPrime` receives whether n is prime, in every mode.
inline bool IsNumberShown(std::int32_t n, ShowMode mode, PrimeWindow& primes, RandomSource& random,
                          bool& isPrime) {
    isPrime = n != 0 && primes.IsPrime(n);
    return IsShownKnowingPrimality(n, isPrime, mode, random);
}

}  // namespace quorvel
