// Fixed point against a step-by-step model of its definition, and the integer utilities for
// undefined behaviour and their exact contracts.
#include <cmath>
#include <cstdlib>

#include "input.h"
#include "tal/base_testing.h"
#include "tal/fixed.h"
#include "tal/integer.h"

namespace {

constexpr int32_t kFail = INT32_MIN;

// Bit counts by plain loops, independent of the library's.
int Trailing(uint32_t x) {
    int n = 0;
    while (n < 32 && !(x >> n & 1))
        ++n;
    return n;
}
int Leading(uint32_t x) {
    int n = 0;
    while (n < 32 && !(x << n & 0x80000000u))
        ++n;
    return n;
}

uint32_t Magnitude(int32_t v) {
    return v < 0 ? 0u - uint32_t(v) : uint32_t(v);
}

// Low 32 bits of the product, as the definition's products keep.
int32_t Wrap(int32_t a, int32_t b) {
    return int32_t(uint32_t(a) * uint32_t(b));
}

// Arithmetic shift; the definition's shifts of signed values floor.
int32_t Floor(int32_t v, int s) {
    return int32_t(int64_t(v) >> s);
}

int32_t ModelMul(int32_t a, int32_t b) {
    const int ta = Trailing(Magnitude(a));
    int32_t r;
    if (ta > 16) {
        r = Wrap(Floor(a, 16), b);
    } else if (ta + Trailing(Magnitude(b)) > 16) {
        r = Wrap(Floor(b, 16 - ta), Floor(a, ta));
    } else {
        r = Wrap(Floor(a, 8), Floor(b, 8));
    }
    const bool oneNegative = (a < 0) != (b < 0);
    if (oneNegative ? r > 0 : r < 0) return kFail;
    return r;
}

int32_t ModelDiv(int32_t a, int32_t b) {
    if (b == 0) return kFail;
    const bool negative = (a < 0) != (b < 0);
    const uint32_t ua = Magnitude(a);
    uint32_t ub = Magnitude(b);
    const int z = Leading(ua);
    uint32_t q;
    if (z >= 16) {
        q = (ua << 16) / ub;
    } else {
        ub >>= 16 - z;
        if (ub == 0) return kFail;
        q = (ua << z) / ub;
    }
    if (negative) return q > 0x80000000u ? kFail : int32_t(0u - q);
    return q > 0x7FFFFFFFu ? kFail : int32_t(q);
}

// The 8.24 range test and the rounding half away from zero, shared by multiply and ratio.
int32_t ModelFix24(double q) {
    if (!(-129.0 < q && q < 128.0)) return kFail;
    const double s = q * 16777216.0 + (q >= 0 ? 0.5 : -0.5);
    const double t = std::trunc(s);
    return t < -2147483648.0 || t > 2147483647.0 ? kFail : int32_t(t);
}

void CheckFixed(int32_t a, int32_t b) {
    TALFUZZ_REQUIRE(Tal_FixMul(a, b) == ModelMul(a, b));
    TALFUZZ_REQUIRE(Tal_FixDiv(a, b) == ModelDiv(a, b));
    TALFUZZ_REQUIRE(Tal_Fix24Mul(a, b) == ModelFix24((a * 0x1p-24) * (0x1p-24 * b)));
    TALFUZZ_REQUIRE(Tal_Fix24Ratio(a, b) == (b == 0 ? kFail : ModelFix24(double(a) / double(b))));
}

void CheckBits(uint32_t u) {
    TALFUZZ_REQUIRE(Tal_LeadingZeros(u) == Leading(u) && Tal_TrailingZeros(u) == Trailing(u));
    const uint32_t down = Tal_RoundDownToPowerOf2(u), up = Tal_RoundUpToPowerOf2(u);
    TALFUZZ_REQUIRE(u == 0 ? down == 0 : (down <= u && u / 2 < down && (down & (down - 1)) == 0));
    if (u == 0 || u > 0x80000000u)
        TALFUZZ_REQUIRE(up == 0);
    else
        TALFUZZ_REQUIRE(up >= u && up / 2 < u && (up & (up - 1)) == 0);
    const int32_t s = int32_t(u);
    TALFUZZ_REQUIRE(Tal_BitsUsed(s) == (s <= 0 ? 0 : 32 - Leading(u)));
}

void CheckPredictions(int32_t a, int32_t b) {
    const int64_t sum = int64_t(a) + b, product = int64_t(a) * b;
    TALFUZZ_REQUIRE(Tal_AddWouldOverflow(a, b) == (sum != int32_t(sum)));
    if (product != int32_t(product)) TALFUZZ_REQUIRE(Tal_MulWouldOverflow(a, b));
    const uint64_t uproduct = uint64_t(uint32_t(a)) * uint32_t(b);
    if (uproduct >> 32) TALFUZZ_REQUIRE(Tal_UMulWouldOverflow(uint32_t(a), uint32_t(b)));
}

void CheckDivisors(int32_t a, int32_t b) {
    uint32_t ug = 0;
    TALFUZZ_REQUIRE(Tal_UnsignedGCD(uint32_t(a), uint32_t(b), &ug) == 0);
    if (b == 0)
        TALFUZZ_REQUIRE(ug == 1);
    else
        TALFUZZ_REQUIRE(uint32_t(a) % ug == 0 && uint32_t(b) % ug == 0);
    int32_t sg = 0, lcm = 0;
    uint32_t ulcm = 0;
    TALFUZZ_REQUIRE(Tal_SignedGCD(a, b, &sg) == 0);
    const uint32_t mag = uint32_t(sg);
    if (b != 0) TALFUZZ_REQUIRE(Magnitude(a) % mag == 0 && Magnitude(b) % mag == 0);
    TALFUZZ_REQUIRE(Tal_SignedLCM(a, b, &lcm) == 0 &&
                    Tal_UnsignedLCM(uint32_t(a), uint32_t(b), &ulcm) == 0);
    if (a == 0 || b == 0) TALFUZZ_REQUIRE(lcm == 0 && ulcm == 0);
}

void CheckRounding(int32_t x, int32_t m, double d) {
    const int32_t r = Tal_RoundToNearestMult(x, m);
    if (m <= 0) {
        TALFUZZ_REQUIRE(r == x);
    } else {
        // Halves away from zero; the nearest multiple wraps modulo 2^32.
        const int64_t q = (std::llabs(int64_t(x)) + m / 2) / m * m;
        TALFUZZ_REQUIRE(r == int32_t(uint32_t(x < 0 ? -q : q)));
    }
    const double f = std::floor(d + 0.5);
    const bool fits = f >= -2147483648.0 && f <= 2147483647.0;
    TALFUZZ_REQUIRE(Tal_RoundDouble(d) == (fits ? int32_t(f) : kFail));
    const int32_t safe = Tal_RoundDoubleSafe(d);
    if (d > 2147483646.5)
        TALFUZZ_REQUIRE(safe == INT32_MAX);
    else if (d < -2147483647.5 || std::isnan(d))
        TALFUZZ_REQUIRE(safe == kFail);
    else
        TALFUZZ_REQUIRE(safe == int32_t(f));
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
