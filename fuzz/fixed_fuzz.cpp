// Fixed point and bit counts on any operands against the slow models: undefined behaviour trips
// the sanitizers, a wrong value aborts naming the check.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/fixed_model.h"
#include "tal/fixed.h"
#include "tal/host.h"
#include "tal/integer.h"

#define REQUIRE(cond) ((cond) ? void(0) : Fail(__LINE__, #cond))

[[noreturn]] static void Fail(int line, const char* what) {
    std::fprintf(stderr, "line %d: broken: %s\n", line, what);
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t in[2] = {};  // past the end of the input every operand is zero
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    const int32_t a = in[0], b = in[1];
    using Model = taltest::FixedModel;
    const uint32_t u = uint32_t(a), down = u ? 0x80000000u >> Model::LeadingZeros(u) : 0;
    REQUIRE(Tal_FixMul(a, b) == Model::Mul(a, b));
    REQUIRE(Tal_FixDiv(a, b) == Model::Div(a, b));
    REQUIRE(Tal_Fix24Mul(a, b) == Model::Round24(Model::Product24(a, b)));
    REQUIRE(Tal_Fix24Ratio(a, b) == Model::Round24(Model::Ratio24(a, b)));
    REQUIRE(Tal_LeadingZeros(u) == Model::LeadingZeros(u));
    REQUIRE(Tal_TrailingZeros(u) == Model::TrailingZeros(u));
    REQUIRE(Tal_RoundUpToPowerOf2(u) == (down == u ? down : down << 1));
    Bas_ClearRecordedReports();  // the reports of the failures, kept from piling up
    return 0;
}
