// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <exception>
#include <functional>
#include <memory>

namespace quorvel {

// The worker threads every background job of the program shares: one a core, so that the
// drawing pass, the sieves ahead of it, the large view's tiles and an export together never
// ask for more threads than the machine has. QUORVEL_THREADS, when set, says how many instead
// (0 for none). Tasks are handed over in a TaskGroup; where the pool has no thread, or every
// thread is busy, the task runs on the thread that waits for it, so nothing hangs for want of
// threads and the result is the same. Tasks are stopped by their own flags.
class ThreadPool {
  public:
    // The process's pool, started on first use. It lives as long as the process: its threads
    // sleep between tasks, and nothing at exit waits for them.
    static ThreadPool& Shared();

    // Threads of the pool; 0 when the system gave none.
    int Threads() const;

    // Threads that could help the calling thread now: those not on a task, less one for the
    // caller's own core unless the caller is a thread of the pool. 0 or more.
    int FreeToHelp() const;

    // Tasks are coming: wakes a sleeping thread now, for they come faster than a sleeping
    // core wakes.
    void Wake();

    // Ends the threads once they are done with their tasks and starts `threads` new ones, or
    // only `granted` of them, as though the system refused the rest. Tasks not yet started run
    // on the new threads, or on this thread when there are none. For tests; nothing else may
    // use the pool meanwhile.
    void Resize(int threads, int granted = INT_MAX);

    struct Task;
    struct Group;

  private:
    ThreadPool();
    void Start(int threads, int granted);
    void Stop();
    void Loop();
    void Post(std::shared_ptr<Task> task);
    friend class TaskGroup;

    struct State;
    std::unique_ptr<State> state_;
};

// Tasks handed to the shared pool that the caller waits for together. Run, Wait and
// Unfinished may be called from any thread. A task that throws (memory ran short) ends there,
// not the process: the group keeps the first exception for whoever waits to look at.
class TaskGroup {
  public:
    TaskGroup();
    // Waits for the tasks.
    ~TaskGroup();
    TaskGroup(const TaskGroup&) = delete;
    TaskGroup& operator=(const TaskGroup&) = delete;

    // Hands `task` to a thread of the pool; with none in the pool, runs it now on this thread.
    void Run(std::function<void()> task);
    // Returns once every task run so far has ended, running those no thread has started yet on
    // this thread meanwhile. A task may wait for a group of its own.
    void Wait();
    // Tasks run so far that have not ended.
    int Unfinished() const;
    // The first exception a task of the group threw on a thread of the pool, or null; taken, it
    // is forgotten. (A task run by Run itself, with no thread in the pool, throws to the caller.)
    std::exception_ptr TakeFailure();

  private:
    std::shared_ptr<ThreadPool::Group> group_;
};

}  // namespace quorvel
