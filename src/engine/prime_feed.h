// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/block_sieve.h"
#include "engine/prime_window.h"
#include "engine/thread_pool.h"

namespace quorvel {

// The blocks of a PrimeWindow over first … last, sieved ahead by up to `threads` tasks on the
// pool's threads while the caller draws the blocks before them: on a big picture sieving takes
// about as long as drawing, with factor counts longer, and the other cores can do it meanwhile.
// A block no thread has taken up when the caller comes to it is sieved on the caller's thread,
// and so is one a thread could not sieve (memory ran short there): then no more tasks start.
// Blocks are handed out in increasing order.
class PrimeFeed {
  public:
    PrimeFeed(std::int32_t first, std::int32_t last, bool withFactorCounts, int threads);
    ~PrimeFeed();
    PrimeFeed(const PrimeFeed&) = delete;
    PrimeFeed& operator=(const PrimeFeed&) = delete;

    // The block that holds n, first <= n <= last; n must not be smaller than at the call
    // before. Valid until the next call.
    PrimeBlock BlockOf(std::int32_t n);

  private:
    struct Slot {
        std::vector<std::uint64_t> bits;
        std::vector<std::uint8_t> factorCounts;
        bool withFactorCounts = false;
        std::int32_t first = 0;
        std::int32_t last = -1;
    };
    // Blocks sieved ahead at most: enough to ride out a slow stretch of either side.
    static constexpr int kSlots = 8;

    // A task: sieves the next blocks while there is room for them.
    void Produce();
    // Starts tasks while fewer than threads_ are under way and blocks wait for them.
    void Feed(std::unique_lock<std::mutex>& lock);
    void Sieve(BlockSieve& sieve, std::int64_t k);
    std::int64_t Blocks() const;
    static PrimeBlock Block(const Slot& slot) {
        return PrimeBlock{slot.bits.data(),
                          slot.withFactorCounts ? slot.factorCounts.data() : nullptr, nullptr,
                          slot.first, slot.last};
    }

    const std::int32_t first_;
    const std::int32_t last_;
    const bool withFactorCounts_;
    const int threads_;
    std::array<Slot, kSlots> slots_;
    std::array<bool, kSlots> ready_{};      // slot k % kSlots holds block k
    std::array<bool, kSlots> givenBack_{};  // … or would, but its task failed to sieve it
    std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t consumed_ = 0;  // blocks the caller is done with
    std::int64_t taken_ = 0;     // blocks a task or the caller has taken up to sieve
    int producing_ = 0;          // tasks under way
    bool holding_ = false;       // the caller reads slot consumed_ % kSlots
    bool stop_ = false;
    bool starved_ = false;  // a task failed: the caller sieves the rest
    // Should a block not be where the feed expects it, the caller sieves for itself.
    PrimeWindow own_;
    std::optional<BlockSieve> ownSieve_;  // the caller's, for blocks no task took up
    TaskGroup tasks_;                     // last: its tasks end before the rest goes
};

}  // namespace quorvel
