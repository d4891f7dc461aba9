// Integer utilities: bit counts, powers of two, overflow predictions, GCD and rounding.
#include <cstdio>

#include "tal/integer.h"

//! [integer]
int main() {
    std::printf("leading zeros of 1: %d, of 0: %d\n", Tal_LeadingZeros(1), Tal_LeadingZeros(0));
    std::printf("power of two at or above 600: %u, above 0x80000000: %u\n",
                unsigned(Tal_RoundUpToPowerOf2(600)), unsigned(Tal_RoundUpToPowerOf2(0x80000001u)));
    std::printf("2^31 - 1 + 1 overflows: %s\n", Tal_AddWouldOverflow(0x7fffffff, 1) ? "yes" : "no");

    int32_t gcd = 0, lcm = 0;
    Tal_SignedGCD(-12, 18, &gcd);
    Tal_SignedLCM(-4, 6, &lcm);
    std::printf("gcd(-12, 18) = %d, lcm(-4, 6) = %d\n", int(gcd), int(lcm));

    // floor(d + 0.5): halves go up, also for negative numbers.
    std::printf("round 2.5 -> %d, -2.5 -> %d, 1e10 -> 0x%08x\n", int(Tal_RoundDouble(2.5)),
                int(Tal_RoundDouble(-2.5)), unsigned(Tal_RoundDouble(1e10)));
    std::printf("safe round 1e10 -> %d\n", int(Tal_RoundDoubleSafe(1e10)));
    return 0;
}
//! [integer]

//! [output]
// > leading zeros of 1: 31, of 0: 32
// > power of two at or above 600: 1024, above 0x80000000: 0
// > 2^31 - 1 + 1 overflows: yes
// > gcd(-12, 18) = 6, lcm(-4, 6) = -12
// > round 2.5 -> 3, -2.5 -> -2, 1e10 -> 0x80000000
// > safe round 1e10 -> 2147483647
//! [output]
