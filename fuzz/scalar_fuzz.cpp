// Fixed point, bit counts and rounding against the slow models; ratios: an outcome called exact
// holds the exact value, a failure leaves {0, 0}, comparison follows the exact difference.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/fixed_model.h"
#include "support/ratio_model.h"
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

constexpr Tal_Ratio kFailed{0, 0};
constexpr uint32_t kTop = 0x80000000u;

void CheckFixedAndRounding(int32_t a, int32_t b, double d) {
    REQUIRE(Tal_FixMul(a, b) == FixMulModel(a, b));
    REQUIRE(Tal_FixDiv(a, b) == FixDivModel(a, b));
    REQUIRE(Tal_Fix24Mul(a, b) == Fix24Model(Fix24Product(a, b)));
    REQUIRE(Tal_Fix24Ratio(a, b) == (b == 0 ? kFixedMark : Fix24Model(double(a) / b)));
    const uint32_t u = uint32_t(a), down = u ? 0x80000000u >> LeadingZeros(u) : 0;
    REQUIRE(Tal_LeadingZeros(u) == LeadingZeros(u));
    REQUIRE(Tal_TrailingZeros(u) == TrailingZeros(u));
    REQUIRE(Tal_RoundDownToPowerOf2(u) == down);
    REQUIRE(Tal_RoundUpToPowerOf2(u) == (down == u ? down : down << 1));
    // Halves away from zero, the nearest multiple wrapping modulo 2^32; doubles as floor(d + 0.5).
    const int64_t q = b <= 0 ? 0 : (std::abs(int64_t(a)) + b / 2) / b * b;
    REQUIRE(Tal_RoundToNearestMult(a, b) == (b <= 0 ? a : int32_t(uint32_t(a < 0 ? -q : q))));
    const double f = std::floor(d + 0.5);
    const bool fits = f >= -2147483648.0 && f <= 2147483647.0;
    REQUIRE(Tal_RoundDouble(d) == (fits ? int32_t(f) : kFixedMark));
    REQUIRE(Tal_RoundDoubleSafe(d) == (d > 2147483646.5        ? INT32_MAX
                                       : !(d >= -2147483647.5) ? kFixedMark
                                                               : int32_t(f)));
}

// mode bits 0-1 pick the status form (null, all ones, byte, byte), bits 2-3 the byte's value on
// entry, bit 4 makes the output alias the first operand.
void CheckArithmetic(const RatioOp& op, const Tal_Ratio& a, const Tal_Ratio& b, uint8_t mode) {
    const int form = mode & 3;
    Tal_RatioStatus byte = (mode >> 2) & 3;
    Tal_RatioStatus* status = form == 0 ? nullptr : form == 1 ? Tal_RatioAllowApprox : &byte;
    Tal_Ratio x = a, out{12345, 678};
    Tal_Ratio* dst = (mode & 16) ? &x : &out;
    const Tal_Err err = op.apply(&x, &b, dst, status);
    if (a.den == 0 || b.den == 0 || op.Exact(a, b).den == 0) REQUIRE(err != 0 || byte & 1);
    if (err != 0 || (form >= 2 && (byte & 1))) REQUIRE(*dst == kFailed);
    if (err == 0 && (form == 0 || (form >= 2 && byte == 0))) REQUIRE(Holds(*dst, op.Exact(a, b)));
}

// Exact unless the difference overflows with a denominator of 2^31 or more: then the comparison
// is of double products, which may call unequal ratios equal.
void CheckCompare(const Tal_Ratio& a, const Tal_Ratio& b) {
    int32_t result = 77;
    const Tal_Err err = Tal_CompareRatio(&a, &b, &result);
    if (a.den == 0 || b.den == 0) return REQUIRE(err != 0 && result == 0);
    const ExactRatio difference = kRatioSub.Exact(a, b);
    int want = difference.num == 0 ? 0 : difference.negative ? -1 : 1;
    Tal_RatioStatus exactOnly = 0;
    Tal_Ratio unused{};
    Tal_SubRatio(&a, &b, &unused, &exactOnly);
    if (exactOnly != 0 && (a.den >= kTop || b.den >= kTop)) {
        const double left = double(a.num) * double(b.den), right = double(b.num) * double(a.den);
        want = (left > right) - (left < right);
    }
    REQUIRE(err == 0 && (result > 0) - (result < 0) == want);
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
    const int32_t an = Take<int32_t>(data, size), bn = Take<int32_t>(data, size);
    const Tal_Ratio a{an, Take<uint32_t>(data, size)}, b{bn, Take<uint32_t>(data, size)};
    const uint8_t mode = Take<uint8_t>(data, size);
    CheckFixedAndRounding(a.num, b.num, Take<double>(data, size));
    for (const RatioOp* op : kRatioOps)
        CheckArithmetic(*op, a, b, mode);
    CheckCompare(a, b);
    Bas_ClearRecordedReports();
    return 0;
}
