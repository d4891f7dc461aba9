// Fixed point on any operands against the slow model: undefined behaviour trips the sanitizers,
// a wrong value aborts naming the check.
#include <cstring>

#include "support/fixed_model.h"
#include "support/require.h"
#include "tal/base_testing.h"
#include "tal/fixed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using Model = taltest::FixedModel;
    int32_t in[2] = {};  // past the end of the input every operand is zero
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    const int32_t a = in[0], b = in[1];
    REQUIRE(Tal_FixMul(a, b) == Model::Mul(a, b));
    REQUIRE(Tal_FixDiv(a, b) == Model::Div(a, b));
    REQUIRE(Tal_Fix24Mul(a, b) == Model::Round24(Model::Product24(a, b)));
    REQUIRE(Tal_Fix24Ratio(a, b) == Model::Round24(Model::Ratio24(a, b)));
    Bas_ClearRecordedReports();  // the reports of the failures, kept from piling up
    return 0;
}
