// Greatest common divisor and least common multiple.
#include "scalar/integer_gcd.h"
#include "scalar/integer_bits.h"
#include "tal/integer.h"

// The unsigned gcd of the magnitudes gives what signed division gives wherever the magnitudes fit,
// and the true divisor (never a negative one, never a trap) when one of them is 2^31.
Tal_Err Tal_SignedGCD(int32_t a, int32_t b, int32_t* out) {
    *out = Talp_Wrap(Talp_GCD(Talp_Magnitude(a), Talp_Magnitude(b)));
    return 0;
}

Tal_Err Tal_UnsignedGCD(uint32_t a, uint32_t b, uint32_t* out) {
    *out = Talp_GCD(a, b);
    return 0;
}

Tal_Err Tal_SignedLCM(int32_t a, int32_t b, int32_t* out) {
    int32_t g = 0;
    Tal_SignedGCD(a, b, &g);
    const int32_t product = Talp_Wrap(uint32_t(a) * uint32_t(b));
    // g is positive or -2^31, never -1, so the division cannot trap.
    *out = product / g;
    return 0;
}

Tal_Err Tal_UnsignedLCM(uint32_t a, uint32_t b, uint32_t* out) {
    *out = (a * b) / Talp_GCD(a, b);
    return 0;
}
