// Fixed point and bit counts on any operands against the slow models: undefined behaviour trips
// the sanitizers, a wrong value the checks.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/fixed_model.h"
#include "tal/fixed.h"
#include "tal/host.h"
#include "tal/integer.h"

namespace {

using namespace taltest;

[[noreturn]] void Fail(int line, const char* what) {
    std::fprintf(stderr, "line %d: broken: %s\n", line, what);
    std::abort();
}
// Aborts with the failed condition, so that a finding names the broken check.
#define REQUIRE(cond) ((cond) ? void(0) : Fail(__LINE__, #cond))

void CheckFixedPoint(int32_t a, int32_t b) {
    REQUIRE(Tal_FixMul(a, b) == FixMulModel(a, b));
    REQUIRE(Tal_FixDiv(a, b) == FixDivModel(a, b));
    REQUIRE(Tal_Fix24Mul(a, b) == Fix24Model(Fix24Product(a, b)));
    REQUIRE(Tal_Fix24Ratio(a, b) == (b == 0 ? kFixedMark : Fix24Model(double(a) / b)));
    const uint32_t u = uint32_t(a), down = u ? 0x80000000u >> LeadingZeros(u) : 0;
    REQUIRE(Tal_LeadingZeros(u) == LeadingZeros(u));
    REQUIRE(Tal_TrailingZeros(u) == TrailingZeros(u));
    REQUIRE(Tal_RoundDownToPowerOf2(u) == down);
    REQUIRE(Tal_RoundUpToPowerOf2(u) == (down == u ? down : down << 1));
}

// Past the end of the input every value is zero, so short inputs still make complete calls.
template <typename T>
T Take(const uint8_t*& data, size_t& left) {
    T v{};
    const size_t n = left < sizeof(T) ? left : sizeof(T);
    std::memcpy(&v, data, n);
    data += n;
    left -= n;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int32_t a = Take<int32_t>(data, size), b = Take<int32_t>(data, size);
    CheckFixedPoint(a, b);
    Bas_ClearRecordedReports();
    return 0;
}
