// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_feed.h"

#include <algorithm>
#include <exception>

namespace quorvel {

PrimeFeed::PrimeFeed(std::int32_t first, std::int32_t last, bool withFactorCounts, int threads)
    : first_(first),
      last_(last),
      withFactorCounts_(withFactorCounts),
      threads_(std::max(threads, 1)) {
    own_.Prepare(first, last, withFactorCounts);
    std::unique_lock lock(mutex_);
    Feed(lock);
}

PrimeFeed::~PrimeFeed() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    tasks_.Wait();
}

std::int64_t PrimeFeed::Blocks() const {
    if (last_ < first_) return 0;
    return (std::int64_t{last_} - first_) / PrimeWindow::kBlockSize + 1;
}

void PrimeFeed::Feed(std::unique_lock<std::mutex>& lock) {
    if (starved_) return;
    const std::int64_t room = std::min(consumed_ + kSlots, Blocks()) - taken_;
    const auto starting = static_cast<int>(
        std::clamp<std::int64_t>(std::min<std::int64_t>(threads_ - producing_, room), 0, threads_));
    if (starting == 0) return;
    producing_ += starting;
    // (Unlocked: where the pool has no threads the task runs right here.)
    lock.unlock();
    for (int i = 0; i < starting; ++i)
        tasks_.Run([this] { Produce(); });
    lock.lock();
}

void PrimeFeed::Produce() {
    std::optional<BlockSieve> sieve;
    std::unique_lock lock(mutex_);
    while (!stop_ && taken_ < Blocks() && taken_ - consumed_ < kSlots) {
        const std::int64_t k = taken_++;
        lock.unlock();
        bool sieved = true;
        try {
            if (!sieve) sieve.emplace();
            Sieve(*sieve, k);
        } catch (const std::exception&) {
            sieved = false;  // out of memory on this thread: the block goes back to the caller
        }
        lock.lock();
        ready_[static_cast<std::size_t>(k % kSlots)] = true;
        givenBack_[static_cast<std::size_t>(k % kSlots)] = !sieved;
        changed_.notify_all();
        if (!sieved) {
            starved_ = true;
            break;
        }
    }
    --producing_;
}

void PrimeFeed::Sieve(BlockSieve& sieve, std::int64_t k) {
    // Nobody reads this slot until it is marked ready.
    Slot& s = slots_[static_cast<std::size_t>(k % kSlots)];
    const std::int64_t first = first_ + k * PrimeWindow::kBlockSize;
    const std::int64_t last = std::min<std::int64_t>(first + PrimeWindow::kBlockSize - 1, last_);
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
            Feed(lock);  // room for one more
            continue;
        }
        if (consumed_ >= Blocks()) break;
        if (!ready_[slot] && taken_ == consumed_) {
            // No task has come to it yet: quicker done than waited for.
            const std::int64_t k = taken_++;
            lock.unlock();
            if (!ownSieve_) ownSieve_.emplace();
            Sieve(*ownSieve_, k);
            lock.lock();
            ready_[slot] = true;
        }
        changed_.wait(lock, [&] { return ready_[slot]; });
        if (givenBack_[slot]) {
            // Sieved here instead; should memory be short here too, the caller learns of it.
            givenBack_[slot] = false;
            const std::int64_t k = consumed_;
            lock.unlock();
            if (!ownSieve_) ownSieve_.emplace();
            Sieve(*ownSieve_, k);
            lock.lock();
        }
        holding_ = true;
        if (n >= slots_[slot].first && n <= slots_[slot].last) return Block(slots_[slot]);
    }
    lock.unlock();
    return own_.BlockOf(n);
}

}  // namespace quorvel
