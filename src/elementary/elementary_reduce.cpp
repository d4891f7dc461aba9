// Argument reduction modulo pi/2: Cody-Waite with a four-part pi/2 for moderate arguments, and
// an exact Payne-Hanek product with the bits of 2/pi for the rest.
#include "elementary/elementary.h"
#include "elementary/elementary_internal.h"

thread_local unsigned long long Talp_SlowPathEntries = 0;

unsigned long long Talp_ElementarySlowPaths() {
    return Talp_SlowPathEntries;
}

namespace {

// 2/pi to 1536 bits, 32 per limb, most significant first (MPFR at 3000 bits, truncated).
constexpr uint32_t Talp_TwoOverPiBits[48] = {
    0xA2F9836Eu, 0x4E441529u, 0xFC2757D1u, 0xF534DDC0u, 0xDB629599u, 0x3C439041u, 0xFE5163ABu,
    0xDEBBC561u, 0xB7246E3Au, 0x424DD2E0u, 0x06492EEAu, 0x09D1921Cu, 0xFE1DEB1Cu, 0xB129A73Eu,
    0xE88235F5u, 0x2EBB4484u, 0xE99C7026u, 0xB45F7E41u, 0x3991D639u, 0x835339F4u, 0x9C845F8Bu,
    0xBDF9283Bu, 0x1FF897FFu, 0xDE05980Fu, 0xEF2F118Bu, 0x5A0A6D1Fu, 0x6D367ECFu, 0x27CB09B7u,
    0x4F463F66u, 0x9E5FEA2Du, 0x7527BAC7u, 0xEBE5F17Bu, 0x3D0739F7u, 0x8A5292EAu, 0x6BFB5FB1u,
    0x1F8D5D08u, 0x56033046u, 0xFC7B6BABu, 0xF0CFBC20u, 0x9AF4361Du, 0xA9E39161u, 0x5EE61B08u,
    0x6599855Fu, 0x14A06840u, 0x8DFFD880u, 0x4D732731u, 0x06061556u, 0xCA73A8C9u};

// Window of 2/pi multiplied by the significand: 12 limbs leave more than 350 fraction bits above
// the truncated tail, whose weight stays below 2^-297.
constexpr int Talp_WindowLimbs = 12;
constexpr int Talp_ProductLimbs = Talp_WindowLimbs + 2;

constexpr double Talp_CodyWaiteLimit = 0x1p20;

// 32 bits of the little-endian number p (n limbs) from bit pos on; bits outside are zero.
uint32_t Talp_Bits32At(const uint32_t* p, int n, int pos) {
    const int li = pos >= 0 ? pos / 32 : -((31 - pos) / 32);
    const int s = pos - 32 * li;
    const uint64_t lo = (li >= 0 && li < n) ? p[li] : 0;
    const uint64_t hi = (li + 1 >= 0 && li + 1 < n) ? p[li + 1] : 0;
    return uint32_t(((hi << 32) | lo) >> s);
}

}  // namespace

unsigned Talp_ReduceWide(double x, Talp_Wide* r) {
    const uint64_t bits = Talp_Bits(x) & ~(uint64_t(1) << 63);
    const int biased = int(bits >> 52);
    uint64_t m = bits & ((uint64_t(1) << 52) - 1);
    if (biased != 0) m |= uint64_t(1) << 52;
    const int e = (biased != 0 ? biased : 1) - 1075;  // |x| = m * 2^e
    // Limbs before k0 give multiples of 4 (x * 2/pi mod 4 is all that matters).
    const int k0 = e >= 34 ? (e - 34) / 32 + 1 : 0;
    uint32_t p[Talp_ProductLimbs] = {};  // little-endian m * window
    const uint64_t mLo = m & 0xFFFFFFFFu, mHi = m >> 32;
    for (int j = 0; j < Talp_WindowLimbs; ++j) {
        const uint64_t w = Talp_TwoOverPiBits[k0 + Talp_WindowLimbs - 1 - j];
        uint64_t carry = 0;
        const uint64_t parts[2] = {w * mLo, w * mHi};
        for (int h = 0; h < 2; ++h) {
            carry = 0;
            uint64_t add = parts[h];
            for (int i = j + h; i < Talp_ProductLimbs && (add != 0 || carry != 0); ++i) {
                const uint64_t s = uint64_t(p[i]) + (add & 0xFFFFFFFFu) + carry;
                p[i] = uint32_t(s);
                carry = s >> 32;
                add >>= 32;
            }
        }
    }
    // The binary point of x * 2/pi sits `point` bits above the bottom of p.
    const int point = 32 * (k0 + Talp_WindowLimbs) - e;
    unsigned n = Talp_Bits32At(p, Talp_ProductLimbs, point) & 3;
    Talp_Wide f;
    f.limb[0] = 0;
    for (int i = 1; i < Talp_WideLimbs; ++i)
        f.limb[i] = Talp_Bits32At(p, Talp_ProductLimbs, point - 32 * i);
    if (f.limb[1] & 0x80000000u) {  // fraction >= 1/2: take f - 1 and the next quadrant
        f.limb[0] = 0xFFFFFFFFu;
        ++n;
    }
    *r = Talp_WideMul(f, Talp_WideHalfPi());
    return n & 3;
}

unsigned Talp_ReduceFast(double x, Talp_Dd* r) {
    const double ax = Talp_Abs(x);
    if (ax < Talp_CodyWaiteLimit) {
        const double kd = double(int64_t(ax * Talp_TwoOverPi + 0.5));
        if (kd == 0) {
            *r = {ax, 0};
            return 0;
        }
        // ax - k*C1 is exact (Sterbenz) and so are the products k*C2, k*C3.
        Talp_Dd s = Talp_TwoSum(ax - kd * Talp_HalfPiC1, -(kd * Talp_HalfPiC2));
        const Talp_Dd t = Talp_TwoSum(s.hi, -(kd * Talp_HalfPiC3));
        const Talp_Dd p = Talp_TwoProd(kd, Talp_HalfPiC4);
        s = Talp_FastTwoSum(t.hi, ((s.lo + t.lo) - p.hi) - p.lo);
        // The dropped k * 2^-160 must stay below 2^-100 of the result.
        if (Talp_Abs(s.hi) >= kd * 0x1p-50) {
            *r = s;
            return unsigned(int64_t(kd)) & 3;
        }
    }
    Talp_Wide w;
    const unsigned n = Talp_ReduceWide(ax, &w);
    Talp_WideToDd(w, &r->hi, &r->lo);
    return n;
}
