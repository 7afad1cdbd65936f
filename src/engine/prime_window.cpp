// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_window.h"

#include <algorithm>

namespace quorvel {

using primelib::kMaxNumber;

void PrimeWindow::Prepare(std::int32_t first, std::int32_t last, bool withFactorCounts,
                          NumberColours colours) {
    ahead_.Finish();  // it may still write into the last picture's sweep
    first_ = std::max<std::int32_t>(first, 0);
    last_ = std::min<std::int32_t>(last, kMaxNumber);
    withFactors_ = withFactorCounts;
    colourOf_ = colours;
    sievedFirst_ = 1;
    sievedLast_ = 0;
    readyLast_ = 0;
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

void PrimeWindow::Sieve(int sieve, std::int64_t from, std::int64_t to) {
    std::uint64_t* bits = primeBits_.data() + (from - sievedFirst_) / 64;
    // Factor counts tell primality too, so one sieve serves.
    if (withFactors_) {
        sieves_[sieve].FactorCounts(static_cast<std::int32_t>(from), static_cast<std::int32_t>(to),
                                    factorCount_.data() + (from - sievedFirst_), bits);
    } else {
        sieves_[sieve].Primes(static_cast<std::int32_t>(from), static_cast<std::int32_t>(to), bits);
    }
    if (colourOf_ != nullptr) {
        colourOf_(static_cast<std::int32_t>(from), to - from + 1, bits,
                  withFactors_ ? factorCount_.data() + (from - sievedFirst_) : nullptr,
                  colours_.data() + (from - sievedFirst_));
    }
}

void PrimeWindow::LoadBlockOf(std::int32_t n) {
    if (n < sievedFirst_ || n > sievedLast_) {
        ahead_.Finish();  // it writes where the new sweep goes
        const std::int64_t sweep =
            std::int64_t{kBlockSize} * (withFactors_ ? kSweepBlocksWithFactors : kSweepBlocks);
        const std::int64_t first = first_ + std::int64_t{n - first_} / sweep * sweep;
        const std::int64_t last = std::min<std::int64_t>(first + sweep - 1, last_);
        const std::int64_t length = last - first + 1;
        primeBits_.resize(static_cast<std::size_t>(BlockSieve::WordsFor(length)));
        if (withFactors_) factorCount_.resize(static_cast<std::size_t>(length));
        if (colourOf_ != nullptr) colours_.resize(static_cast<std::size_t>(length));
        sievedFirst_ = static_cast<std::int32_t>(first);
        sievedLast_ = static_cast<std::int32_t>(last);
        // A long sweep is sieved in two parts: the first here, while another core sieves the
        // rest, which is ready by the time the walk gets there. The first is the smaller one:
        // the walk waits for it. (Measured: a quarter, or three eighths with factor counts,
        // which take the other core longer.)
        const std::int64_t part = withFactors_ ? length * 3 / 8 : length / 4;
        if (length >= kShareFrom && n - first < part) {
            const std::int64_t rest = first + part / 64 * 64;
            ahead_.Start([this, rest, last] { Sieve(1, rest, last); });
            Sieve(0, first, rest - 1);
            readyLast_ = static_cast<std::int32_t>(rest - 1);
        } else {
            Sieve(0, first, last);
            readyLast_ = sievedLast_;
        }
    }
    if (n > readyLast_) {
        // Where the other core could not sieve the rest, this one does.
        if (!ahead_.Finish()) Sieve(1, std::int64_t{readyLast_} + 1, sievedLast_);
        readyLast_ = sievedLast_;
    }
    const std::int64_t block = first_ + std::int64_t{n - first_} / kBlockSize * kBlockSize;
    blockFirst_ = static_cast<std::int32_t>(block);
    blockLast_ = static_cast<std::int32_t>(
        std::min<std::int64_t>({block + kBlockSize - 1, last_, readyLast_}));
}

}  // namespace quorvel
