// Spherical linear interpolation of quaternions.
#include <cmath>

#include "elementary/elementary.h"
#include "matrix/constants.h"
#include "matrix/nearly_equal.h"
#include "tal/matrix.h"

namespace {

bool Talp_NearlySame(const Tal_Quat& a, const Tal_Quat& b) {
    return Talp_NearlyEqual(a.x, b.x, Talp_NearlyEqualUnits, Talp_NearlyEqualRel) &&
           Talp_NearlyEqual(a.y, b.y, Talp_NearlyEqualUnits, Talp_NearlyEqualRel) &&
           Talp_NearlyEqual(a.z, b.z, Talp_NearlyEqualUnits, Talp_NearlyEqualRel) &&
           Talp_NearlyEqual(a.w, b.w, Talp_NearlyEqualUnits, Talp_NearlyEqualRel);
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
        const Talp_DoublePair sines = Talp_SinPair((1 - t) * theta, t * theta);
        s0 = sines.first * k;
        s1 = sines.second * k;
    }
    // q1 and -q1 are the same turn; head for the nearer one.
    if (d < 0) s1 = -s1;
    *out = {s0 * a.x + s1 * b.x, s0 * a.y + s1 * b.y, s0 * a.z + s1 * b.z, s0 * a.w + s1 * b.w};
    return 0;
}
