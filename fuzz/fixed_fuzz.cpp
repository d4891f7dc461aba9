// Fixed point against the slow model, bit counts against loops and rounding against floor, on any
// operands: undefined behaviour trips the sanitizers, a wrong value the checks.
#include <cmath>

#include "input.h"
#include "support/fixed_model.h"
#include "tal/base_testing.h"
#include "tal/fixed.h"
#include "tal/integer.h"

using namespace taltest;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talfuzz::Input in(data, size);
    const int32_t a = in.Take<int32_t>(), b = in.Take<int32_t>();
    const double d = in.Take<double>();
    TALFUZZ_REQUIRE(Tal_FixMul(a, b) == FixMulModel(a, b));
    TALFUZZ_REQUIRE(Tal_FixDiv(a, b) == FixDivModel(a, b));
    TALFUZZ_REQUIRE(Tal_Fix24Mul(a, b) == Fix24Model(Fix24Product(a, b)));
    TALFUZZ_REQUIRE(Tal_Fix24Ratio(a, b) == (b == 0 ? kFixedMark : Fix24Model(double(a) / b)));

    const uint32_t u = uint32_t(a), down = u ? 0x80000000u >> LeadingZeros(u) : 0;
    TALFUZZ_REQUIRE(Tal_LeadingZeros(u) == LeadingZeros(u));
    TALFUZZ_REQUIRE(Tal_TrailingZeros(u) == TrailingZeros(u));
    TALFUZZ_REQUIRE(Tal_RoundDownToPowerOf2(u) == down);
    TALFUZZ_REQUIRE(Tal_RoundUpToPowerOf2(u) == (down == u ? down : down << 1));

    // Halves away from zero, the nearest multiple wrapping modulo 2^32; doubles as floor(d + 0.5).
    const int64_t q = b <= 0 ? 0 : (std::abs(int64_t(a)) + b / 2) / b * b;
    TALFUZZ_REQUIRE(Tal_RoundToNearestMult(a, b) ==
                    (b <= 0 ? a : int32_t(uint32_t(a < 0 ? -q : q))));
    const double f = std::floor(d + 0.5);
    const bool fits = f >= -2147483648.0 && f <= 2147483647.0;
    TALFUZZ_REQUIRE(Tal_RoundDouble(d) == (fits ? int32_t(f) : kFixedMark));
    const int32_t safe = d > 2147483646.5        ? INT32_MAX
                         : !(d >= -2147483647.5) ? kFixedMark
                                                 : int32_t(f);
    TALFUZZ_REQUIRE(Tal_RoundDoubleSafe(d) == safe);
    Bas_ClearRecordedReports();
    return 0;
}
