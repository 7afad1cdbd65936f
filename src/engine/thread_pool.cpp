// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/thread_pool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace quorvel {
namespace {

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Handing a task over through a condition variable wakes a sleeping thread, which takes longer
// than many tasks do (13 to 20 microseconds measured on virtual machines): a thread that has
// just finished, and a caller waiting for a task nearly done, watch a little while first.
// (The clock is read now and then only: reading it in a tight loop slows the other core down
// on some virtual machines.)
constexpr std::chrono::microseconds kWatchFor{50};

template <typename Done>
bool WatchFor(Done&& done) {
    const auto until = std::chrono::steady_clock::now() + kWatchFor;
    for (unsigned spins = 1; !done(); ++spins) {
        Pause();
        if (spins % 128 == 0 && std::chrono::steady_clock::now() >= until) return false;
    }
    return true;
}

thread_local bool inPool = false;  // this thread is one of a pool's

int ThreadsWanted() {
    if (const char* forced = std::getenv("QUORVEL_THREADS"); forced != nullptr && *forced) {
        char* end = nullptr;
        const long n = std::strtol(forced, &end, 10);
        if (*end == '\0' && n >= 0) return static_cast<int>(std::min(n, 256L));
    }
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

// The tasks of one TaskGroup not yet ended.
struct ThreadPool::Group {
    std::mutex mutex;
    std::condition_variable ended;
    std::atomic<int> unfinished{0};
    std::vector<std::shared_ptr<Task>> waiting;  // may have been started meanwhile
    std::exception_ptr failure;                  // the first a task threw

    void Fail(std::exception_ptr e) {
        const std::lock_guard lock(mutex);
        if (!failure) failure = std::move(e);
    }

    void End() {
        if (unfinished.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            const std::lock_guard lock(mutex);
            ended.notify_all();
        }
    }
};

struct ThreadPool::Task {
    std::function<void()> work;
    std::shared_ptr<Group> group;
    std::atomic<bool> taken{false};

    // Runs the task unless another thread took it; true if this one did.
    bool RunOnce() {
        if (taken.exchange(true, std::memory_order_acq_rel)) return false;
        // An exception must not leave a thread of the pool: that would end the program.
        try {
            work();
        } catch (...) {
            group->Fail(std::current_exception());
        }
        work = nullptr;
        group->End();
        return true;
    }
};

struct ThreadPool::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::shared_ptr<Task>> queue;
    std::atomic<std::size_t> queued{0};  // queue.size(), read without the lock
    std::vector<std::thread> threads;
    std::atomic<int> threadCount{0};
    std::atomic<int> busy{0};  // threads on a task
    int sleeping = 0;
    std::uint64_t wakeCalls = 0;
    bool stopping = false;
};

ThreadPool::ThreadPool() : state_(std::make_unique<State>()) {
    Start(ThreadsWanted(), INT_MAX);
}

ThreadPool& ThreadPool::Shared() {
    // Never deleted: a task may still run while static objects are destroyed at exit.
    static ThreadPool* const pool = new ThreadPool;
    return *pool;
}

int ThreadPool::Threads() const {
    return state_->threadCount.load(std::memory_order_relaxed);
}

void ThreadPool::Start(int threads, int granted) {
    State& s = *state_;
    for (int i = 0; i < threads; ++i) {
        try {
            if (i >= granted) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            s.threads.emplace_back([this] { Loop(); });
        } catch (const std::system_error&) {
            break;  // fewer threads do the same work
        }
    }
    s.threadCount.store(static_cast<int>(s.threads.size()), std::memory_order_relaxed);
}

void ThreadPool::Stop() {
    State& s = *state_;
    {
        const std::lock_guard lock(s.mutex);
        s.stopping = true;
    }
    s.wake.notify_all();
    for (std::thread& t : s.threads)
        t.join();
    s.threads.clear();
    s.threadCount.store(0, std::memory_order_relaxed);
    const std::lock_guard lock(s.mutex);
    s.stopping = false;
}

void ThreadPool::Resize(int threads, int granted) {
    Stop();
    Start(std::max(threads, 0), granted);
    if (Threads() > 0) {
        state_->wake.notify_all();
        return;
    }
    for (;;) {
        std::shared_ptr<Task> task;
        {
            const std::lock_guard lock(state_->mutex);
            if (state_->queue.empty()) return;
            task = std::move(state_->queue.front());
            state_->queue.pop_front();
            state_->queued.store(state_->queue.size(), std::memory_order_relaxed);
        }
        task->RunOnce();
    }
}

int ThreadPool::FreeToHelp() const {
    const int free = Threads() - state_->busy.load(std::memory_order_relaxed) - (inPool ? 0 : 1);
    return std::max(free, 0);
}

void ThreadPool::Wake() {
    State& s = *state_;
    {
        const std::lock_guard lock(s.mutex);
        if (s.sleeping == 0) return;
        ++s.wakeCalls;
    }
    s.wake.notify_one();
}

void ThreadPool::Post(std::shared_ptr<Task> task) {
    State& s = *state_;
    bool wake = false;
    {
        const std::lock_guard lock(s.mutex);
        s.queue.push_back(std::move(task));
        s.queued.store(s.queue.size(), std::memory_order_release);
        wake = s.sleeping > 0;
    }
    if (wake) s.wake.notify_one();
}

void ThreadPool::Loop() {
    inPool = true;
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    std::uint64_t wakeCalls = s.wakeCalls;
    for (;;) {
        if (s.stopping) return;
        if (s.queue.empty()) {
            ++s.sleeping;
            s.wake.wait(lock,
                        [&] { return s.stopping || !s.queue.empty() || s.wakeCalls != wakeCalls; });
            --s.sleeping;
            wakeCalls = s.wakeCalls;
        }
        if (!s.queue.empty()) {
            std::shared_ptr<Task> task = std::move(s.queue.front());
            s.queue.pop_front();
            s.queued.store(s.queue.size(), std::memory_order_relaxed);
            s.busy.fetch_add(1, std::memory_order_relaxed);
            lock.unlock();
            task->RunOnce();
            task.reset();
            s.busy.fetch_sub(1, std::memory_order_relaxed);
        } else {
            lock.unlock();
        }
        // Tasks of one job come close together: stay awake a little for the next one.
        WatchFor([&] { return s.queued.load(std::memory_order_acquire) > 0; });
        lock.lock();
    }
}

TaskGroup::TaskGroup() : group_(std::make_shared<ThreadPool::Group>()) {}

TaskGroup::~TaskGroup() {
    Wait();
}

void TaskGroup::Run(std::function<void()> task) {
    ThreadPool& pool = ThreadPool::Shared();
    if (pool.Threads() == 0) {
        task();
        return;
    }
    auto t = std::make_shared<ThreadPool::Task>();
    t->work = std::move(task);
    t->group = group_;
    {
        const std::lock_guard lock(group_->mutex);
        // Tasks a thread has taken need no keeping.
        std::erase_if(group_->waiting, [](const std::shared_ptr<ThreadPool::Task>& w) {
            return w->taken.load(std::memory_order_relaxed);
        });
        group_->waiting.push_back(t);
        group_->unfinished.fetch_add(1, std::memory_order_relaxed);
    }
    pool.Post(std::move(t));
}

void TaskGroup::Wait() {
    ThreadPool::Group& g = *group_;
    std::vector<std::shared_ptr<ThreadPool::Task>> waiting;
    {
        const std::lock_guard lock(g.mutex);
        waiting.swap(g.waiting);
    }
    for (const auto& task : waiting)
        task->RunOnce();
    if (WatchFor([&] { return g.unfinished.load(std::memory_order_acquire) == 0; })) return;
    std::unique_lock lock(g.mutex);
    g.ended.wait(lock, [&] { return g.unfinished.load(std::memory_order_acquire) == 0; });
}

int TaskGroup::Unfinished() const {
    return group_->unfinished.load(std::memory_order_acquire);
}

std::exception_ptr TaskGroup::TakeFailure() {
    const std::lock_guard lock(group_->mutex);
    return std::exchange(group_->failure, nullptr);
}

}  // namespace quorvel
