#pragma once

#include <cstdint>
#include <vector>

#include "engine/primelib.h"

namespace quorvel {

// Primality and distinct-prime-factor counts for the numbers of one picture. A drawing pass
// asks about every number from its centre number to its end number in increasing order, so
// instead of a test per number the window sieves them block by block with the small primes.
// Numbers outside the prepared range are answered by the scattered-query entry points.
class PrimeWindow {
  public:
    // Numbers per sieved block: small enough for the caches, large enough that the per-prime
    // set-up of a block is cheap against the sieving itself.
    static constexpr std::int32_t kBlockSize = 1 << 17;

    // Prepares answers for first … last (clamped to 0 … kMaxNumber). Factor counts are
    // sieved only when asked for, since most pictures never need them.
    void Prepare(std::int32_t first, std::int32_t last, bool withFactorCounts);

    bool IsPrime(std::int32_t n) {
        if (n >= blockFirst_ && n <= blockLast_) return isPrime_[n - blockFirst_] != 0;
        return IsPrimeSlow(n);
    }

    // The number of distinct prime factors of n (0 for 0 and 1).
    int DistinctPrimeFactors(std::int32_t n) {
        if (withFactors_ && n >= blockFirst_ && n <= blockLast_)
            return factorCount_[n - blockFirst_];
        return DistinctPrimeFactorsSlow(n);
    }

  private:
    bool IsPrimeSlow(std::int32_t n);
    int DistinctPrimeFactorsSlow(std::int32_t n);
    bool InWindow(std::int32_t n) const { return n >= first_ && n <= last_; }
    void LoadBlockOf(std::int32_t n);
    void SievePrimes(std::int64_t first, std::int64_t last);
    void SieveFactorCounts(std::int64_t first, std::int64_t last);

    std::int32_t first_ = 0;
    std::int32_t last_ = -1;
    bool withFactors_ = false;
    // The block in memory; empty while blockFirst_ > blockLast_.
    std::int32_t blockFirst_ = 1;
    std::int32_t blockLast_ = 0;
    std::vector<std::uint8_t> isPrime_;
    std::vector<std::uint8_t> factorCount_;
    std::vector<std::uint32_t> smoothPart_;
};

}  // namespace quorvel
