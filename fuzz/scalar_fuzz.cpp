// Fixed point and ratio arithmetic on any operands against the slow models: undefined behaviour
// trips the sanitizers, a wrong value aborts naming the check. The first 8 bytes are two fixed
// operands, the first 16 two ratios. Of ratios, an exact outcome holds the exact value, a refused
// one is {0, 0}, an allowed approximation is the nearest bounded fraction.
#include <cstring>

#include "support/fixed_model.h"
#include "support/ratio_model.h"
#include "support/require.h"
#include "tal/base_testing.h"
#include "tal/fixed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using Model = taltest::FixedModel;
    Tal_Ratio in[2] = {};  // past the end of the input every field is zero
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    const int32_t a = in[0].num, b = int32_t(in[0].den);
    REQUIRE(Tal_FixMul(a, b) == Model::Mul(a, b));
    REQUIRE(Tal_FixDiv(a, b) == Model::Div(a, b));
    REQUIRE(Tal_Fix24Mul(a, b) == Model::Round24(Model::Product24(a, b)));
    REQUIRE(Tal_Fix24Ratio(a, b) == Model::Round24(Model::Ratio24(a, b)));
    const Tal_Ratio &x = in[0], &y = in[1];
    for (const taltest::RatioOp* op : taltest::kRatioOps) {
        if (x.den == 0 || y.den == 0) break;  // zero denominators: the unit tables
        if (op == &taltest::kRatioDiv && (y.num == 0 || y.den >= 0x80000000u)) continue;
        Tal_Ratio refused{}, allowed{}, nearest{};
        Tal_RatioStatus byte = 0, approx = Tal_RatioStatus_APPROXIMATED;
        uint8_t overflow = 0;
        REQUIRE(op->apply(&x, &y, &refused, &byte) == 0);
        REQUIRE(op->apply(&x, &y, &allowed, &approx) == 0);
        if (byte == Tal_RatioStatus_EXACT) {
            REQUIRE(op->Exact(x, y).HeldBy(refused));
            REQUIRE(allowed == refused);
            REQUIRE(approx == Tal_RatioStatus_EXACT);
            continue;
        }
        Tal_FpLong2Ratio(op->Approximate(x, y), &nearest, &overflow);
        REQUIRE(byte == Tal_RatioStatus_OVERFLOW);
        REQUIRE(refused == (Tal_Ratio{0, 0}));
        REQUIRE(allowed == nearest);
        REQUIRE(approx == (overflow ? Tal_RatioStatus_OVERFLOW : Tal_RatioStatus_APPROXIMATED));
    }
    Bas_ClearRecordedReports();  // the reports of the failures, kept from piling up
    return 0;
}
