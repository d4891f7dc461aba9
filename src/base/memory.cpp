// Tracked allocation with its leak counter and fault injection, the translation of exceptions into
// reports, and the memory move.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "base/base_internal.h"
#include "tal/base_testing.h"

namespace {

std::atomic<int32_t> g_failTracked{0};
std::atomic<int32_t> g_liveTracked{0};

// Takes one injected failure, if any is left.
bool TakeTrackedFailure() {
    int32_t left = g_failTracked.load(std::memory_order_relaxed);
    while (left > 0) {
        if (g_failTracked.compare_exchange_weak(left, left - 1, std::memory_order_relaxed))
            return true;
    }
    return false;
}

}  // namespace

void* Bas_MemTrackedObject::TrackedNew(size_t byteCount, bool clear) {
    if (TakeTrackedFailure()) throw std::bad_alloc();
    const size_t n = byteCount ? byteCount : 1;
    void* block = clear ? std::calloc(n, 1) : std::malloc(n);
    if (!block) throw std::bad_alloc();
    g_liveTracked.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void Bas_MemTrackedObject::TrackedDelete(void* block) {
    if (!block) return;
    std::free(block);
    g_liveTracked.fetch_sub(1, std::memory_order_relaxed);
}

void Bas_FailNextTrackedAllocations(int32_t n) {
    g_failTracked.store(n > 0 ? n : 0, std::memory_order_relaxed);
}

int32_t Bas_LiveTrackedCount(void) {
    return g_liveTracked.load(std::memory_order_relaxed);
}

long Bas_TranslateAndReportException(const std::exception& e) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr ||
                        dynamic_cast<const std::length_error*>(&e) != nullptr;
    char text[Basp_BufferSize];
    std::snprintf(text, sizeof text, "%s: %s", memory ? "out of memory" : "exception", e.what());
    Basp_Deliver(Tal_ReportCode(0), 8, 0, text);
    return memory ? Tal_Err_OUT_OF_MEMORY : Bas_NiroErr(1);
}

void BlockMove(const void* source, void* destination, long byteCount) {
    if (byteCount > 0 && source != destination)
        std::memmove(destination, source, size_t(byteCount));
}
