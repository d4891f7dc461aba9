// 8.24 multiply and ratio through doubles; failures are reported, then give the mark.
#include <cmath>

#include "scalar/int32_range.h"
#include "tal/fixed.h"
#include "tal/frame.h"

namespace {

constexpr uint16_t Talp_MulSite = 0x08;
constexpr uint16_t Talp_RatioSite = 0x09;
constexpr int16_t Talp_MulPhrase = 21;    // "in fix24 multiply"
constexpr int16_t Talp_RatioPhrase = 22;  // "in fix24 divide"

// Range test, then rounding half away from zero; a rounded value beyond 32 bits (q in
// (-129, -128) or just under 128) gives the mark without a report.
Tal_Fix24 Talp_Fix24FromDouble(double q, uint16_t site, int16_t phrase) {
    if (!(q > -129.0 && q < 128.0)) {
        Talp_ReportErr(site, Tal_Err_OVERFLOW, phrase);
        return Tal_FixedFailure;
    }
    // copysign differs from q >= 0 only at -0.0, where both give 0; it spares a branch on the sign.
    const double s = q * 16777216.0 + std::copysign(0.5, q);
    if (Talp_TruncatesToInt32(s)) return int32_t(s);
    return Tal_FixedFailure;
}

}  // namespace

Tal_Fix24 Tal_Fix24Mul(Tal_Fix24 a, Tal_Fix24 b) {
    // Each operand is scaled on its own side, in this order, so the product rounds once.
    const double q = (a * 0x1p-24) * (0x1p-24 * b);
    return Talp_Fix24FromDouble(q, Talp_MulSite, Talp_MulPhrase);
}

Tal_Fix24 Tal_Fix24Ratio(int32_t a, int32_t b) {
    if (b == 0) {
        Talp_ReportErr(Talp_RatioSite, Tal_Err_DIV_BY_ZERO, Talp_RatioPhrase);
        return Tal_FixedFailure;
    }
    return Talp_Fix24FromDouble(double(a) / double(b), Talp_RatioSite, Talp_RatioPhrase);
}
