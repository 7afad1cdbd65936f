// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_window.h"

#include <algorithm>

#include "engine/work_share.h"

namespace quorvel {

using primelib::kMaxNumber;

void PrimeWindow::Prepare(std::int32_t first, std::int32_t last, bool withFactorCounts) {
    first_ = std::max<std::int32_t>(first, 0);
    last_ = std::min<std::int32_t>(last, kMaxNumber);
    withFactors_ = withFactorCounts;
    sievedFirst_ = 1;
    sievedLast_ = 0;
    blockFirst_ = 1;
    blockLast_ = 0;
}

bool PrimeWindow::IsPrimeSlow(std::int32_t n) {
    if (!InWindow(n)) return primelib::is_prime(n, n) == 1;
    LoadBlockOf(n);
    return TestBit(n - sievedFirst_);
}

int PrimeWindow::DistinctPrimeFactorsSlow(std::int32_t n) {
    if (!withFactors_ || !InWindow(n)) return primelib::factor(n, n, nullptr, nullptr);
    LoadBlockOf(n);
    return factorCount_[static_cast<std::size_t>(n - sievedFirst_)];
}

void PrimeWindow::LoadBlockOf(std::int32_t n) {
    if (n < sievedFirst_ || n > sievedLast_) {
        const std::int64_t sweep =
            std::int64_t{kBlockSize} * (withFactors_ ? kSweepBlocksWithFactors : kSweepBlocks);
        const std::int64_t first = first_ + std::int64_t{n - first_} / sweep * sweep;
        const std::int64_t last = std::min<std::int64_t>(first + sweep - 1, last_);
        const auto length = static_cast<std::size_t>(last - first + 1);
        primeBits_.resize(static_cast<std::size_t>(BlockSieve::WordsFor(last - first + 1)));
        if (withFactors_) factorCount_.resize(length);
        // Two halves, on two cores where there are: each sieving prime is set up once a half.
        const std::int64_t half =
            length >= kShareFrom ? (length / 2 + 63) / 64 * 64 : static_cast<std::int64_t>(length);
        WorkShare::Run(half < static_cast<std::int64_t>(length) ? 2 : 1, [&](int piece) {
            const std::int64_t from = first + piece * half;
            const std::int64_t to = piece == 0 ? std::min(last, first + half - 1) : last;
            std::uint64_t* bits = primeBits_.data() + (from - first) / 64;
            // Factor counts tell primality too, so one sieve serves.
            if (withFactors_) {
                sieves_[piece].FactorCounts(static_cast<std::int32_t>(from),
                                            static_cast<std::int32_t>(to),
                                            factorCount_.data() + (from - first), bits);
            } else {
                sieves_[piece].Primes(static_cast<std::int32_t>(from),
                                      static_cast<std::int32_t>(to), bits);
            }
        });
        sievedFirst_ = static_cast<std::int32_t>(first);
        sievedLast_ = static_cast<std::int32_t>(last);
    }
    const std::int64_t block = first_ + std::int64_t{n - first_} / kBlockSize * kBlockSize;
    blockFirst_ = static_cast<std::int32_t>(block);
    blockLast_ = static_cast<std::int32_t>(std::min<std::int64_t>(block + kBlockSize - 1, last_));
}

}  // namespace quorvel
