// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <type_traits>

namespace quorvel {

// Shares a job of independent pieces between the calling thread and the threads of the pool
// (ThreadPool) that have a core free, the caller counting as one. The caller never waits for a
// thread to wake: it takes pieces itself from the start, and the threads take what is left when
// they come. With one core, or while the pool is busy, the caller does every piece itself.
// Either way the pieces are done exactly once each, so a job whose pieces write to separate
// memory gives the same result however it was shared.
class WorkShare {
  public:
    // Calls piece(0) … piece(count - 1) and returns when all have returned. The pieces must not
    // throw, nor depend on each other or on the order they run in.
    template <typename Piece>
    static void Run(int count, Piece&& piece) {
        using Fn = std::remove_reference_t<Piece>;
        RunPieces(
            count, [](void* p, int i) { (*static_cast<Fn*>(p))(i); },
            const_cast<void*>(static_cast<const void*>(&piece)));
    }

    // Jobs are coming: wakes a thread of the pool now, for they come faster than a sleeping
    // core wakes.
    static void WakeHelper();

  private:
    static void RunPieces(int count, void (*call)(void*, int), void* piece);
};

// One piece of work put ahead: a thread of the pool starts on it as soon as one is free, while
// the caller goes on with something else, and Finish() returns once it is done, doing it on the
// caller's thread when no thread came to it. What the piece writes must not be read, nor freed,
// before Finish(); a new Start() and the destructor finish the piece before. Finish() says
// false when the piece threw on a thread of the pool (memory ran short there): what it was to
// write is not done, and the caller does it itself or goes without.
class WorkAhead {
  public:
    WorkAhead();
    ~WorkAhead();
    WorkAhead(const WorkAhead&) = delete;
    WorkAhead& operator=(const WorkAhead&) = delete;

    void Start(std::function<void()> work);
    bool Finish();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace quorvel
