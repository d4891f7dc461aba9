// Fixed-point slow path: every operation truncates below 2^-288, so a chain of k operations on
// values below 4 errs by at most about k * 2^-286.
#include "elementary/elementary_wide.h"

#include "elementary/elementary_dd.h"

namespace {

constexpr int Talp_Limbs = Talp_WideLimbs;
constexpr int Talp_WideBits = 32 * Talp_Limbs;

// pi/2, truncated after 288 fraction bits (MPFR at 3000 bits).
constexpr Talp_Wide Talp_HalfPiWide = {{0x00000001u, 0x921FB544u, 0x42D18469u, 0x898CC517u,
                                        0x01B839A2u, 0x52049C11u, 0x14CF98E8u, 0x04177D4Cu,
                                        0x76273644u, 0xA29410F3u}};

Talp_Wide Talp_WideNeg(const Talp_Wide& a) {
    Talp_Wide r;
    uint64_t carry = 1;
    for (int i = Talp_Limbs - 1; i >= 0; --i) {
        const uint64_t s = uint64_t(~a.limb[i]) + carry;
        r.limb[i] = uint32_t(s);
        carry = s >> 32;
    }
    return r;
}

Talp_Wide Talp_WideAbs(const Talp_Wide& a) {
    return Talp_WideIsNegative(a) ? Talp_WideNeg(a) : a;
}

bool Talp_WideIsZero(const Talp_Wide& a) {
    for (uint32_t l : a.limb)
        if (l != 0) return false;
    return true;
}

// Limb i of a, zero outside the number (bits below 2^-288 are unknown and taken as zero).
uint32_t Talp_LimbOrZero(const Talp_Wide& a, int i) {
    return i >= 0 && i < Talp_Limbs ? a.limb[i] : 0;
}

// 64 bits of a from bit b on, bit 0 being the top bit of limb 0 (weight 2^31); b may be negative.
uint64_t Talp_Window64(const Talp_Wide& a, int b) {
    const int li = b >= 0 ? b / 32 : -((31 - b) / 32);
    const int s = b - 32 * li;
    const uint64_t x = (uint64_t(Talp_LimbOrZero(a, li)) << 32) | Talp_LimbOrZero(a, li + 1);
    if (s == 0) return x;
    return (x << s) | (Talp_LimbOrZero(a, li + 2) >> (32 - s));
}

// Index of the top set bit of a nonzero magnitude, counted as in Talp_Window64.
int Talp_LeadingBit(const Talp_Wide& a) {
    for (int i = 0; i < Talp_Limbs; ++i) {
        if (a.limb[i] == 0) continue;
        int b = 32 * i;
        for (uint32_t m = 0x80000000u; (a.limb[i] & m) == 0; m >>= 1)
            ++b;
        return b;
    }
    return Talp_WideBits;
}

bool Talp_AnyBitFrom(const Talp_Wide& a, int b) {
    for (; b < Talp_WideBits && b % 32 != 0; ++b)
        if (a.limb[b / 32] & (0x80000000u >> (b % 32))) return true;
    for (int i = b / 32; i < Talp_Limbs; ++i)
        if (a.limb[i] != 0) return true;
    return false;
}

// a * 2^s for a magnitude whose result stays below 2^31.
Talp_Wide Talp_WideShift(const Talp_Wide& a, int s) {
    Talp_Wide r;
    for (int i = 0; i < Talp_Limbs; ++i)
        r.limb[i] = uint32_t(Talp_Window64(a, 32 * i + s) >> 32);
    return r;
}

Talp_Wide Talp_WideDivSmall(const Talp_Wide& a, uint32_t d) {
    const bool negative = Talp_WideIsNegative(a);
    Talp_Wide r = Talp_WideAbs(a);
    uint64_t rem = 0;
    for (int i = 0; i < Talp_Limbs; ++i) {
        const uint64_t cur = (rem << 32) | r.limb[i];
        r.limb[i] = uint32_t(cur / d);
        rem = cur % d;
    }
    return negative ? Talp_WideNeg(r) : r;
}

// sin(t) (odd) or cos(t) by Taylor series; |t| <= 1, so the terms fall below 2^-288 before the
// 60th and each term's truncation adds under 2^-286.
Talp_Wide Talp_WideSeries(const Talp_Wide& t, const Talp_Wide& t2, bool odd) {
    Talp_Wide term = odd ? t : Talp_WideFromDouble(1.0);
    Talp_Wide sum = term;
    uint32_t k = odd ? 1 : 0;
    for (int i = 1; i < 80 && !Talp_WideIsZero(term); ++i) {
        term = Talp_WideDivSmall(Talp_WideMul(term, t2), (k + 1) * (k + 2));
        k += 2;
        sum = (i & 1) ? Talp_WideSub(sum, term) : Talp_WideAdd(sum, term);
    }
    return sum;
}

}  // namespace

Talp_Wide Talp_WideFromDouble(double x) {
    Talp_Wide r = {};
    const uint64_t bits = Talp_Bits(x);
    const int biased = int((bits >> 52) & 0x7FF);
    uint64_t m = bits & ((uint64_t(1) << 52) - 1);
    if (biased != 0) m |= uint64_t(1) << 52;
    if (m == 0) return r;
    // Position of m's lowest bit above the number's lowest bit (weight 2^-288).
    int g = (biased != 0 ? biased - 1075 : -1074) + 32 * (Talp_Limbs - 1);
    if (g < 0) {
        if (-g >= 64) return r;
        m >>= -g;
        g = 0;
    }
    // m << (g % 32) spans at most three limbs.
    const int low = Talp_Limbs - 1 - g / 32;
    const int s = g % 32;
    const uint32_t parts[3] = {uint32_t(m << s), uint32_t((m << s) >> 32),
                               uint32_t(s == 0 ? 0 : m >> (64 - s))};
    for (int k = 0; k < 3; ++k)
        if (low - k >= 0) r.limb[low - k] = parts[k];
    return x < 0 ? Talp_WideNeg(r) : r;
}

bool Talp_WideIsNegative(const Talp_Wide& a) {
    return (a.limb[0] & 0x80000000u) != 0;
}

Talp_Wide Talp_WideAdd(const Talp_Wide& a, const Talp_Wide& b) {
    Talp_Wide r;
    uint64_t carry = 0;
    for (int i = Talp_Limbs - 1; i >= 0; --i) {
        const uint64_t s = uint64_t(a.limb[i]) + b.limb[i] + carry;
        r.limb[i] = uint32_t(s);
        carry = s >> 32;
    }
    return r;
}

Talp_Wide Talp_WideSub(const Talp_Wide& a, const Talp_Wide& b) {
    return Talp_WideAdd(a, Talp_WideNeg(b));
}

Talp_Wide Talp_WideMul(const Talp_Wide& a, const Talp_Wide& b) {
    const bool negative = Talp_WideIsNegative(a) != Talp_WideIsNegative(b);
    const Talp_Wide x = Talp_WideAbs(a), y = Talp_WideAbs(b);
    // Column c weighs 2^(-32c); column Talp_Limbs is kept only for the carry it passes up.
    uint64_t col[Talp_Limbs + 1] = {};
    for (int i = 0; i < Talp_Limbs; ++i) {
        for (int j = 0; j < Talp_Limbs && i + j <= Talp_Limbs; ++j) {
            const uint64_t p = uint64_t(x.limb[i]) * y.limb[j];
            col[i + j] += p & 0xFFFFFFFFu;
            if (i + j > 0) col[i + j - 1] += p >> 32;
        }
    }
    for (int c = Talp_Limbs; c > 0; --c) {
        col[c - 1] += col[c] >> 32;
        col[c] &= 0xFFFFFFFFu;
    }
    Talp_Wide r;
    for (int c = 0; c < Talp_Limbs; ++c)
        r.limb[c] = uint32_t(col[c]);
    return negative ? Talp_WideNeg(r) : r;
}

void Talp_WideToDd(const Talp_Wide& a, double* hi, double* lo) {
    const Talp_Wide m = Talp_WideAbs(a);
    const int b = Talp_LeadingBit(m);
    if (b >= Talp_WideBits) {
        *hi = *lo = 0;
        return;
    }
    const uint64_t top = Talp_Window64(m, b), next = Talp_Window64(m, b + 64);
    // top's lowest bit weighs 2^(-32-b); the low part takes top's last 11 bits and 42 more.
    const double h = Talp_ScaleB(double(top >> 11), 11 - 32 - b);
    const double l = Talp_ScaleB(double(((top & 0x7FF) << 42) | (next >> 22)), -74 - b);
    const Talp_Dd d = Talp_FastTwoSum(h, l);
    const bool negative = Talp_WideIsNegative(a);
    *hi = negative ? -d.hi : d.hi;
    *lo = negative ? -d.lo : d.lo;
}

double Talp_WideRound(const Talp_Wide& a, int scale) {
    const Talp_Wide m = Talp_WideAbs(a);
    const int b = Talp_LeadingBit(m);
    const uint64_t top = Talp_Window64(m, b);
    uint64_t mant = top >> 11;
    const bool half = (top >> 10) & 1;
    const bool sticky = (top & 0x3FF) != 0 || Talp_AnyBitFrom(m, b + 64);
    if (half && (sticky || (mant & 1))) ++mant;
    const double r = Talp_ScaleB(double(mant), 11 - 32 - b + scale);
    return Talp_WideIsNegative(a) ? -r : r;
}

void Talp_WideSinCos(const Talp_Wide& t, Talp_Wide* s, Talp_Wide* c) {
    const Talp_Wide t2 = Talp_WideMul(t, t);
    *s = Talp_WideSeries(t, t2, true);
    *c = Talp_WideSeries(t, t2, false);
}

void Talp_WideSinCosQuadrant(const Talp_Wide& r, unsigned n, Talp_Wide* s, Talp_Wide* c) {
    Talp_Wide sr, cr;
    Talp_WideSinCos(r, &sr, &cr);
    switch (n & 3) {
        case 0:
            *s = sr, *c = cr;
            break;
        case 1:
            *s = cr, *c = Talp_WideNeg(sr);
            break;
        case 2:
            *s = Talp_WideNeg(sr), *c = Talp_WideNeg(cr);
            break;
        default:
            *s = Talp_WideNeg(cr), *c = sr;
            break;
    }
}

const Talp_Wide& Talp_WideHalfPi() {
    return Talp_HalfPiWide;
}

double Talp_WideDivide(const Talp_Wide& a, const Talp_Wide& b) {
    // Both scaled into [1, 2): the quotient of the double-double images is good to 2^-100, and
    // one correction from the exact remainder brings it below 2^-150.
    const Talp_Wide ma = Talp_WideAbs(a), mb = Talp_WideAbs(b);
    const int sa = Talp_LeadingBit(ma) - 31, sb = Talp_LeadingBit(mb) - 31;
    const Talp_Wide x = Talp_WideShift(ma, sa), y = Talp_WideShift(mb, sb);
    Talp_Dd dx, dy;
    Talp_WideToDd(x, &dx.hi, &dx.lo);
    Talp_WideToDd(y, &dy.hi, &dy.lo);
    const Talp_Dd q = Talp_DdDiv(dx, dy);
    Talp_Wide wq = Talp_WideAdd(Talp_WideFromDouble(q.hi), Talp_WideFromDouble(q.lo));
    const Talp_Wide rem = Talp_WideSub(x, Talp_WideMul(wq, y));
    double rh, rl;
    Talp_WideToDd(rem, &rh, &rl);
    wq = Talp_WideAdd(wq, Talp_WideFromDouble(rh / dy.hi));
    const double r = Talp_WideRound(wq, sb - sa);
    return Talp_WideIsNegative(a) != Talp_WideIsNegative(b) ? -r : r;
}

Talp_Wide Talp_WideSqrt(const Talp_Wide& a) {
    Talp_Dd d;
    Talp_WideToDd(a, &d.hi, &d.lo);
    const Talp_Dd s = Talp_DdSqrt(d);
    Talp_Wide ws = Talp_WideAdd(Talp_WideFromDouble(s.hi), Talp_WideFromDouble(s.lo));
    const Talp_Wide rem = Talp_WideSub(a, Talp_WideMul(ws, ws));
    double rh, rl;
    Talp_WideToDd(rem, &rh, &rl);
    return Talp_WideAdd(ws, Talp_WideFromDouble(rh / (2 * s.hi)));
}
