// Distance of a point from a 2D line, and clipping of segments at the near plane and to a rect.
#include "matrix/constants.h"
#include "matrix/geometry_vec.h"
#include "tal/geometry.h"
#include "tal/rect.h"

namespace {

typedef Tal_Vector2T<double> Talp_Vec2;

bool Talp_InClosedRect(const Tal_FloatRect& r, const Talp_Vec2& p) {
    return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

// The segment's bounding box misses the closed rect. A box that only touches an edge or a corner
// is kept, since the touching point itself is visible.
bool Talp_BoxMissesRect(const Tal_FloatRect& r, const Talp_Vec2& a, const Talp_Vec2& b) {
    const double minX = a.x < b.x ? a.x : b.x, maxX = a.x < b.x ? b.x : a.x;
    const double minY = a.y < b.y ? a.y : b.y, maxY = a.y < b.y ? b.y : a.y;
    return maxX < r.left || minX > r.right || maxY < r.top || minY > r.bottom;
}

// Moves cur along the segment towards other onto the edge at x = edge (or y = edge when the
// coordinates are swapped by the caller); false when the segment runs along that slab.
bool Talp_SlideTo(double& cur, double& curOther, double other, double otherOther, double edge) {
    const double run = cur - other;
    if (run == 0) return false;
    const double s = (cur - edge) / run;
    cur = edge;
    curOther = curOther + s * (otherOther - curOther);
    return true;
}

// Clips one outside end into the rect's x slab, then its y slab.
bool Talp_ClipEnd(const Tal_FloatRect& r, Talp_Vec2& cur, const Talp_Vec2& other) {
    if (cur.x < r.left) {
        if (!Talp_SlideTo(cur.x, cur.y, other.x, other.y, r.left)) return false;
    } else if (cur.x > r.right) {
        if (!Talp_SlideTo(cur.x, cur.y, other.x, other.y, r.right)) return false;
    }
    if (cur.y < r.top) return Talp_SlideTo(cur.y, cur.x, other.y, other.x, r.top);
    if (cur.y > r.bottom) return Talp_SlideTo(cur.y, cur.x, other.y, other.x, r.bottom);
    return true;
}

}  // namespace

Tal_Err Tal_PerpDistTo2DLine(const Tal_Vector2T<double>* point,
                             const Tal_Vector2T<double>* lineStart,
                             const Tal_Vector2T<double>* lineEnd, unsigned char* within,
                             double* distance) {
    const Talp_Vec3 d{lineEnd->x - lineStart->x, lineEnd->y - lineStart->y, 0.0};
    const Talp_Vec3 w{point->x - lineStart->x, point->y - lineStart->y, 0.0};
    const double len = Talp_Length(d);
    const double inv = 1.0 / len;
    unsigned char in = 0;
    double dist;
    if (len <= Talp_NearZero || Talp_IsNearZero(inv)) {
        dist = Talp_Length(w);
    } else {
        const Talp_Vec3 u{d.x * inv, d.y * inv, d.z * inv};
        const double proj = (u.x * w.x + u.y * w.y) + u.z * w.z;
        // Against the distance to lineStart, not proj: a point abeam lineEnd but off to the side
        // is outside the segment's disc.
        in = proj >= 0 && len >= Talp_Length(w) ? 1 : 0;
        dist = Talp_Length({w.x - u.x * proj, w.y - u.y * proj, w.z - u.z * proj});
    }
    *distance = dist;
    if (within) *within = in;
    return 0;
}

Tal_Err Tal_Clip3DLine(const double a[3], const double b[3], unsigned char* aBehind,
                       unsigned char* bBehind, double clipped[3]) {
    const Talp_Vec3 pa{a[0], a[1], a[2]}, pb{b[0], b[1], b[2]};
    const bool aIsBehind = pa.z < Tal_NearPlaneZ, bIsBehind = pb.z < Tal_NearPlaneZ;
    const bool aInFront = pa.z >= Tal_NearPlaneZ, bInFront = pb.z >= Tal_NearPlaneZ;
    Talp_Vec3 cross{0.0, 0.0, 0.0};
    unsigned char flagA = 0, flagB = 0;
    if (aIsBehind && bIsBehind) {
        flagA = flagB = 1;
    } else if (!(aInFront && bInFront)) {
        const bool pickA = pa.z <= pb.z;
        (pickA ? flagA : flagB) = 1;
        const Talp_Vec3& p = pickA ? pa : pb;
        const Talp_Vec3& q = pickA ? pb : pa;
        const double s = (Tal_NearPlaneZ - p.z) / std::fabs(q.z - p.z);
        cross = {p.x + (q.x - p.x) * s, p.y + (q.y - p.y) * s, (q.z - p.z) * s + p.z};
    }
    *aBehind = flagA;
    *bBehind = flagB;
    clipped[0] = cross.x;
    clipped[1] = cross.y;
    clipped[2] = cross.z;
    return 0;
}

Tal_Err Tal_ClipLine2Rect(const Tal_FloatRect* rect, Tal_Vector2T<double>* p0,
                          Tal_Vector2T<double>* p1, unsigned char* visible) {
    const Tal_FloatRect r = *rect;
    Talp_Vec2 c0 = *p0, c1 = *p1;
    const bool in0 = Talp_InClosedRect(r, c0), in1 = Talp_InClosedRect(r, c1);
    if (in0 && in1) {
        *visible = 1;
        return 0;
    }
    if (Talp_BoxMissesRect(r, c0, c1)) {
        *visible = 0;
        return 0;
    }
    // c1 is clipped against the already clipped c0.
    bool shown = (in0 || Talp_ClipEnd(r, c0, c1)) && (in1 || Talp_ClipEnd(r, c1, c0));
    *p0 = c0;
    *p1 = c1;
    // Both ends still outside: the line passed beside a corner.
    if (!Talp_InClosedRect(r, c0) && !Talp_InClosedRect(r, c1)) shown = false;
    *visible = shown ? 1 : 0;
    return 0;
}
