// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel::testing {

// While one lives, every allocation of 256 bytes or more with new fails (std::bad_alloc) on
// any thread but the one that made it: the threads of the pool run out of memory, the caller
// does not.
class ScarceMemoryElsewhere {
  public:
    ScarceMemoryElsewhere();
    ~ScarceMemoryElsewhere();
    ScarceMemoryElsewhere(const ScarceMemoryElsewhere&) = delete;
    ScarceMemoryElsewhere& operator=(const ScarceMemoryElsewhere&) = delete;

    // Allocations refused so far.
    static int Refused();
};

}  // namespace quorvel::testing
