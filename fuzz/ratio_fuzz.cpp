// Ratios: every operation under every status form, every outcome the library calls exact checked
// against the exact model, every failure checked to leave {0, 0}.
#include <cmath>
#include <cstdlib>

#include "input.h"
#include "support/ratio_model.h"
#include "tal/host.h"

namespace {

using namespace taltest;

constexpr Tal_Ratio kFailed{0, 0};
constexpr uint32_t kTop = 0x80000000u;

int Sign(const ExactRatio& e) {
    return e.num == 0 ? 0 : e.negative ? -1 : 1;
}

// mode bits 0-1 pick the status form (null, all ones, byte, byte), bits 2-3 the byte's value on
// entry, bit 4 makes the output alias the first operand.
void CheckArithmetic(const RatioOp& op, const Tal_Ratio& a, const Tal_Ratio& b, uint8_t mode) {
    const int form = mode & 3;
    Tal_RatioStatus byte = (mode >> 2) & 3;
    // A divisor denominator of 2^31 or more that may not be halved fails before any operand is
    // looked at; the byte keeps its entry value and gains the value 1.
    const bool refused =
        &op == &kRatioDiv && b.den >= kTop && (form == 0 || (form >= 2 && !(byte & 1)));
    Tal_RatioStatus* status = form == 0 ? nullptr : form == 1 ? Tal_RatioAllowApprox : &byte;
    Tal_Ratio x = a, out{12345, 678};
    Tal_Ratio* dst = (mode & 16) ? &x : &out;
    const Tal_Err err = op.apply(&x, &b, dst, status);
    const ExactRatio want = op.Exact(a, b);
    if (refused) TALFUZZ_REQUIRE(*dst == kFailed && (form == 0 ? err != 0 : (byte & 1) != 0));
    if (!refused && (a.den == 0 || b.den == 0 || want.den == 0)) TALFUZZ_REQUIRE(err != 0);
    if (err != 0 || (form >= 2 && (byte & 1))) TALFUZZ_REQUIRE(*dst == kFailed);
    const bool exactClaimed = err == 0 && (form == 0 || (form >= 2 && byte == 0));
    if (exactClaimed) TALFUZZ_REQUIRE(Holds(*dst, want));
}

// Exact unless the subtraction overflows with a denominator of 2^31 or more: that comparison is
// made on double products, which may call unequal ratios equal.
void CheckCompare(const Tal_Ratio& a, const Tal_Ratio& b) {
    int32_t result = 77;
    const Tal_Err err = Tal_CompareRatio(&a, &b, &result);
    if (a.den == 0 || b.den == 0) {
        TALFUZZ_REQUIRE(err != 0 && result == 0);
        return;
    }
    int want = Sign(kRatioSub.Exact(a, b));
    Tal_RatioStatus exactOnly = 0;
    Tal_Ratio difference{};
    Tal_SubRatio(&a, &b, &difference, &exactOnly);
    if (exactOnly != 0 && (a.den >= kTop || b.den >= kTop)) {
        const double left = double(a.num) * double(b.den), right = double(b.num) * double(a.den);
        want = (left > right) - (left < right);
    }
    TALFUZZ_REQUIRE(err == 0 && (result > 0) - (result < 0) == want);
    Tal_Ratio lo{}, hi{};
    TALFUZZ_REQUIRE((Tal_MinRatio(&a, &b, &lo) | Tal_MaxRatio(&a, &b, &hi)) == 0);
    TALFUZZ_REQUIRE(lo == (want > 0 ? b : a) && hi == (want < 0 ? b : a));
}

void CheckClip(const Tal_Ratio& value, const Tal_Ratio& low, const Tal_Ratio& high) {
    Tal_Ratio out{12345, 678};
    const Tal_Err err = Tal_ClipRatio(&value, &low, &high, &out);
    if (err == 0 && value.den && low.den && high.den) {
        TALFUZZ_REQUIRE(out == low || out == value || out == high);
        TALFUZZ_REQUIRE(Sign(kRatioSub.Exact(out, low)) >= 0 &&
                        Sign(kRatioSub.Exact(out, high)) <= 0);
    }
    Tal_Ratio start{}, length{};
    if (Tal_ClipSpanToSpan(&value, &low, &high, &value, &start, &length) != 0)
        TALFUZZ_REQUIRE(start == kFailed && length == kFailed);
}

void CheckReduceAndRecip(const Tal_Ratio& in) {
    Tal_Ratio out{};
    uint8_t flag = 9;
    TALFUZZ_REQUIRE(Tal_ReduceRatio(&in, &out, &flag) == 0 && flag <= 1);
    if (in.den == 0) TALFUZZ_REQUIRE(out == in);
    // The value kept, in lowest terms unless the gcd is 2^31 or more.
    if (in.den != 0) TALFUZZ_REQUIRE(Holds(out, ExactOf(in)));
    if (in.den != 0 && in.den / ExactOf(in).den < kTop)
        TALFUZZ_REQUIRE(ExactOf(out).den == out.den);
    TALFUZZ_REQUIRE(Tal_RecipRatio(&in, &out, &flag) == 0 && flag <= 1);
    const Tal_Ratio one{1, 1};
    if (flag == 1 && in.num != 0 && in.den != 0)
        TALFUZZ_REQUIRE(Holds(out, kRatioDiv.Exact(one, in)));
}

void CheckConv(const Tal_Ratio& in, uint32_t newDen, bool withFlag) {
    Tal_Ratio out{12345, 678};
    uint8_t exact = 9, overflow = 9;
    const Tal_Err err = Tal_ConvRatio(&in, newDen, &out, &exact, withFlag ? &overflow : nullptr);
    if (in.den == 0 || newDen == 0) TALFUZZ_REQUIRE(err != 0);
    if (err != 0 || (withFlag && overflow == 1)) TALFUZZ_REQUIRE(out == kFailed && exact == 0);
    // The exact flag is decided on double products: trust it only where those are exact.
    const double big = 9007199254740992.0;
    if (err == 0 && exact == 1 && std::fabs(double(in.num) * newDen) < big &&
        std::fabs(double(out.num) * in.den) < big)
        TALFUZZ_REQUIRE(out.den == newDen && Holds(out, ExactOf(in)));
    int32_t newNum = 4321;
    if (Tal_ShortConvRatio(in.num, in.den, newDen, &newNum, withFlag ? &overflow : nullptr) != 0)
        TALFUZZ_REQUIRE(newNum == 0);
}

void CheckFromDouble(double d) {
    Tal_Ratio out{12345, 678};
    uint8_t overflow = 9;
    TALFUZZ_REQUIRE(Tal_FpLong2Ratio(d, &out, &overflow) == 0);
    if (!(std::fabs(d) < 2147483648.0)) {
        TALFUZZ_REQUIRE(overflow == 1 && out == kFailed);
        return;
    }
    const ExactRatio lowest = ExactOf(out);
    TALFUZZ_REQUIRE(overflow == 0 && out.den != 0 && out.den <= (1u << 30) &&
                    lowest.den == out.den);
    TALFUZZ_REQUIRE(std::llabs(int64_t(out.num)) <= (1 << 30));
    // With 2^30 on the bounded term, values of moderate size come back almost exactly.
    const double x = float(d), ax = std::fabs(x);
    if (ax >= 1.0 / 256 && ax <= 256) TALFUZZ_REQUIRE(std::fabs(Value(out) - x) <= ax * 1e-6);
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
    const uint32_t newDen = in.Take<uint32_t>();
    const double d = in.Take<double>();
    for (const RatioOp* op : kRatioOps)
        CheckArithmetic(*op, a, b, mode);
    CheckCompare(a, b);
    CheckClip(a, b, c);
    CheckReduceAndRecip(a);
    CheckConv(a, newDen, mode & 1);
    CheckFromDouble(d);
    Bas_ClearRecordedReports();
    return 0;
}
