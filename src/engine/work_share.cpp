// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/work_share.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>

#include "engine/thread_pool.h"

namespace quorvel {
namespace {

// One job: the pieces not yet taken are next … count - 1.
struct Job {
    int count = 0;
    void (*call)(void*, int) = nullptr;
    void* piece = nullptr;
    std::atomic<int> next{0};

    void TakePieces() {
        for (int i = next.fetch_add(1, std::memory_order_relaxed); i < count;
             i = next.fetch_add(1, std::memory_order_relaxed)) {
            call(piece, i);
        }
    }
};

}  // namespace

void WorkShare::WakeHelper() {
    ThreadPool::Shared().Wake();
}

void WorkShare::RunPieces(int count, void (*call)(void*, int), void* piece) {
    Job job;
    job.count = count;
    job.call = call;
    job.piece = piece;
    // Only threads with a core to themselves help: one that has to wait for a core would hold
    // up the last pieces.
    const int helpers = std::min(ThreadPool::Shared().FreeToHelp(), count - 1);
    if (helpers <= 0) {
        job.TakePieces();
        return;
    }
    TaskGroup helping;
    for (int i = 0; i < helpers; ++i)
        helping.Run([&job] { job.TakePieces(); });
    job.TakePieces();
    helping.Wait();
    // A piece that failed on a helper fails the job, as it would have on this thread.
    if (const std::exception_ptr failure = helping.TakeFailure()) std::rethrow_exception(failure);
}

struct WorkAhead::State {
    TaskGroup work;
};

WorkAhead::WorkAhead() : state_(std::make_unique<State>()) {}

WorkAhead::~WorkAhead() {
    Finish();
}

void WorkAhead::Start(std::function<void()> work) {
    Finish();
    state_->work.Run(std::move(work));
}

bool WorkAhead::Finish() {
    state_->work.Wait();
    return state_->work.TakeFailure() == nullptr;
}

}  // namespace quorvel
