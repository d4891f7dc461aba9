// A small stand-in for the host's base libraries: reports go to a recorder or a host sink, handles
// are slots in a table whose purgeable blocks a simulated memory pressure releases.
#include "frame/base_library.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif

char Basp_G_buffer[Basp_BufferSize];
int32_t Basp_G_err_buf[4];

namespace {

constexpr size_t kRecorderLimit = 1024;

struct Recorded {
    int32_t code;
    int32_t severity;
    int32_t number;
    std::string text;
};

struct Slot {
    void* block = nullptr;  // null once purged
    bool live = false;
    bool purgeable = false;
};

struct BaseState {
    Bas_ReportSink sink = nullptr;
    void* sinkContext = nullptr;
    std::deque<Recorded> recorded;
    std::vector<Slot> slots;  // handle h lives in slots[h - 1]
    int32_t skipHandles = 0;  // allocations that still succeed before failHandles apply
    int32_t failHandles = 0;
    int32_t failTracked = 0;
    int32_t liveTracked = 0;
};

BaseState& State() {
    static BaseState state;
    return state;
}

void Deliver(int32_t code, int32_t severity, int32_t number, const char* text) {
    BaseState& s = State();
    if (s.sink) {
        s.sink(code, severity, number, text, s.sinkContext);
        return;
    }
    if (s.recorded.size() == kRecorderLimit) s.recorded.pop_front();
    s.recorded.push_back({code, severity, number, text});
}

Bas_Handle NewHandle(int32_t byteCount) {
    BaseState& s = State();
    if (s.skipHandles > 0) {
        --s.skipHandles;
    } else if (s.failHandles > 0) {
        --s.failHandles;
        return 0;
    }
    if (byteCount < 0) return 0;
    void* block = std::malloc(byteCount > 0 ? size_t(byteCount) : 1);
    if (!block) return 0;
    size_t index = 0;
    while (index < s.slots.size() && s.slots[index].live)
        ++index;
    if (index == s.slots.size()) s.slots.emplace_back();
    s.slots[index] = Slot{block, true, false};
    return Bas_Handle(index + 1);
}

Slot* Resolve(Bas_Handle handle) {
    BaseState& s = State();
    if (handle == 0 || handle > s.slots.size()) return nullptr;
    Slot& slot = s.slots[handle - 1];
    return slot.live ? &slot : nullptr;
}

}  // namespace

// ---- Reports ----------------------------------------------------------------------------------

void Basp_ReportError(int32_t code, int32_t severity) {
    Basp_G_buffer[Basp_BufferSize - 1] = '\0';
    Deliver(code, severity, 0, Basp_G_buffer);
}

Tal_Err Basp_ReportErrString(int32_t code, int32_t severity, const char* text) {
    Deliver(code, severity, 0, text ? text : "");
    return 0;
}

Tal_Err Basp_ReportNiroErrString(int32_t code, int32_t severity, int32_t number, const char* text) {
    Deliver(code, severity, number, text ? text : "");
    return Bas_NiroErr(number);
}

void Bas_SetReportSink(Bas_ReportSink sink, void* context) {
    State().sink = sink;
    State().sinkContext = sink ? context : nullptr;
}

int32_t Bas_RecordedReportCount(void) {
    return int32_t(State().recorded.size());
}

int Bas_GetRecordedReport(int32_t index, int32_t* code, int32_t* severity, int32_t* number,
                          const char** text) {
    const BaseState& s = State();
    if (index < 0 || size_t(index) >= s.recorded.size()) return 0;
    const Recorded& r = s.recorded[size_t(index)];
    if (code) *code = r.code;
    if (severity) *severity = r.severity;
    if (number) *number = r.number;
    if (text) *text = r.text.c_str();
    return 1;
}

void Bas_ClearRecordedReports(void) {
    State().recorded.clear();
}

// ---- Messages ---------------------------------------------------------------------------------

const char* Bas_ZLookupLStrCache(const Tal_LStrTable* zref, int32_t index, int32_t, int32_t) {
    // Only the default text is known here: what follows the '=' of the key.
    if (!zref || index < 0 || uint32_t(index) + 1 >= zref->count) return "";
    const char* key = zref->records[index].key;
    if (!key) return "";
    const char* eq = std::strchr(key, '=');
    return eq ? eq + 1 : key;
}

// ---- Handles ----------------------------------------------------------------------------------

Bas_Handle Bas_AllocateHandle(int32_t code, const char* name, int32_t byteCount, int32_t) {
    Bas_Handle h = NewHandle(byteCount);
    if (h == 0) {
        std::snprintf(Basp_G_buffer, Basp_BufferSize, "out of memory allocating %s (%ld bytes).",
                      name ? name : "block", long(byteCount));
        Basp_ReportError(code, 8);
    }
    return h;
}

Bas_Handle Bas_AllocateHandleQuiet(int32_t byteCount, int32_t) {
    return NewHandle(byteCount);
}

void Bas_FreeHandle(Bas_Handle handle) {
    Slot* slot = Resolve(handle);
    if (!slot) return;
    std::free(slot->block);
    *slot = Slot{};
}

void Bas_HPurge(Bas_Handle handle) {
    if (Slot* slot = Resolve(handle)) slot->purgeable = true;
}

void* Bas_HandleBlock(Bas_Handle handle) {
    Slot* slot = Resolve(handle);
    return slot ? slot->block : nullptr;
}

void Bas_PurgeMemory(void) {
    for (Slot& slot : State().slots) {
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
    State().failHandles = n > 0 ? n : 0;
    State().skipHandles = n > 0 && skip > 0 ? skip : 0;
}

void Bas_FailNextTrackedAllocations(int32_t n) {
    State().failTracked = n > 0 ? n : 0;
}

int32_t Bas_LiveHandleCount(void) {
    int32_t n = 0;
    for (const Slot& slot : State().slots)
        n += slot.live ? 1 : 0;
    return n;
}

int32_t Bas_LiveTrackedCount(void) {
    return State().liveTracked;
}

// ---- Tracked allocation and exceptions ----------------------------------------------------------

void* Bas_MemTrackedObject::TrackedNew(size_t byteCount, bool clear) {
    BaseState& s = State();
    if (s.failTracked > 0) {
        --s.failTracked;
        throw std::bad_alloc();
    }
    void* block =
        clear ? std::calloc(byteCount ? byteCount : 1, 1) : std::malloc(byteCount ? byteCount : 1);
    if (!block) throw std::bad_alloc();
    ++s.liveTracked;
    return block;
}

void Bas_MemTrackedObject::TrackedDelete(void* block) {
    if (!block) return;
    std::free(block);
    --State().liveTracked;
}

long Bas_TranslateAndReportException(const std::exception& e) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr ||
                        dynamic_cast<const std::length_error*>(&e) != nullptr;
    std::snprintf(Basp_G_buffer, Basp_BufferSize, "%s: %s", memory ? "out of memory" : "exception",
                  e.what());
    Basp_ReportError(Tal_ReportCode(0), 8);
    return memory ? Tal_Err_OUT_OF_MEMORY : Bas_NiroErr(1);
}

// ---- Versions, log, memory move -----------------------------------------------------------------

namespace {
bool g_failBas = false;
bool g_failLex = false;
Basp_VersionCheckLog g_versionLog{};
}  // namespace

int32_t Bas_CheckVersions(int32_t code, int32_t version) {
    g_versionLog.basCalls++;
    g_versionLog.basCode = code;
    g_versionLog.basVersion = version;
    return g_failBas || version != Talp_BasVersion ? 1 : 0;
}

int32_t Lex_CheckVersions(int32_t code, int32_t version) {
    g_versionLog.lexCalls++;
    g_versionLog.lexCode = code;
    g_versionLog.lexVersion = version;
    return g_failLex || version != Talp_LexVersion ? 1 : 0;
}

void Basp_FailVersionChecks(bool bas, bool lex) {
    g_failBas = bas;
    g_failLex = lex;
}

Basp_VersionCheckLog Basp_VersionChecks() {
    return g_versionLog;
}

void Pev_Log(int32_t, const char*, const char*, const char*) {}

void BlockMove(const void* source, void* destination, long byteCount) {
    if (byteCount > 0 && source != destination)
        std::memmove(destination, source, size_t(byteCount));
}
