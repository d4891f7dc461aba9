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

}  // namespace

Tal_Fixed Tal_FixMul(Tal_Fixed a, Tal_Fixed b) {
    const int ta = talp::TrailingZeros(talp::Magnitude(a));
    int32_t r;
    if (ta > 16) {
        r = WrappingMul(FloorShift(a, 16), b);
    } else {
        const int tb = talp::TrailingZeros(talp::Magnitude(b));
        // Both exact paths shift out only zero bits; the last one drops up to 8 bits of each.
        r = ta + tb > 16 ? WrappingMul(FloorShift(b, 16 - ta), FloorShift(a, ta))
                         : WrappingMul(FloorShift(a, 8), FloorShift(b, 8));
    }
    const bool negative = (a < 0) != (b < 0);
    if (negative ? r > 0 : r < 0) return Tal_FixedFailure;
    return r;
}

Tal_Fixed Tal_FixDiv(Tal_Fixed a, Tal_Fixed b) {
    if (b == 0) return Tal_FixedFailure;
    const bool negative = (a < 0) != (b < 0);
    const uint32_t ua = talp::Magnitude(a);
    uint32_t ub = talp::Magnitude(b);
    const int z = talp::LeadingZeros(ua);
    uint32_t q;
    if (z >= 16) {
        q = (ua << 16) / ub;
    } else {
        // The dividend keeps all its bits; the divisor gives up its low 16 - z bits instead.
        ub >>= 16 - z;
        if (ub == 0) return Tal_FixedFailure;
        q = (ua << z) / ub;
    }
    if (negative) return q > 0x80000000u ? Tal_FixedFailure : talp::Wrap(0u - q);
    return q > 0x7FFFFFFFu ? Tal_FixedFailure : int32_t(q);
}
