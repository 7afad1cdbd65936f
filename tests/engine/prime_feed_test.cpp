// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_feed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/primelib.h"
#include "engine/thread_pool.h"

// This test program's own operator new: while `scarce` is set, allocations of 256 bytes or more
// fail on every thread but the test's, as the pool's threads would under a low ulimit -v.
namespace {
std::atomic<bool> scarce{false};
std::atomic<int> refused{0};
thread_local bool spared = false;
}  // namespace

void* operator new(std::size_t size) {
    if (size >= 256 && !spared && scarce.load() && ++refused > 0) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace quorvel {
namespace {

// The feed answers every number as the window does, whatever the number of sieving threads:
// ranges inside one block, across several with a short last one, ending at the largest
// number, with and without factor counts, asked for number by number and in long strides.
TEST(PrimeFeed, AnswersAsTheWindowDoes) {
    constexpr std::int32_t kBlock = PrimeWindow::kBlockSize;
    struct Case {
        std::int32_t first;
        std::int32_t last;
        bool factors;
        int threads;
        int stride;
    };
    const Case cases[] = {
        {1, 1000, true, 2, 1},
        {2, 3 * kBlock + 77, false, 2, 1},
        {1'000'003, 1'000'003 + 2 * kBlock, true, 3, 1},
        {primelib::kMaxNumber - kBlock - 999, primelib::kMaxNumber, true, 2, 1},
        {5, 9 * kBlock, false, 1, 997},
        {5, 9 * kBlock, false, 4, kBlock + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " … " + std::to_string(c.last) + " threads " +
                     std::to_string(c.threads));
        PrimeFeed feed(c.first, c.last, c.factors, c.threads);
        PrimeWindow window;
        window.Prepare(c.first, c.last, c.factors);
        for (std::int64_t n = c.first; n <= c.last; n += c.stride) {
            const auto m = static_cast<std::int32_t>(n);
            const PrimeBlock block = feed.BlockOf(m);
            ASSERT_LE(block.first, m);
            ASSERT_GE(block.last, m);
            ASSERT_EQ(block.Test(m - block.first), window.IsPrime(m)) << m;
            if (c.factors) {
                ASSERT_NE(block.factorCounts, nullptr);
                ASSERT_EQ(block.factorCounts[m - block.first], window.DistinctPrimeFactors(m)) << m;
            }
        }
    }
}

// A walk stopped early leaves the sieving threads waiting for room: ending the feed then
// must neither hang nor wait for the rest of the range.
TEST(PrimeFeed, EndsWhenLeftEarly) {
    for (int threads = 1; threads <= 3; ++threads) {
        PrimeFeed feed(1, primelib::kMaxNumber, true, threads);
        EXPECT_EQ(feed.BlockOf(7).Test(7 - feed.BlockOf(7).first), true);
    }
    PrimeFeed untouched(1, primelib::kMaxNumber, false, 2);
}

// Memory runs short on the sieving threads (as under a low ulimit -v): the blocks they could
// not sieve are sieved by the caller, and every answer is still right.
TEST(PrimeFeed, BlocksAThreadCouldNotSieveAreSievedByTheCaller) {
    ThreadPool::Shared().Resize(2);
    constexpr std::int32_t kLast = 24 * PrimeWindow::kBlockSize;
    spared = true;
    for (const bool factors : {false, true}) {
        PrimeWindow window;
        window.Prepare(1, kLast, factors);
        scarce = true;
        PrimeFeed feed(1, kLast, factors, 2);
        for (std::int32_t n = 1; n <= kLast; n += 101) {
            const PrimeBlock block = feed.BlockOf(n);
            ASSERT_EQ(block.Test(n - block.first), window.IsPrime(n)) << n;
            ASSERT_TRUE(!factors ||
                        block.factorCounts[n - block.first] == window.DistinctPrimeFactors(n))
                << n;
        }
        scarce = false;
    }
    EXPECT_GT(refused.load(), 0);
}

}  // namespace
}  // namespace quorvel
