// Bit counts, powers of two and overflow predictions.
#include "scalar/integer_bits.h"

#include "tal/integer.h"

int16_t Tal_LeadingZeros(uint32_t x) {
    return Talp_LeadingZeros(x);
}

int16_t Tal_TrailingZeros(uint32_t x) {
    return Talp_TrailingZeros(x);
}

uint32_t Tal_RoundDownToPowerOf2(uint32_t x) {
    return x == 0 ? 0u : 1u << (31 - Talp_LeadingZeros(x));
}

uint32_t Tal_RoundUpToPowerOf2(uint32_t x) {
    const uint32_t p = Tal_RoundDownToPowerOf2(x);
    return p == x ? p : p << 1;  // above 2^31 the doubling leaves 32 bits: 0
}

int16_t Tal_BitsUsed(int32_t x) {
    return x <= 0 ? int16_t(0) : int16_t(32 - Talp_LeadingZeros(uint32_t(x)));
}

bool Tal_AddWouldOverflow(int32_t a, int32_t b) {
    if ((a < 0) != (b < 0)) return false;
    const int32_t sum = Talp_Wrap(uint32_t(a) + uint32_t(b));
    return (sum < 0) != (a < 0);
}

bool Tal_MulWouldOverflow(int32_t a, int32_t b) {
    return Talp_LeadingZeros(Talp_Magnitude(a)) + Talp_LeadingZeros(Talp_Magnitude(b)) <= 32;
}

bool Tal_UMulWouldOverflow(uint32_t a, uint32_t b) {
    return Talp_LeadingZeros(a) + Talp_LeadingZeros(b) <= 31;
}
