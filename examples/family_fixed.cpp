// Fixed point: 16.16 and 8.24 products and quotients, and the one failure mark they share.
#include <cstdio>

#include "tal/base.h"
#include "tal/fixed.h"

void PrintReport(int32_t code, int32_t, int32_t, const char* text, void*) {
    std::printf("report 0x%06x: %s\n", unsigned(code), text);
}

//! [fixed]
int main() {
    Bas_SetReportSink(PrintReport, nullptr);
    const Tal_Fixed one_and_half = 0x00018000;  // 1.5 in 16.16
    const Tal_Fixed two_and_quarter = 0x00024000;
    std::printf("1.5 * 2.25 = 0x%08x\n", unsigned(Tal_FixMul(one_and_half, two_and_quarter)));
    std::printf("1.5 / 2.25 = 0x%08x (truncated)\n",
                unsigned(Tal_FixDiv(one_and_half, two_and_quarter)));
    std::printf("1 / 0      = 0x%08x, unreported\n", unsigned(Tal_FixDiv(0x10000, 0)));

    // 8.24 covers (-128, 128): 100 * 2 overflows, is reported once and gives the failure mark.
    const Tal_Fix24 hundred = 100 << 24, two = 2 << 24;
    const Tal_Fix24 product = Tal_Fix24Mul(hundred, two);
    std::printf("100 * 2 in 8.24 = 0x%08x, failed: %s\n", unsigned(product),
                product == Tal_FixedFailure ? "yes" : "no");
    // A ratio of any two integers of one scale, as 8.24: 1/3 rounded half away from zero.
    std::printf("1 / 3 as 8.24 = 0x%08x\n", unsigned(Tal_Fix24Ratio(1, 3)));
    return 0;
}
//! [fixed]

//! [output]
// > 1.5 * 2.25 = 0x00036000
// > 1.5 / 2.25 = 0x0000aaaa (truncated)
// > 1 / 0      = 0x80000000, unreported
// > report 0x110008: overflow in fix24 multiply.
// > 100 * 2 in 8.24 = 0x80000000, failed: yes
// > 1 / 3 as 8.24 = 0x00555555
//! [output]
