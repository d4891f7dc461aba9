// Ratios on any operands: every outcome the library calls exact holds the exact value, every
// failure leaves {0, 0}, and comparison follows the sign of the exact difference.
#include <cmath>

#include "input.h"
#include "support/ratio_model.h"
#include "tal/base_testing.h"

namespace {

using namespace taltest;

constexpr Tal_Ratio kFailed{0, 0};
constexpr uint32_t kTop = 0x80000000u;

// mode bits 0-1 pick the status form (null, all ones, byte, byte), bits 2-3 the byte's value on
// entry, bit 4 makes the output alias the first operand.
void CheckArithmetic(const RatioOp& op, const Tal_Ratio& a, const Tal_Ratio& b, uint8_t mode) {
    const int form = mode & 3;
    Tal_RatioStatus byte = (mode >> 2) & 3;
    Tal_RatioStatus* status = form == 0 ? nullptr : form == 1 ? Tal_RatioAllowApprox : &byte;
    Tal_Ratio x = a, out{12345, 678};
    Tal_Ratio* dst = (mode & 16) ? &x : &out;
    const Tal_Err err = op.apply(&x, &b, dst, status);
    if (a.den == 0 || b.den == 0 || op.Exact(a, b).den == 0) TALFUZZ_REQUIRE(err != 0 || byte & 1);
    if (err != 0 || (form >= 2 && (byte & 1))) TALFUZZ_REQUIRE(*dst == kFailed);
    if (err == 0 && (form == 0 || (form >= 2 && byte == 0)))
        TALFUZZ_REQUIRE(Holds(*dst, op.Exact(a, b)));
}

// Exact unless the difference overflows with a denominator of 2^31 or more: that comparison is
// made on double products, which may call unequal ratios equal.
void CheckCompare(const Tal_Ratio& a, const Tal_Ratio& b) {
    int32_t result = 77;
    const Tal_Err err = Tal_CompareRatio(&a, &b, &result);
    if (a.den == 0 || b.den == 0) return TALFUZZ_REQUIRE(err != 0 && result == 0);
    const ExactRatio difference = kRatioSub.Exact(a, b);
    int want = difference.num == 0 ? 0 : difference.negative ? -1 : 1;
    Tal_RatioStatus exactOnly = 0;
    Tal_Ratio unused{};
    Tal_SubRatio(&a, &b, &unused, &exactOnly);
    if (exactOnly != 0 && (a.den >= kTop || b.den >= kTop)) {
        const double left = double(a.num) * double(b.den), right = double(b.num) * double(a.den);
        want = (left > right) - (left < right);
    }
    TALFUZZ_REQUIRE(err == 0 && (result > 0) - (result < 0) == want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talfuzz::Input in(data, size);
    const auto ratio = [&in] {
        const int32_t num = in.Take<int32_t>();
        return Tal_Ratio{num, in.Take<uint32_t>()};
    };
    const Tal_Ratio a = ratio(), b = ratio(), c = ratio();
    const uint8_t mode = in.Take<uint8_t>();
    for (const RatioOp* op : kRatioOps)
        CheckArithmetic(*op, a, b, mode);
    CheckCompare(a, b);
    // The value kept, in lowest terms unless the gcd is 2^31 or more; a reciprocal it calls exact
    // is exact.
    Tal_Ratio out{}, start{}, length{};
    uint8_t flag = 9;
    TALFUZZ_REQUIRE(Tal_ReduceRatio(&a, &out, &flag) == 0 && flag <= 1);
    if (a.den != 0) TALFUZZ_REQUIRE(Holds(out, ExactOf(a)));
    if (a.den != 0 && a.den / ExactOf(a).den < kTop) TALFUZZ_REQUIRE(ExactOf(out).den == out.den);
    TALFUZZ_REQUIRE(Tal_RecipRatio(&a, &out, &flag) == 0 && flag <= 1);
    if (flag == 1 && a.num != 0 && a.den != 0)
        TALFUZZ_REQUIRE(Holds(out, kRatioDiv.Exact({1, 1}, a)));
    // Clipping stays within the range; a failed span clip leaves {0, 0} in both outputs.
    if (Tal_ClipRatio(&a, &b, &c, &out) == 0 && a.den && b.den && c.den)
        TALFUZZ_REQUIRE(out == a || out == b || out == c);
    if (Tal_ClipSpanToSpan(&a, &b, &c, &a, &start, &length) != 0)
        TALFUZZ_REQUIRE(start == kFailed && length == kFailed);
    uint8_t exact = 9, overflow = 9;
    if (Tal_ConvRatio(&a, c.den, &out, &exact, mode & 1 ? &overflow : nullptr) != 0)
        TALFUZZ_REQUIRE(out == kFailed && exact == 0);
    const double d = in.Take<double>();
    overflow = 9;
    TALFUZZ_REQUIRE(Tal_FpLong2Ratio(d, &out, &overflow) == 0);
    if (!(std::fabs(d) < 2147483648.0)) TALFUZZ_REQUIRE(overflow == 1 && out == kFailed);
    if (std::fabs(d) < 2147483648.0)
        TALFUZZ_REQUIRE(overflow == 0 && out.den != 0 && out.den <= (1u << 30));
    Bas_ClearRecordedReports();
    return 0;
}
