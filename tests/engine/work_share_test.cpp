// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/work_share.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace quorvel {
namespace {

// Jobs from several threads at once, the helper woken or asleep: every piece of every job runs
// exactly once, and a job is over when Run returns.
TEST(WorkShare, EveryPieceRunsOnceWhoeverAsks) {
    constexpr int kJobs = 300;
    const auto askMany = [](int seed) {
        for (int job = 0; job < kJobs; ++job) {
            const int count = (job * 7 + seed) % 9;  // 0 … 8 pieces
            if (job % 3 == 0) WorkShare::WakeHelper();
            std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
            WorkShare::Run(count, [&](int i) { runs[static_cast<std::size_t>(i)]++; });
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(runs[static_cast<std::size_t>(i)].load(), 1) << job << "/" << i;
        }
    };
    std::thread other(askMany, 1);
    askMany(4);
    other.join();
}

}  // namespace
}  // namespace quorvel
