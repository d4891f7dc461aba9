// What the library reported, read back from the reference base library's recorder.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tal/base_testing.h"

namespace taltest {

struct Report {
    int32_t code, severity, number;  // number: base-library error number, 0 for a message
    std::string text;
    bool operator==(const Report& o) const {
        return std::tie(code, severity, number, text) ==
               std::tie(o.code, o.severity, o.number, o.text);
    }
};
using Reports = std::vector<Report>;

inline std::ostream& operator<<(std::ostream& os, const Report& r) {
    return os << "{0x" << std::hex << r.code << std::dec << ", " << r.severity << ", #" << r.number
              << ", \"" << r.text << "\"}";
}

inline void ClearReports() {
    Bas_ClearRecordedReports();
}

/// Every report recorded since the last call, oldest first; clears the record.
inline Reports TakeReports() {
    Reports out;
    Report r{};
    char text[Basp_BufferSize];
    while (Bas_TakeRecordedReport(&r.code, &r.severity, &r.number, text, sizeof text)) {
        r.text = text;
        out.push_back(r);
    }
    ClearReports();
    return out;
}

/// The code f throws (0: none) and the reports it made.
template <class F>
std::pair<long, Reports> Thrown(F f) {
    ClearReports();
    long code = 0;
    try {
        f();
    } catch (long c) {
        code = c;
    }
    return {code, TakeReports()};
}

/// A message report (number 0), severity 8 unless given.
inline Report Msg(int32_t code, const std::string& text, int32_t severity = 8) {
    return Report{code, severity, 0, text};
}

}  // namespace taltest
