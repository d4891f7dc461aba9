// Ratios: every operation under every status form, every outcome the library calls exact checked
// against 128-bit arithmetic, every failure checked to leave {0, 0}.
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "input.h"
#include "tal/base_testing.h"
#include "tal/ratio.h"

namespace {

__extension__ typedef __int128 I128;

// A fraction with a positive denominator, wide enough for every product of two ratios.
struct Exact {
    I128 num, den;
};

constexpr Tal_Ratio kFailed{0, 0};

bool Equal(const Tal_Ratio& a, const Tal_Ratio& b) {
    return a.num == b.num && a.den == b.den;
}

Exact Value(const Tal_Ratio& r) {
    return {r.num, r.den};
}

Exact Normal(I128 num, I128 den) {
    return den < 0 ? Exact{-num, -den} : Exact{num, den};
}

int Sign(I128 v) {
    return (v > 0) - (v < 0);
}

// Whether r holds exactly the value e (r's denominator must not be 0).
bool Holds(const Tal_Ratio& r, const Exact& e) {
    return r.den != 0 && I128(r.num) * e.den == e.num * I128(r.den);
}

// The exact value of a op b; den 0 when the operation has no value (division by zero).
Exact Reference(int op, const Tal_Ratio& a, const Tal_Ratio& b) {
    const I128 an = a.num, ad = a.den, bn = b.num, bd = b.den;
    switch (op) {
        case 0:
            return {an * bd + bn * ad, ad * bd};
        case 1:
            return {an * bd - bn * ad, ad * bd};
        case 2:
            return {an * bn, ad * bd};
        default:
            return Normal(an * bd, ad * bn);
    }
}

// mode bits 0-1 pick the status form (null, all ones, byte, byte), bits 2-3 the byte's value on
// entry, bit 4 makes the output alias the first operand.
void CheckArithmetic(int op, const Tal_Ratio& a, const Tal_Ratio& b, uint8_t mode) {
    constexpr decltype(&Tal_AddRatio) kOps[] = {Tal_AddRatio, Tal_SubRatio, Tal_MulRatio,
                                                Tal_DivRatio};
    const int form = mode & 3;
    Tal_RatioStatus byte = (mode >> 2) & 3;
    // A divisor denominator of 2^31 or more that may not be halved fails before any operand is
    // looked at; the byte keeps its entry value and gains the value 1.
    const bool refused =
        op == 3 && b.den >= 0x80000000u && (form == 0 || (form >= 2 && !(byte & 1)));
    Tal_RatioStatus* status = form == 0 ? nullptr : form == 1 ? Tal_RatioAllowApprox : &byte;
    Tal_Ratio x = a, out{12345, 678};
    Tal_Ratio* dst = (mode & 16) ? &x : &out;
    const Tal_Err err = kOps[op](&x, &b, dst, status);
    const Exact want = Reference(op, a, b);

    if (refused)
        TALFUZZ_REQUIRE(Equal(*dst, kFailed) && (form == 0 ? err != 0 : (byte & 1) != 0));
    else if (a.den == 0 || b.den == 0 || want.den == 0)
        TALFUZZ_REQUIRE(err != 0);
    if (err != 0) TALFUZZ_REQUIRE(Equal(*dst, kFailed));
    const bool exactClaimed = err == 0 && (form == 0 || (form >= 2 && byte == 0));
    if (exactClaimed) TALFUZZ_REQUIRE(Holds(*dst, want));
    if (form >= 2 && (byte & Tal_RatioStatus_OVERFLOW)) TALFUZZ_REQUIRE(Equal(*dst, kFailed));
}

void CheckCompare(const Tal_Ratio& a, const Tal_Ratio& b) {
    int32_t result = 77;
    const Tal_Err err = Tal_CompareRatio(&a, &b, &result);
    if (a.den == 0 || b.den == 0) {
        TALFUZZ_REQUIRE(err != 0 && result == 0);
        return;
    }
    TALFUZZ_REQUIRE(err == 0);
    // Exact unless the subtraction overflows with a denominator of 2^31 or more: that comparison
    // is made on double products, which may call unequal ratios equal.
    int want = Sign(Reference(1, a, b).num);
    Tal_RatioStatus exactOnly = 0;
    Tal_Ratio difference{};
    Tal_SubRatio(&a, &b, &difference, &exactOnly);
    if (exactOnly != 0 && (a.den >= 0x80000000u || b.den >= 0x80000000u)) {
        const double left = double(a.num) * double(b.den), right = double(b.num) * double(a.den);
        want = (left > right) - (left < right);
    }
    TALFUZZ_REQUIRE(Sign(result) == want);

    Tal_Ratio lo{}, hi{};
    TALFUZZ_REQUIRE(Tal_MinRatio(&a, &b, &lo) == 0 && Tal_MaxRatio(&a, &b, &hi) == 0);
    TALFUZZ_REQUIRE(Equal(lo, want > 0 ? b : a) && Equal(hi, want < 0 ? b : a));
}

void CheckClip(const Tal_Ratio& value, const Tal_Ratio& low, const Tal_Ratio& high) {
    Tal_Ratio out{12345, 678};
    const Tal_Err err = Tal_ClipRatio(&value, &low, &high, &out);
    if (err == 0 && value.den && low.den && high.den) {
        TALFUZZ_REQUIRE(Equal(out, low) || Equal(out, value) || Equal(out, high));
        TALFUZZ_REQUIRE(Sign(Reference(1, out, low).num) >= 0 &&
                        Sign(Reference(1, out, high).num) <= 0);
    }
    Tal_Ratio start{}, length{};
    if (Tal_ClipSpanToSpan(&value, &low, &high, &value, &start, &length) != 0)
        TALFUZZ_REQUIRE(Equal(start, kFailed) && Equal(length, kFailed));
}

uint64_t Gcd(const Tal_Ratio& r) {
    return std::gcd(uint64_t(std::llabs(int64_t(r.num))), uint64_t(r.den));
}

void CheckReduceAndRecip(const Tal_Ratio& in) {
    Tal_Ratio out{};
    uint8_t flag = 9;
    TALFUZZ_REQUIRE(Tal_ReduceRatio(&in, &out, &flag) == 0 && flag <= 1);
    if (in.den == 0) {
        TALFUZZ_REQUIRE(Equal(out, in));
    } else {
        TALFUZZ_REQUIRE(Holds(out, Value(in)));
        if (Gcd(in) < 0x80000000u) TALFUZZ_REQUIRE(Gcd(out) == 1);
    }

    TALFUZZ_REQUIRE(Tal_RecipRatio(&in, &out, &flag) == 0 && flag <= 1);
    if (flag == 1 && in.num != 0 && in.den != 0)
        TALFUZZ_REQUIRE(Holds(out, Normal(I128(in.den), I128(in.num))));
}

void CheckConv(const Tal_Ratio& in, uint32_t newDen, bool withFlag) {
    Tal_Ratio out{12345, 678};
    uint8_t exact = 9, overflow = 9;
    const Tal_Err err = Tal_ConvRatio(&in, newDen, &out, &exact, withFlag ? &overflow : nullptr);
    if (in.den == 0 || newDen == 0) TALFUZZ_REQUIRE(err != 0);
    if (err != 0 || (withFlag && overflow == 1)) TALFUZZ_REQUIRE(Equal(out, kFailed) && exact == 0);
    // The exact flag is decided on double products: trust it only where those are exact.
    const double big = 9007199254740992.0;
    if (err == 0 && exact == 1 && std::fabs(double(in.num) * newDen) < big &&
        std::fabs(double(out.num) * in.den) < big)
        TALFUZZ_REQUIRE(out.den == newDen && Holds(out, Value(in)));

    int32_t newNum = 4321;
    if (Tal_ShortConvRatio(in.num, in.den, newDen, &newNum, withFlag ? &overflow : nullptr) != 0)
        TALFUZZ_REQUIRE(newNum == 0);
}

void CheckFromDouble(double d) {
    Tal_Ratio out{12345, 678};
    uint8_t overflow = 9;
    TALFUZZ_REQUIRE(Tal_FpLong2Ratio(d, &out, &overflow) == 0);
    const double x = float(d);
    if (!(std::fabs(d) < 2147483648.0)) {
        TALFUZZ_REQUIRE(overflow == 1 && Equal(out, kFailed));
        return;
    }
    TALFUZZ_REQUIRE(overflow == 0 && out.den != 0 && out.den <= (1u << 30) && Gcd(out) == 1);
    TALFUZZ_REQUIRE(std::llabs(int64_t(out.num)) <= (1 << 30));
    // With 2^30 on the bounded term, values of moderate size come back almost exactly.
    const double ax = std::fabs(x);
    if (ax >= 1.0 / 256 && ax <= 256)
        TALFUZZ_REQUIRE(std::fabs(double(out.num) / out.den - x) <= ax * 1e-6);
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

    for (int op = 0; op < 4; ++op)
        CheckArithmetic(op, a, b, mode);
    CheckCompare(a, b);
    CheckClip(a, b, c);
    CheckReduceAndRecip(a);
    CheckConv(a, newDen, mode & 1);
    CheckFromDouble(d);
    Bas_ClearRecordedReports();
    return 0;
}
