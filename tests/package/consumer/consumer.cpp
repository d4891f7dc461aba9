// A host in miniature: checks the version, is born with the character tables, borrows one, sees
// an overflow report through the base library's sink, dies.
#include <tal/base.h>
#include <tal/fixed.h>
#include <tal/frame.h>

#include <cstdio>
#include <cstring>

int main() {
    int overflows = 0;
    Bas_SetReportSink(
        [](int32_t code, int32_t, int32_t, const char* text, void* context) {
            if (code == 0x110008 && std::strcmp(text, "overflow in fix24 multiply.") == 0)
                ++*static_cast<int*>(context);
        },
        &overflows);
    if (Tal_CheckVersions(0x230001, 18) != 0) return 1;
    if (Tal_Birth(Tal_Service_BASIC | Tal_Service_FCMD, nullptr) != 0) return 2;
    const uint8_t* mul = nullptr;
    if (Tal_PrepareFCMD(1, 0, nullptr, &mul, nullptr) != 0 || mul[255 * 256 + 128] != 128) return 3;
    Tal_UnprepareFCMD();
    if (Tal_Fix24Mul(0x7f000000, 0x7f000000) != Tal_FixedFailure || overflows != 1) return 4;
    if (Tal_Death() != 0) return 5;
    const uint32_t v = Tal_PkgObjectVersion();
    std::printf("consumer: Tal %u.%u born and ended\n", unsigned(v >> 16), unsigned(v & 0xFFFF));
    return 0;
}
