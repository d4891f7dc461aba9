// Tal demo: what a host does with the library, printed compactly for a person to read. The
// centrepiece is the typical request, which also draws one picture per camera position into the
// folder given as the first argument (default tal-demo-out).
#include <cstdio>
#include <cstring>

#include "demo_transforms.h"
#include "demo_typical_request.h"
#include "tal/base.h"
#include "tal/frame.h"

namespace {

constexpr int32_t kHostCode = 0x230001;  // the demo host's own report code

// Reports go to the screen instead of the host's error service.
void PrintReport(int32_t code, int32_t severity, int32_t number, const char* text, void*) {
    std::printf("  report 0x%06x severity %d%s%.0d: %s\n", unsigned(code), int(severity),
                number ? " base-library error #" : "", int(number), *text ? text : "(no text)");
}

bool CheckVersions() {
    const uint32_t v = Tal_PkgObjectVersion();
    std::printf("Tal package version %u.%u (0x%06x)\n", unsigned(v >> 16), unsigned(v & 0xFFFF),
                unsigned(v));
    std::printf("checking a plug-in built against major 17:\n");
    Tal_CheckVersions(kHostCode, 17);
    const Tal_Err err = Tal_CheckVersions(kHostCode, Tal_MajorVersion);
    std::printf("checking against major %d: %s\n", int(Tal_MajorVersion), err ? "mismatch" : "ok");
    return err == 0;
}

bool Birth() {
    uint32_t born = 0;
    std::printf("birth with all four services:\n");
    Tal_Err err = Tal_Birth(
        Tal_Service_BASIC | Tal_Service_FAST_TRIG | Tal_Service_FCMD | Tal_Service_GAUSSIAN, &born);
    std::printf(
        "  -> result %d, services set up before the failure 0x%x; the Gaussian service "
        "is not provided here, so a host leaves it out\n",
        int(err), unsigned(born));
    err = Tal_Birth(Tal_Service_BASIC | Tal_Service_FAST_TRIG | Tal_Service_FCMD, &born);
    std::printf("birth with basic, fast trig and fast character math: result %d, born 0x%x\n",
                int(err), unsigned(born));
    return err == 0;
}

void ShowTables() {
    const uint8_t* mul = nullptr;
    const uint8_t* div = nullptr;
    if (Tal_PrepareFCMD(1, 0, nullptr, &mul, &div) == 0 && mul && div) {
        std::printf("char multiply: 255*255=%d 128*128=%d 200*100=%d\n", mul[255 * 256 + 255],
                    mul[128 * 256 + 128], mul[200 * 256 + 100]);
        std::printf("char divide:   64/128=%d 254/255=%d 10/10=%d\n", div[128 * 256 + 64],
                    div[255 * 256 + 254], div[10 * 256 + 10]);
        Tal_UnprepareFCMD();
    }
    const float* sine = nullptr;
    if (Tal_PrepareFTrig(1, 0, nullptr, &sine) == 0 && sine) {
        std::printf("fast sine:     [0]=%g [85]=%.7g [170]=%.7g [255]=%g\n", sine[0], sine[85],
                    sine[170], sine[255]);
        Tal_UnprepareFTrig();
    }
}

void HandOver() {
    unsigned char block[sizeof(Talp_Globals)];
    Tal_GetGlobals(block);
    std::printf("globals handed to a second instance; this one is now not born:\n");
    Tal_Death();
    Tal_SetGlobals(block);
    std::printf("handed back: born again with services 0x%x\n", unsigned(Talp_G.bornServices));
}

}  // namespace

int main(int argc, char** argv) {
    Bas_SetReportSink(PrintReport, nullptr);
    if (!CheckVersions() || !Birth()) return 1;
    ShowTables();
    std::printf("\n");
    RunTransformWalkthrough();
    const int pictures = RunTypicalRequest(argc > 1 ? argv[1] : "tal-demo-out");
    std::printf("\n");
    HandOver();
    const Tal_Err err = Tal_Death();
    std::printf("death: result %d\n", int(err));
    return err == 0 && pictures == 0 ? 0 : 1;
}
