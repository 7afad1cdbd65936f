// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/work_share.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace quorvel {
namespace {

// Jobs from several threads at once, the helper woken, asleep or busy with a piece put ahead:
// every piece runs exactly once, and is done when Run, or Finish, returns.
TEST(WorkShare, EveryPieceRunsOnceWhoeverAsks) {
    constexpr int kJobs = 300;
    const auto askMany = [](int shift) {
        for (int job = 0; job < kJobs; ++job) {
            const int count = (job * 7 + shift) % 9;  // 0 … 8 pieces
            if (job % 3 == 0) WorkShare::WakeHelper();
            std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
            // A piece put ahead meanwhile, and finished before its result is read.
            std::atomic<int> ahead{0};
            WorkAhead piece;
            piece.Start([&] { ahead++; });
            WorkShare::Run(count, [&](int i) { runs[static_cast<std::size_t>(i)]++; });
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(runs[static_cast<std::size_t>(i)].load(), 1) << job << "/" << i;
            piece.Finish();
            ASSERT_EQ(ahead.load(), 1) << job;
        }
    };
    std::thread other(askMany, 1);
    askMany(4);
    other.join();
}

}  // namespace
}  // namespace quorvel
