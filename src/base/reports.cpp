// Report delivery: each thread composes into buffers of its own, and reaches the sink one report at
// a time. A thread inside the sink is marked, so that a report it makes there goes to the recorder
// instead of into the sink again (which would recurse, or deadlock on the sink's mutex).
#include <cstring>
#include <mutex>

#include "base/base_internal.h"
#include "tal/base_testing.h"

const Basp_TextBuffer Basp_G_buffer{};
const Basp_ErrBuffer Basp_G_err_buf{};

namespace {

thread_local char t_text[Basp_BufferSize];
thread_local int32_t t_errWords[4];
thread_local bool t_inSink = false;

struct SinkSlot {
    std::mutex mutex;  // held while the sink runs, so that its calls never overlap
    Bas_ReportSink sink = nullptr;
    void* context = nullptr;
};

// Never destroyed: a report made while the process exits still finds it.
SinkSlot& Sink() {
    static SinkSlot* slot = new SinkSlot;
    return *slot;
}

// Marks the thread as inside the sink for as long as the sink runs, even if it throws.
class InSinkScope {
public:
    InSinkScope() { t_inSink = true; }
    ~InSinkScope() { t_inSink = false; }
    InSinkScope(const InSinkScope&) = delete;
    InSinkScope& operator=(const InSinkScope&) = delete;
};

}  // namespace

Basp_TextBuffer::operator char*() const {
    return t_text;
}

Basp_ErrBuffer::operator int32_t*() const {
    return t_errWords;
}

void Basp_Deliver(int32_t code, int32_t severity, int32_t number, const char* text) {
    if (!t_inSink) {
        SinkSlot& slot = Sink();
        std::lock_guard<std::mutex> lock(slot.mutex);
        if (slot.sink) {
            InSinkScope inSink;
            slot.sink(code, severity, number, text, slot.context);
            return;
        }
    }
    Basp_Record(code, severity, number, text);
}

void Bas_SetReportSink(Bas_ReportSink sink, void* context) {
    SinkSlot& slot = Sink();
    std::unique_lock<std::mutex> lock(slot.mutex, std::defer_lock);
    if (!t_inSink) lock.lock();  // inside the sink this thread holds the mutex already
    slot.sink = sink;
    slot.context = sink ? context : nullptr;
}

void Basp_ReportError(int32_t code, int32_t severity) {
    // The sink may compose again on this thread, so it gets a copy rather than the buffer itself.
    char text[Basp_BufferSize];
    t_text[Basp_BufferSize - 1] = '\0';
    std::memcpy(text, t_text, std::strlen(t_text) + 1);
    Basp_Deliver(code, severity, 0, text);
}

Tal_Err Basp_ReportErrString(int32_t code, int32_t severity, const char* text) {
    Basp_Deliver(code, severity, 0, text ? text : "");
    return 0;
}

Tal_Err Basp_ReportNiroErrString(int32_t code, int32_t severity, int32_t number, const char* text) {
    Basp_Deliver(code, severity, number, text ? text : "");
    return Bas_NiroErr(number);
}

const char* Bas_ZLookupLStrCache(const Tal_LStrTable* zref, int32_t index, int32_t, int32_t) {
    // Only the default text is known here: what follows the '=' of the key.
    if (!zref || index < 0 || uint32_t(index) + 1 >= zref->count) return "";
    const char* key = zref->records[index].key;
    if (!key) return "";
    const char* eq = std::strchr(key, '=');
    return eq ? eq + 1 : key;
}
