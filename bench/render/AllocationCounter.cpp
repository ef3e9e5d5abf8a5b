#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
} // namespace

long AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

// Only operator new is replaced: the library's operator delete frees with free(), which matches.
// The array and aligned-free forms reach this one.
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
