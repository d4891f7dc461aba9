// Fixed point against the slow model, and the integer utilities against exact 64-bit arithmetic,
// for undefined behaviour and their contracts on any operands.
#include <cmath>
#include <cstdlib>

#include "input.h"
#include "support/fixed_model.h"
#include "tal/fixed.h"
#include "tal/host.h"
#include "tal/integer.h"

namespace {

using namespace taltest;

void CheckFixed(int32_t a, int32_t b) {
    TALFUZZ_REQUIRE(Tal_FixMul(a, b) == FixMulModel(a, b));
    TALFUZZ_REQUIRE(Tal_FixDiv(a, b) == FixDivModel(a, b));
    TALFUZZ_REQUIRE(Tal_Fix24Mul(a, b) == Fix24Model(Fix24Product(a, b)));
    TALFUZZ_REQUIRE(Tal_Fix24Ratio(a, b) == (b == 0 ? kFixedMark : Fix24Model(double(a) / b)));
}

void CheckBits(uint32_t u) {
    TALFUZZ_REQUIRE(Tal_LeadingZeros(u) == LeadingZeros(u));
    TALFUZZ_REQUIRE(Tal_TrailingZeros(u) == TrailingZeros(u));
    const uint32_t down = u ? 0x80000000u >> LeadingZeros(u) : 0;
    TALFUZZ_REQUIRE(Tal_RoundDownToPowerOf2(u) == down);
    TALFUZZ_REQUIRE(Tal_RoundUpToPowerOf2(u) == (down == u ? down : down << 1));
    TALFUZZ_REQUIRE(Tal_BitsUsed(int32_t(u)) == (int32_t(u) <= 0 ? 0 : 32 - LeadingZeros(u)));
}

void CheckPredictions(int32_t a, int32_t b) {
    const int64_t sum = int64_t(a) + b, product = int64_t(a) * b;
    TALFUZZ_REQUIRE(Tal_AddWouldOverflow(a, b) == (sum != int32_t(sum)));
    if (product != int32_t(product)) TALFUZZ_REQUIRE(Tal_MulWouldOverflow(a, b));
    if (uint64_t(uint32_t(a)) * uint32_t(b) >> 32)
        TALFUZZ_REQUIRE(Tal_UMulWouldOverflow(uint32_t(a), uint32_t(b)));
}

// Divisors divide both operands; gcd(a, 0) is 1 and a zero operand gives a zero lcm.
void CheckDivisors(int32_t a, int32_t b) {
    uint32_t ug = 0, ulcm = 0;
    int32_t sg = 0, lcm = 0;
    TALFUZZ_REQUIRE((Tal_UnsignedGCD(uint32_t(a), uint32_t(b), &ug) | Tal_SignedGCD(a, b, &sg) |
                     Tal_SignedLCM(a, b, &lcm) |
                     Tal_UnsignedLCM(uint32_t(a), uint32_t(b), &ulcm)) == 0);
    if (b == 0) TALFUZZ_REQUIRE(ug == 1 && sg == 1);
    if (b != 0) TALFUZZ_REQUIRE(uint32_t(a) % ug == 0 && uint32_t(b) % ug == 0);
    if (b != 0)
        TALFUZZ_REQUIRE(Magnitude(a) % uint32_t(sg) == 0 && Magnitude(b) % uint32_t(sg) == 0);
    if (a == 0 || b == 0) TALFUZZ_REQUIRE(lcm == 0 && ulcm == 0);
}

void CheckRounding(int32_t x, int32_t m, double d) {
    // Halves away from zero; the nearest multiple wraps modulo 2^32.
    const int64_t q = m <= 0 ? 0 : (std::llabs(int64_t(x)) + m / 2) / m * m;
    const int32_t nearest = m <= 0 ? x : int32_t(uint32_t(x < 0 ? -q : q));
    TALFUZZ_REQUIRE(Tal_RoundToNearestMult(x, m) == nearest);
    const double f = std::floor(d + 0.5);
    const bool fits = f >= -2147483648.0 && f <= 2147483647.0;
    TALFUZZ_REQUIRE(Tal_RoundDouble(d) == (fits ? int32_t(f) : kFixedMark));
    const int32_t safe = d > 2147483646.5                     ? INT32_MAX
                         : d < -2147483647.5 || std::isnan(d) ? kFixedMark
                                                              : int32_t(f);
    TALFUZZ_REQUIRE(Tal_RoundDoubleSafe(d) == safe);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talfuzz::Input in(data, size);
    const int32_t a = in.Take<int32_t>(), b = in.Take<int32_t>();
    const double d = in.Take<double>();
    CheckFixed(a, b);
    CheckBits(uint32_t(a));
    CheckPredictions(a, b);
    CheckDivisors(a, b);
    CheckRounding(a, b, d);
    Bas_ClearRecordedReports();
    return 0;
}
