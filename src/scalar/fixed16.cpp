// 16.16 multiply and divide in integers only; failures give the mark, silently.
#include "scalar/integer_bits.h"
#include "tal/fixed.h"

namespace {

// Arithmetic (flooring) right shift, spelled portably.
inline int32_t FloorShift(int32_t v, int n) {
    return v >= 0 ? v >> n : ~(~v >> n);
}

inline int32_t WrappingMul(int32_t a, int32_t b) {
    return talp::Wrap(uint32_t(a) * uint32_t(b));
}

// The mark where failed, else r; a mask rather than a branch, as failures come unpredictably.
inline int32_t MarkIf(bool failed, uint32_t r) {
    const uint32_t mask = 0u - uint32_t(failed);
    return talp::Wrap((r & ~mask) | (uint32_t(Tal_FixedFailure) & mask));
}

}  // namespace

Tal_Fixed Tal_FixMul(Tal_Fixed a, Tal_Fixed b) {
    // A value and its negation share their trailing zeros. Bit 17 caps the count at 17, all the
    // path choice needs, and keeps it defined for 0.
    const int ta = talp::TrailingZeros(uint32_t(a) | 0x20000u);
    const int tb = talp::TrailingZeros(uint32_t(b) | 0x20000u);
    // Every path shifts out 16 bits in all: a by 16, a by its zeros and b by the rest (only zero
    // bits either way), or each by 8, which drops up to 8 fractional bits of each. Selecting the
    // shift instead of branching keeps random operands free of mispredictions.
    const int exact = -int(ta + tb > 16);
    int sa = 8 + ((ta - 8) & exact);
    sa -= int(sa > 16);  // 17 zeros: a alone gives up all 16 bits
    const int32_t r = WrappingMul(FloorShift(a, sa), FloorShift(b, 16 - sa));
    // A non-zero product whose sign differs from sign(a) * sign(b) has wrapped.
    return MarkIf(((r ^ a ^ b) < 0) & (r != 0), uint32_t(r));
}

Tal_Fixed Tal_FixDiv(Tal_Fixed a, Tal_Fixed b) {
    if (b == 0) return Tal_FixedFailure;
    const uint32_t ua = talp::Magnitude(a);
    // Below 2^16 the dividend takes all 16 fraction bits; above, it keeps all its bits and the
    // divisor gives up its low 16 - z bits instead, which can leave it 0.
    const int z = talp::LeadingZeros(ua);
    const int dropped = z >= 16 ? 0 : 16 - z;
    const uint32_t ub = talp::Magnitude(b) >> dropped;
    const uint32_t q = (ua << (16 - dropped)) / (ub | uint32_t(ub == 0));
    // Negative quotients reach one step further: 0x80000000 is the legal -32768.0.
    const uint32_t negative = 0u - uint32_t((a ^ b) < 0);
    const uint32_t limit = 0x7FFFFFFFu - negative;
    return MarkIf((q > limit) | (ub == 0), (q ^ negative) - negative);
}
