// SPDX-License-Identifier: GPL-3.0-or-later
// The test program's own operator new, which refuses memory when a test asks it to.
#include "scarce_memory.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace quorvel::testing {
namespace {

std::atomic<bool> scarce{false};
std::atomic<int> refused{0};
thread_local bool spared = false;

void* Allocate(std::size_t size) {
    if (size >= 256 && !spared && scarce.load(std::memory_order_relaxed)) {
        refused.fetch_add(1, std::memory_order_relaxed);
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

ScarceMemoryElsewhere::ScarceMemoryElsewhere() {
    spared = true;
    refused = 0;
    scarce = true;
}

ScarceMemoryElsewhere::~ScarceMemoryElsewhere() {
    scarce = false;
    spared = false;
}

int ScarceMemoryElsewhere::Refused() {
    return refused.load();
}

}  // namespace quorvel::testing

void* operator new(std::size_t size) {
    return quorvel::testing::Allocate(size);
}
void* operator new[](std::size_t size) {
    return quorvel::testing::Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
