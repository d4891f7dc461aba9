// The reference base library: where reports go, and the recorder that keeps them while no sink
// is set.
#include <cstdio>

#include "tal/base_testing.h"
#include "tal/fixed.h"

//! [base]
int main() {
    // No sink: reports are recorded, oldest first.
    Bas_SetReportSink(nullptr, nullptr);
    Bas_ClearRecordedReports();
    Tal_Fix24Ratio(1, 0);              // divide by zero
    Tal_Fix24Mul(100 << 24, 2 << 24);  // overflow
    std::printf("%d reports recorded\n", int(Bas_RecordedReportCount()));
    int32_t code = 0, severity = 0;
    char text[128];
    while (Bas_TakeRecordedReport(&code, &severity, nullptr, text, sizeof text))
        std::printf("0x%06x severity %d: %s\n", unsigned(code), int(severity), text);

    // A sink sees each report whole, from whatever thread made it.
    int count = 0;
    Bas_SetReportSink(
        [](int32_t, int32_t, int32_t, const char*, void* n) { ++*static_cast<int*>(n); }, &count);
    Tal_Fix24Ratio(1, 0);
    Bas_SetReportSink(nullptr, nullptr);
    std::printf("the sink saw %d report\n", count);
    return 0;
}
//! [base]

//! [output]
// > 2 reports recorded
// > 0x110009 severity 8: divide by zero in fix24 divide.
// > 0x110008 severity 8: overflow in fix24 multiply.
// > the sink saw 1 report
//! [output]
