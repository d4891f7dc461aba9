// Ratio arithmetic on any operands against the exact model: an exact outcome holds the exact value,
// a refused one is {0, 0}, an allowed approximation is the nearest bounded fraction.
#include <cstring>

#include "support/ratio_model.h"
#include "support/require.h"
#include "tal/base_testing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Tal_Ratio in[2] = {};  // past the end of the input every field is zero
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    const Tal_Ratio a = in[0], b = in[1];
    if (a.den == 0 || b.den == 0) return 0;  // zero denominators: the unit tables
    for (const taltest::RatioOp* op : taltest::kRatioOps) {
        if (op == &taltest::kRatioDiv && (b.num == 0 || b.den >= 0x80000000u)) continue;
        Tal_Ratio refused{}, allowed{}, nearest{};
        Tal_RatioStatus byte = 0, approx = Tal_RatioStatus_APPROXIMATED;
        uint8_t overflow = 0;
        REQUIRE(op->apply(&a, &b, &refused, &byte) == 0);
        REQUIRE(op->apply(&a, &b, &allowed, &approx) == 0);
        if (byte == Tal_RatioStatus_EXACT) {
            REQUIRE(op->Exact(a, b).HeldBy(refused));
            REQUIRE(allowed == refused);
            REQUIRE(approx == Tal_RatioStatus_EXACT);
            continue;
        }
        Tal_FpLong2Ratio(op->Approximate(a, b), &nearest, &overflow);
        REQUIRE(byte == Tal_RatioStatus_OVERFLOW);
        REQUIRE(refused == (Tal_Ratio{0, 0}));
        REQUIRE(allowed == nearest);
        REQUIRE(approx == (overflow ? Tal_RatioStatus_OVERFLOW : Tal_RatioStatus_APPROXIMATED));
    }
    Bas_ClearRecordedReports();
    return 0;
}
