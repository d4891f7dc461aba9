// Normalization of a four-component direction.
#include <cmath>

#include "frame/base_library.h"
#include "matrix/constants.h"
#include "tal/vector.h"

namespace {

constexpr uint16_t Talp_NormalizeSite = 0x37;
constexpr int32_t Talp_MsgZeroVector = 38;
constexpr int32_t Talp_MsgHomogeneousPoint = 41;

void Talp_ReportNormalizeMessage(int32_t message) {
    Talp_ReportMessage(Talp_NormalizeSite, message);
}

}  // namespace

template <>
void Tal_Vector4T<double>::Normalize() {
    // Written so that a NaN w also warns.
    if (!Talp_IsNearZero(w)) Talp_ReportNormalizeMessage(Talp_MsgHomogeneousPoint);
    const double len2 = (y * y + x * x) + z * z;
    if (len2 < Talp_NearZero) {
        Talp_ReportNormalizeMessage(Talp_MsgZeroVector);
        throw long(Tal_Err_ZERO_VECTOR);
    }
    const double k = 1 / std::sqrt(len2);
    x *= k;
    y *= k;
    z *= k;
}
