// Ratios: exact 32-bit fractions, and the choice between a reported overflow and an approximation.
#include <cstdio>

#include "tal/base.h"
#include "tal/ratio.h"

void PrintReport(int32_t code, int32_t, int32_t, const char* text, void*) {
    std::printf("report 0x%06x: %s\n", unsigned(code), text);
}

void Print(const char* what, const Tal_Ratio& r) {
    std::printf("%s = %d/%u\n", what, int(r.num), unsigned(r.den));
}

//! [ratio]
int main() {
    Bas_SetReportSink(PrintReport, nullptr);
    const Tal_Ratio third = {1, 3}, sixth = {1, 6};
    Tal_Ratio sum, reduced;
    Tal_AddRatio(&third, &sixth, &sum, nullptr);  // over a common denominator, unreduced
    Print("1/3 + 1/6", sum);
    Tal_ReduceRatio(&sum, &reduced, nullptr);
    Print("reduced", reduced);

    // A product beyond 32 bits: with a null status it is reported and fails with {0, 0}...
    const Tal_Ratio big = {2000000000, 3}, tiny = {1, 2000000001};
    Tal_Ratio product;
    const Tal_Err err = Tal_MulRatio(&big, &big, &product, nullptr);
    std::printf("exact product: code 0x%x, ", unsigned(err));
    Print("result", product);
    // ...with a status byte that allows it, the nearest fraction of the double result is taken.
    Tal_RatioStatus status = Tal_RatioStatus_APPROXIMATED;
    Tal_MulRatio(&big, &tiny, &product, &status);
    std::printf("approximated: status %d, ", int(status));
    Print("result", product);

    int32_t order = 0;
    Tal_CompareRatio(&third, &sixth, &order);
    std::printf("1/3 %s 1/6\n", order > 0 ? ">" : order < 0 ? "<" : "=");
    return 0;
}
//! [ratio]

//! [output]
// > 1/3 + 1/6 = 3/6
// > reduced = 1/2
// > report 0x110011: overflow in ratio multiply.
// > exact product: code 0x1102, result = 0/0
// > approximated: status 2, result = 11184811/33554432
// > 1/3 > 1/6
//! [output]
