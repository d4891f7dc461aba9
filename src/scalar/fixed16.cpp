// 16.16 multiply and divide in integers only; failures give the mark, silently.
#include "scalar/integer_bits.h"
#include "tal/fixed.h"

namespace {

// Arithmetic (flooring) right shift, spelled portably.
inline int32_t Talp_FloorShift(int32_t v, int n) {
    return v >= 0 ? v >> n : ~(~v >> n);
}

// The mark where failed, else r; a mask rather than a branch, as failures come unpredictably.
inline int32_t Talp_MarkIf(bool failed, uint32_t r) {
    const uint32_t mask = 0u - uint32_t(failed);
    return Talp_Wrap((r & ~mask) | (uint32_t(Tal_FixedFailure) & mask));
}

}  // namespace

Tal_Fixed Tal_FixMul(Tal_Fixed a, Tal_Fixed b) {
    // The trailing zeros of a and b add up in their exact product, so "more than 16 of them" is
    // "its low 17 bits are clear". Both exact paths only drop zero bits, so each gives the exact
    // product over 65536, wrapped to 32 bits: bits 16..47 of the 64-bit product, whatever the
    // shift fills in above. Otherwise each operand is floored to a multiple of 1/256 first.
    const int64_t p = int64_t(a) * int64_t(b);
    const uint32_t exact = uint32_t(uint64_t(p) >> 16);
    const uint32_t lossy = uint32_t(Talp_FloorShift(a, 8)) * uint32_t(Talp_FloorShift(b, 8));
    // Selected by mask: mixed operands make the path unpredictable.
    const uint32_t useExact = 0u - uint32_t((uint64_t(p) & 0x1FFFFu) == 0);
    const int32_t r = Talp_Wrap(lossy ^ ((exact ^ lossy) & useExact));
    // A non-zero product whose sign differs from sign(a) * sign(b) has wrapped; r | -r has the
    // sign bit exactly when r is not zero.
    const uint32_t nonZero = uint32_t(r) | (0u - uint32_t(r));
    return Talp_Wrap((uint32_t(r ^ a ^ b) & nonZero) >> 31 ? uint32_t(Tal_FixedFailure)
                                                           : uint32_t(r));
}

Tal_Fixed Tal_FixDiv(Tal_Fixed a, Tal_Fixed b) {
    if (b == 0) return Tal_FixedFailure;
    const uint32_t ua = Talp_Magnitude(a);
    // Below 2^16 the dividend takes all 16 fraction bits; above, it keeps all its bits and the
    // divisor gives up its low 16 - z bits instead, which can leave it 0.
    const int z = Talp_LeadingZeros(ua);
    const int dropped = (16 - z) & -int(z < 16);  // a mask: z depends on the operand
    const uint32_t ub = Talp_Magnitude(b) >> dropped;
    const uint32_t q = (ua << (16 - dropped)) / (ub | uint32_t(ub == 0));
    // Negative quotients reach one step further: 0x80000000 is the legal -32768.0.
    const uint32_t negative = 0u - uint32_t((a ^ b) < 0);
    const uint32_t limit = 0x7FFFFFFFu - negative;
    return Talp_MarkIf((q > limit) | (ub == 0), (q ^ negative) - negative);
}
