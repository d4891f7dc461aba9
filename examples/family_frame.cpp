// Package frame: a host checks the version, is born with the services it needs, borrows a lookup
// table, sees a failure reported once, and dies.
#include <cstdio>

#include "tal/base.h"
#include "tal/frame.h"

//! [frame]
// Where the reports go: here the console, in a host its error service.
void PrintReport(int32_t code, int32_t severity, int32_t, const char* text, void*) {
    std::printf("report 0x%06x severity %d: %s\n", unsigned(code), int(severity), text);
}

int main() {
    Bas_SetReportSink(PrintReport, nullptr);
    if (Tal_CheckVersions(0x230001, Tal_MajorVersion) != 0) return 1;

    uint32_t born = 0;
    if (Tal_Birth(Tal_Service_BASIC | Tal_Service_FCMD, &born) != 0) return 2;
    std::printf("born with services 0x%x\n", unsigned(born));

    const uint8_t* mul = nullptr;  // borrowed until the matching Unprepare
    if (Tal_PrepareFCMD(1, 0, nullptr, &mul, nullptr) == 0) {
        std::printf("200 x 128 on the 0..255 scale: %d\n", mul[200 * 256 + 128]);
        Tal_UnprepareFCMD();
    }

    // The fast sine was not requested at birth: one report, the code returned, output null.
    const float* sine = nullptr;
    const Tal_Err err = Tal_PrepareFTrig(1, 0, nullptr, &sine);
    std::printf("PrepareFTrig: 0x%x, table %s\n", unsigned(err), sine ? "lent" : "null");

    return Tal_Death();
}
//! [frame]

//! [output]
// > born with services 0x5
// > 200 x 128 on the 0..255 scale: 100
// > report 0x11002a severity 8: attempt to use unrequested math service (fast trig).
// > PrepareFTrig: 0x1105, table null
//! [output]
