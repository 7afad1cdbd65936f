// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace quorvel {

// Sieves any stretch of 0 … kMaxNumber into memory the caller owns: prime bits one per number,
// and on request the number of distinct prime factors one byte per number. PrimeWindow uses it
// for its blocks; a drawing pass may also run one on another thread to sieve ahead of its walk.
//
// Thread safety: the tables behind it (sieving primes, wheel patterns) are built once, on first
// use by any object, and only read afterwards. Each object keeps its own working memory, so
// objects on different threads may sieve at the same time; one object serves one thread at a
// time.
class BlockSieve {
  public:
    // Words of prime bits for `count` numbers.
    static constexpr std::int64_t WordsFor(std::int64_t count) { return (count + 63) / 64; }

    // For n = first … last (0 <= first <= last <= kMaxNumber): sets bit (n - first) of `bits`
    // when n is prime and clears it otherwise. Writes exactly WordsFor(last - first + 1) words;
    // the bits past `last` in the final word are cleared. Any other first and last write
    // nothing.
    void Primes(std::int32_t first, std::int32_t last, std::uint64_t* bits);

    // The same prime bits, and counts[n - first] = the number of distinct prime factors of n
    // (0 for 0 and 1) for n = first … last.
    void FactorCounts(std::int32_t first, std::int32_t last, std::uint8_t* counts,
                      std::uint64_t* bits);

  private:
    void FactorSweep(std::int32_t first, std::int32_t last, std::uint8_t* counts,
                     std::uint64_t* bits);

    std::vector<std::uint8_t> segment_;     // one bit per number coprime to 30
    std::vector<std::uint32_t> next_;       // per sieving prime or prime power: next offset
    std::vector<std::uint8_t> wheelIndex_;  // per sieving prime: residue of its next multiplier
    std::vector<std::uint16_t> factorSums_;
    std::vector<std::uint8_t> noSmallFactor_;
};

}  // namespace quorvel
