// Handles: slots in a table, each holding its block's address, which memory pressure nulls when
// it releases a purgeable block. One mutex guards the table and the fault injection.
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "base/base_internal.h"
#include "tal/base_testing.h"

namespace {

struct Slot {
    void* block = nullptr;  // null once purged
    bool live = false;
    bool purgeable = false;
};

struct HandleTable {
    std::mutex mutex;
    std::vector<Slot> slots;  // handle h lives in slots[h - 1]
    int32_t skip = 0;         // allocations that still succeed before the injected failures
    int32_t fail = 0;
};

// Never destroyed: a handle freed while the process exits still finds it.
HandleTable& Table() {
    static HandleTable* table = new HandleTable;
    return *table;
}

// Under the table's lock: whether fault injection fails this allocation.
bool InjectedFailure(HandleTable& t) {
    if (t.skip > 0) {
        --t.skip;
        return false;
    }
    if (t.fail == 0) return false;
    --t.fail;
    return true;
}

Bas_Handle NewHandle(int32_t byteCount) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (InjectedFailure(t) || byteCount < 0) return 0;
    void* block = std::malloc(byteCount > 0 ? size_t(byteCount) : 1);
    if (!block) return 0;
    size_t index = 0;
    while (index < t.slots.size() && t.slots[index].live)
        ++index;
    if (index == t.slots.size()) t.slots.emplace_back();
    t.slots[index] = Slot{block, true, false};
    return Bas_Handle(index + 1);
}

// Under the table's lock: the live slot of handle, or null.
Slot* Resolve(HandleTable& t, Bas_Handle handle) {
    if (handle == 0 || handle > t.slots.size()) return nullptr;
    Slot& slot = t.slots[handle - 1];
    return slot.live ? &slot : nullptr;
}

}  // namespace

Bas_Handle Bas_AllocateHandle(int32_t code, const char* name, int32_t byteCount, int32_t) {
    const Bas_Handle h = NewHandle(byteCount);
    if (h == 0) {
        char text[Basp_BufferSize];
        std::snprintf(text, sizeof text, "out of memory allocating %s (%ld bytes).",
                      name ? name : "block", long(byteCount));
        Basp_Deliver(code, 8, 0, text);
    }
    return h;
}

Bas_Handle Bas_AllocateHandleQuiet(int32_t byteCount, int32_t) {
    return NewHandle(byteCount);
}

void Bas_FreeHandle(Bas_Handle handle) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (Slot* slot = Resolve(t, handle)) {
        std::free(slot->block);
        *slot = Slot{};
    }
}

void Bas_HPurge(Bas_Handle handle) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (Slot* slot = Resolve(t, handle)) slot->purgeable = true;
}

void* Bas_HandleBlock(Bas_Handle handle) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const Slot* slot = Resolve(t, handle);
    return slot ? slot->block : nullptr;
}

void Bas_PurgeMemory(void) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    for (Slot& slot : t.slots) {
        if (slot.live && slot.purgeable && slot.block) {
            std::free(slot.block);
            slot.block = nullptr;
        }
    }
}

void Bas_FailNextHandleAllocations(int32_t n) {
    Bas_FailHandleAllocationsAfter(0, n);
}

void Bas_FailHandleAllocationsAfter(int32_t skip, int32_t n) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.fail = n > 0 ? n : 0;
    t.skip = n > 0 && skip > 0 ? skip : 0;
}

int32_t Bas_LiveHandleCount(void) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    int32_t n = 0;
    for (const Slot& slot : t.slots)
        n += slot.live ? 1 : 0;
    return n;
}
