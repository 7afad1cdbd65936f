// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/work_share.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

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

// The helper thread. It lives as long as the process: it sleeps between jobs, and nothing at
// exit has to wait for it.
class Helper {
  public:
    Helper() : thread_([this] { Loop(); }) {}
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    // Offers `job` to the helper thread; false, and nothing done, while another caller's job
    // has it. An offered job must be withdrawn.
    bool Offer(Job& job) {
        if (owned_.exchange(true, std::memory_order_acquire)) return false;
        {
            const std::lock_guard lock(mutex_);
            job_ = &job;
            generation_.fetch_add(1, std::memory_order_release);
        }
        wake_.notify_one();
        return true;
    }

    // Takes what is left of the offered `job` and returns once every piece is done. The
    // helper may still be on one, or only now waking: once the job is withdrawn and the
    // helper off it, nothing can touch the job any more.
    void Withdraw(Job& job) {
        job.TakePieces();
        // The helper is most likely on its last piece, microseconds from done. Waiting for it
        // on the condition variable would put this thread to sleep, and waking a thread takes
        // longer than that on virtual machines (13 to 20 microseconds measured): watch for the
        // end a while first.
        const auto until = std::chrono::steady_clock::now() + kWatchFor;
        for (unsigned spins = 1; working_.load(std::memory_order_acquire); ++spins) {
            Pause();
            if (spins % 256 == 0 && std::chrono::steady_clock::now() >= until) break;
        }
        {
            std::unique_lock lock(mutex_);
            job_ = nullptr;
            done_.wait(lock, [this] { return !working_.load(std::memory_order_relaxed); });
        }
        owned_.store(false, std::memory_order_release);
    }

    void Wake() {
        {
            const std::lock_guard lock(mutex_);
            ++wakeCalls_;
        }
        wake_.notify_one();
    }

  private:
    void Loop() {
        std::unique_lock lock(mutex_);
        std::uint64_t seen = 0;       // jobs offered so far that this thread has seen
        std::uint64_t wakeCalls = 0;  // and calls to wake it
        while (true) {
            wake_.wait(lock, [&] {
                return (job_ != nullptr && generation_.load() != seen) || wakeCalls_ != wakeCalls;
            });
            wakeCalls = wakeCalls_;
            seen = generation_.load();
            if (Job* job = job_; job != nullptr) {
                working_.store(true, std::memory_order_relaxed);
                lock.unlock();
                job->TakePieces();
                lock.lock();
                working_.store(false, std::memory_order_release);
                // (Unlocked first: a caller that saw the flag change goes straight on.)
                lock.unlock();
                done_.notify_one();
            } else {
                lock.unlock();
            }
            // Waking a sleeping core takes tens of microseconds, and the jobs of one picture
            // come close together: stay awake a little while for the next one.
            // (The clock is read now and then only: reading it in a tight loop slows the other
            // core down on some virtual machines.)
            const auto until = std::chrono::steady_clock::now() + kStayAwake;
            for (unsigned spins = 1; generation_.load(std::memory_order_acquire) == seen; ++spins) {
                Pause();
                if (spins % 256 == 0 && std::chrono::steady_clock::now() >= until) break;
            }
            lock.lock();
        }
    }

    static void Pause() {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    static constexpr std::chrono::microseconds kStayAwake{500};
    static constexpr std::chrono::microseconds kWatchFor{200};

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    Job* job_ = nullptr;                        // the job on offer
    std::atomic<std::uint64_t> generation_{0};  // jobs offered so far
    std::uint64_t wakeCalls_ = 0;
    std::atomic<bool> working_{false};  // the helper is taking pieces
    std::atomic<bool> owned_{false};    // a caller's job has the helper
    std::thread thread_;                // last: it starts once the rest is ready
};

Helper* TheHelper() {
    // Never deleted: a pass may still run while static objects are destroyed at exit.
    static Helper* const helper = std::thread::hardware_concurrency() > 1 ? new Helper : nullptr;
    return helper;
}

}  // namespace

void WorkShare::WakeHelper() {
    if (Helper* helper = TheHelper(); helper != nullptr) helper->Wake();
}

void WorkShare::RunPieces(int count, void (*call)(void*, int), void* piece) {
    Job job;
    job.count = count;
    job.call = call;
    job.piece = piece;
    Helper* helper = count > 1 ? TheHelper() : nullptr;
    if (helper != nullptr && helper->Offer(job)) {
        helper->Withdraw(job);
    } else {
        job.TakePieces();
    }
}

struct WorkAhead::State {
    Job job;
    std::function<void()> work;
    Helper* helper = nullptr;  // the helper it was offered to, if any
    bool pending = false;
};

WorkAhead::WorkAhead() : state_(std::make_unique<State>()) {}

WorkAhead::~WorkAhead() {
    Finish();
}

void WorkAhead::Start(std::function<void()> work) {
    Finish();
    State& s = *state_;
    s.work = std::move(work);
    s.job.count = 1;
    s.job.call = [](void* p, int) { (*static_cast<std::function<void()>*>(p))(); };
    s.job.piece = &s.work;
    s.job.next.store(0, std::memory_order_relaxed);
    s.pending = true;
    s.helper = TheHelper();
    if (s.helper != nullptr && !s.helper->Offer(s.job)) s.helper = nullptr;
}

void WorkAhead::Finish() {
    State& s = *state_;
    if (!s.pending) return;
    if (s.helper != nullptr) {
        s.helper->Withdraw(s.job);
    } else {
        s.job.TakePieces();
    }
    s.pending = false;
    s.work = nullptr;
}

}  // namespace quorvel
