// The recorder: a ring of the last Bas_RecorderCapacity reports, taken out oldest first.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "base/base_internal.h"
#include "tal/base_testing.h"

namespace {

struct Record {
    int32_t code = 0;
    int32_t severity = 0;
    int32_t number = 0;
    std::string text;
};

struct Recorder {
    std::mutex mutex;
    std::vector<Record> ring = std::vector<Record>(size_t(Bas_RecorderCapacity));
    size_t oldest = 0;  // ring index of the oldest record
    size_t count = 0;
    int32_t dropped = 0;
};

// Never destroyed: a report made while the process exits still finds it.
Recorder& TheRecorder() {
    static Recorder* recorder = new Recorder;
    return *recorder;
}

}  // namespace

void Basp_Record(int32_t code, int32_t severity, int32_t number, const char* text) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.count == r.ring.size()) {
        r.oldest = (r.oldest + 1) % r.ring.size();
        --r.count;
        ++r.dropped;
    }
    Record& slot = r.ring[(r.oldest + r.count) % r.ring.size()];
    slot.code = code;
    slot.severity = severity;
    slot.number = number;
    slot.text.assign(text);  // reuses the slot's storage once the ring has gone round
    ++r.count;
}

int32_t Bas_RecordedReportCount(void) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return int32_t(r.count);
}

int Bas_TakeRecordedReport(int32_t* code, int32_t* severity, int32_t* number, char* text,
                           size_t textSize) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.count == 0) return 0;
    const Record& slot = r.ring[r.oldest];
    if (code) *code = slot.code;
    if (severity) *severity = slot.severity;
    if (number) *number = slot.number;
    if (text && textSize > 0) {
        const size_t n = std::min(slot.text.size(), textSize - 1);
        std::memcpy(text, slot.text.data(), n);
        text[n] = '\0';
    }
    r.oldest = (r.oldest + 1) % r.ring.size();
    --r.count;
    return 1;
}

void Bas_ClearRecordedReports(void) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.oldest = 0;
    r.count = 0;
    r.dropped = 0;
}

int32_t Bas_DroppedReportCount(void) {
    Recorder& r = TheRecorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.dropped;
}
