// Small 3D vector arithmetic shared by the geometry sources.
#pragma once

#include <cmath>

struct Talp_Vec3 {
    double x, y, z;
};

/// |v|, summed in the library's one order (y*y + x*x) + z*z.
inline double Talp_Length(const Talp_Vec3& v) {
    return std::sqrt((v.y * v.y + v.x * v.x) + v.z * v.z);
}
