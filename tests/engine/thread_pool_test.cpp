// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/thread_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "engine/work_share.h"

namespace quorvel {
namespace {

// The shared pool at a size for one test, and back to what it was after.
class PoolSize {
  public:
    PoolSize(int threads, int granted) : before_(ThreadPool::Shared().Threads()) {
        ThreadPool::Shared().Resize(threads, granted);
    }
    ~PoolSize() { ThreadPool::Shared().Resize(before_); }
    PoolSize(const PoolSize&) = delete;
    PoolSize& operator=(const PoolSize&) = delete;

  private:
    const int before_;
};

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    return x ^ (x >> 29);
}

// Many small tasks, each writing a slot of its own.
std::vector<std::uint64_t> SmallTasks() {
    std::vector<std::uint64_t> out(2000);
    TaskGroup group;
    for (std::size_t i = 0; i < out.size(); ++i)
        group.Run([&out, i] { out[i] = Mix(i); });
    group.Wait();
    return out;
}

// Tasks that hand out tasks of their own and wait for them, with pieces shared inside those.
std::vector<std::uint64_t> NestedWaits() {
    std::vector<std::uint64_t> out(8 * 40 * 4);
    TaskGroup outer;
    for (std::size_t i = 0; i < 8; ++i) {
        outer.Run([&out, i] {
            TaskGroup inner;
            for (std::size_t j = 0; j < 40; ++j) {
                inner.Run([&out, i, j] {
                    WorkShare::Run(4, [&](int k) {
                        const std::size_t at = (i * 40 + j) * 4 + static_cast<std::size_t>(k);
                        out[at] = Mix(at);
                    });
                });
            }
            inner.Wait();
        });
    }
    outer.Wait();
    return out;
}

// Tasks that run until their flag is set, the flag set after they were handed over: each task
// ends once, and Wait returns, whether it ran first or was stopped on the way.
std::vector<std::uint64_t> Cancelled() {
    std::atomic<bool> cancel{false};
    std::vector<std::uint64_t> ends(16, 0);
    {
        TaskGroup group;
        for (std::size_t i = 0; i < ends.size(); ++i) {
            group.Run([&, i] {
                for (int step = 0; step < 1'000'000 && !cancel.load(); ++step) {
                }
                ++ends[i];
            });
        }
        cancel = true;
    }  // the group waits as it goes
    return ends;
}

TEST(ThreadPool, SameResultsAtEverySize) {
    struct Work {
        const char* name;
        std::vector<std::uint64_t> (*run)();
    };
    const Work works[] = {
        {"small tasks", SmallTasks}, {"nested waits", NestedWaits}, {"cancelled", Cancelled}};
    struct Size {
        int threads;
        int granted;
    };
    // 2 of 8 granted and none of 4: the system refused threads.
    const Size sizes[] = {{0, 0}, {1, 1}, {2, 2}, {8, 8}, {8, 2}, {4, 0}};
    for (const Work& work : works) {
        const std::vector<std::uint64_t> expected = [&] {
            const PoolSize none(0, 0);
            return work.run();
        }();
        for (const Size& size : sizes) {
            SCOPED_TRACE(std::string(work.name) + ", " + std::to_string(size.threads) +
                         " threads, " + std::to_string(size.granted) + " granted");
            const PoolSize pool(size.threads, size.granted);
            EXPECT_EQ(ThreadPool::Shared().Threads(), std::min(size.threads, size.granted));
            for (int round = 0; round < 3; ++round)
                EXPECT_EQ(work.run(), expected);
        }
    }
}

// Tasks handed over while the pool changes size are neither lost nor run twice.
TEST(ThreadPool, ResizingKeepsTasksWaiting) {
    std::vector<int> runs(200, 0);
    TaskGroup group;
    {
        const PoolSize one(1, 1);
        for (std::size_t i = 0; i < runs.size(); ++i)
            group.Run([&runs, i] { ++runs[i]; });
        ThreadPool::Shared().Resize(0, 0);
        EXPECT_EQ(group.Unfinished(), 0);
    }
    group.Wait();
    EXPECT_EQ(runs, std::vector<int>(runs.size(), 1));
}

// A task that throws (memory ran short) on a thread of the pool ends alone: the others run,
// whoever waits learns of it, and shared pieces fail their job on the caller's thread.
TEST(ThreadPool, AFailingTaskIsReportedNotFatal) {
    const PoolSize pool(2, 2);
    TaskGroup group;
    std::atomic<int> ran{0};
    for (int i = 0; i < 60; ++i) {
        group.Run([&ran, i] {
            if (++ran, i % 7 == 3) throw std::bad_alloc();
        });
    }
    group.Wait();
    EXPECT_EQ(ran.load(), 60);
    EXPECT_THROW(std::rethrow_exception(group.TakeFailure()), std::bad_alloc);
    EXPECT_FALSE(group.TakeFailure());
    const auto piece = [](int i) {
        if (i % 16 == 15) throw std::bad_alloc();
    };
    EXPECT_THROW(WorkShare::Run(64, piece), std::bad_alloc);
}

}  // namespace
}  // namespace quorvel
