// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_feed.h"

#include <algorithm>

#include "engine/block_sieve.h"

namespace quorvel {

PrimeFeed::PrimeFeed(std::int32_t first, std::int32_t last, bool withFactorCounts, int threads)
    : first_(first), last_(last), withFactorCounts_(withFactorCounts) {
    own_.Prepare(first, last, withFactorCounts);
    const int count = std::max(threads, 1);
    for (int t = 0; t < count; ++t)
        threads_.emplace_back([this, t, count] { Produce(t, count); });
}

PrimeFeed::~PrimeFeed() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

std::int64_t PrimeFeed::Blocks() const {
    if (last_ < first_) return 0;
    return (std::int64_t{last_} - first_) / PrimeWindow::kBlockSize + 1;
}

void PrimeFeed::Produce(std::int64_t k, std::int64_t step) {
    // Each thread sieves just its own blocks, straight into their slots.
    BlockSieve sieve;
    for (const std::int64_t blocks = Blocks(); k < blocks; k += step) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || k - consumed_ < kSlots; });
            if (stop_) return;
        }
        // Nobody reads this slot until it is marked ready.
        Slot& s = slots_[static_cast<std::size_t>(k % kSlots)];
        const std::int64_t first = first_ + k * PrimeWindow::kBlockSize;
        const std::int64_t last =
            std::min<std::int64_t>(first + PrimeWindow::kBlockSize - 1, last_);
        const auto count = static_cast<std::size_t>(last - first + 1);
        s.bits.resize(static_cast<std::size_t>(BlockSieve::WordsFor(last - first + 1)));
        s.withFactorCounts = withFactorCounts_;
        s.first = static_cast<std::int32_t>(first);
        s.last = static_cast<std::int32_t>(last);
        if (withFactorCounts_) {
            s.factorCounts.resize(count);
            sieve.FactorCounts(s.first, s.last, s.factorCounts.data(), s.bits.data());
        } else {
            sieve.Primes(s.first, s.last, s.bits.data());
        }
        {
            const std::lock_guard lock(mutex_);
            ready_[static_cast<std::size_t>(k % kSlots)] = true;
        }
        changed_.notify_all();
    }
}

PrimeBlock PrimeFeed::BlockOf(std::int32_t n) {
    if (holding_) {
        const Slot& held = slots_[static_cast<std::size_t>(consumed_ % kSlots)];
        if (n >= held.first && n <= held.last) return Block(held);
    }
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto slot = static_cast<std::size_t>(consumed_ % kSlots);
        if (holding_) {
            if (n < slots_[slot].first) break;  // not where expected
            ready_[slot] = false;
            ++consumed_;
            holding_ = false;
            changed_.notify_all();
            continue;
        }
        if (consumed_ >= Blocks()) break;
        changed_.wait(lock, [&] { return ready_[slot]; });
        holding_ = true;
        if (n >= slots_[slot].first && n <= slots_[slot].last) return Block(slots_[slot]);
    }
    lock.unlock();
    return own_.BlockOf(n);
}

}  // namespace quorvel
