// Test helpers: read what the library reported through the recorder of the reference base library.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tal/base_testing.h"

namespace taltest {

struct Report {
    int32_t code;
    int32_t severity;
    int32_t number;  // base-library error number, 0 for a message report
    std::string text;

    bool operator==(const Report& o) const {
        return code == o.code && severity == o.severity && number == o.number && text == o.text;
    }
};

inline std::ostream& operator<<(std::ostream& os, const Report& r) {
    return os << "{0x" << std::hex << r.code << std::dec << ", sev " << r.severity << ", #"
              << r.number << ", \"" << r.text << "\"}";
}

/// Every report recorded since the last call (or ClearReports), oldest first; clears the record.
inline std::vector<Report> TakeReports() {
    std::vector<Report> out;
    Report r{};
    char text[Basp_BufferSize];
    while (Bas_TakeRecordedReport(&r.code, &r.severity, &r.number, text, sizeof text)) {
        r.text = text;
        out.push_back(r);
    }
    Bas_ClearRecordedReports();
    return out;
}

inline void ClearReports() {
    Bas_ClearRecordedReports();
}

/// A message report (number 0) at code with severity 8 unless given.
inline Report Msg(int32_t code, const std::string& text, int32_t severity = 8) {
    return Report{code, severity, 0, text};
}

}  // namespace taltest
