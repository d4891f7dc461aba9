// Even-odd membership of a grid point in an integer outline, exactly, with the tolerance band.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace taltest {

struct IPt {
    int64_t x, y;
};

/// Exact even-odd membership of p in the outline d (no consecutive repeats) by 64-bit arithmetic,
/// points on non-vertical edges counted in; with tol (in hundredths) also the band: beside an edge
/// with the foot on it and p no farther from its start than it is long, or near a vertex.
/// ambiguous is set where an equality decides that rounding may tip.
inline bool InsideModel(const std::vector<IPt>& d, IPt p, int64_t tol, bool& ambiguous) {
    const auto near = [&](int64_t d2, int64_t len2) {
        ambiguous |= 10000 * d2 == tol * tol * len2;
        return 10000 * d2 <= tol * tol * len2;
    };
    bool on = false, odd = false;
    for (size_t i = 0; i < d.size(); ++i) {
        const IPt a = d[i], b = d[(i + 1) % d.size()];
        const int64_t dx = b.x - a.x, dy = b.y - a.y, wx = p.x - a.x, wy = p.y - a.y;
        const int64_t len2 = dx * dx + dy * dy, cross = dx * wy - dy * wx;
        if (d.size() == 1) return tol ? near(wx * wx + wy * wy, 1) : wx == 0 && wy == 0;
        if ((a.x < p.x && p.x <= b.x) || (b.x < p.x && p.x <= a.x)) {
            on |= cross == 0;                   // p on the line of a non-vertical edge
            odd ^= (cross < 0) == (a.x < b.x);  // the edge passes above p
        }
        const bool foot = dx * wx + dy * wy >= 0 && wx * wx + wy * wy <= len2;
        if (tol) on |= near(wx * wx + wy * wy, 1) || (foot && near(cross * cross, len2));
    }
    return on || odd;
}

}  // namespace taltest
