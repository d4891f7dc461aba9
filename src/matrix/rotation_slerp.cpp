// Spherical linear interpolation of quaternions.
#include <cmath>

#include "matrix/constants.h"
#include "matrix/nearly_equal.h"
#include "scalar/elementary.h"
#include "scalar/elementary_dd.h"
#include "tal/matrix.h"

namespace {

// Talp_NearlyEqual without branches, which random pairs would mispredict (its ordering and sign
// tests): its hi - lo is |a - b| rounded, and its hi is max(|a|, |b|) when a and b share a sign.
// With opposite signs |a - b| >= max(|a|, |b|) exceeds either hi times 1e-12, so only the floor
// decides in both forms. NaN and inf - inf fail the comparison.
inline bool Talp_Close(double a, double b) {
    const double aa = std::fabs(a), ab = std::fabs(b);
    const double scaled = (aa < ab ? ab : aa) * Talp_NearlyEqualRel;
    const double floor = Talp_NearlyEqualUnits * 0x1p-49;
    return std::fabs(a - b) < (floor < scaled ? scaled : floor);
}

// All four tests without short-circuit branches: the first one fails unpredictably.
bool Talp_NearlySame(const Tal_Quat& a, const Tal_Quat& b) {
    return Talp_Close(a.x, b.x) & Talp_Close(a.y, b.y) & Talp_Close(a.z, b.z) &
           Talp_Close(a.w, b.w);
}

}  // namespace

Tal_Err Tal_Slerp(const Tal_Quat* q0, const Tal_Quat* q1, double t, Tal_Quat* out) {
    // Copies first: out may be q0 or q1.
    const Tal_Quat a = *q0, b = *q1;
    if (Talp_NearlySame(a, b)) {
        *out = a;
        return 0;
    }
    const double d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    const double ad = std::fabs(d);
    double s0, s1;
    // Near-parallel (or longer than unit) inputs: sin(theta) would vanish, so blend linearly.
    if (1 - ad <= Talp_NearParallel) {
        s0 = 1 - t;
        s1 = t;
    } else {
        const Talp_AngleAndLeg arc = Talp_AcosWithSin(ad);
        const double theta = arc.angle, k = 1 / arc.leg;
        double sinRest, sinOn;
        Talp_SinPair((1 - t) * theta, t * theta, &sinRest, &sinOn);
        s0 = sinRest * k;
        s1 = sinOn * k;
    }
    // q1 and -q1 are the same turn; head for the nearer one. The sign bit flips without a branch:
    // d's sign is random.
    s1 = Talp_FromBits(Talp_Bits(s1) ^ (uint64_t(d < 0) << 63));
    *out = {s0 * a.x + s1 * b.x, s0 * a.y + s1 * b.y, s0 * a.z + s1 * b.z, s0 * a.w + s1 * b.w};
    return 0;
}
