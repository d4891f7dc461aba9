// The exact table builders. Each replaces the per-entry division of the defining formula by a
// multiplication proven equal for every entry (the tests compare all of them with the formula).
#include <cmath>

#include "elementary/elementary.h"
#include "frame/frame_internal.h"

namespace {

// t / 255 == (t * 0x8081) >> 23 for t < 66052: 0x8081 * 255 exceeds 2^23 by 127, and
// t * 127 < 2^23 keeps the error below one step. The largest t here is 255 * 255 + 127.
constexpr uint32_t Talp_Div255Magic = 0x8081;
constexpr int Talp_Div255Shift = 23;

// n / i == (n * (floor(2^24 / i) + 1)) >> 24 when n * i < 2^24; n <= 254 * 255 + 127 here.
constexpr int Talp_RowShift = 24;

}  // namespace

void Talp_FillMulTable(uint8_t* table) {
    for (uint32_t i = 0; i < 256; ++i) {
        uint8_t* row = table + i * 256;
        for (uint32_t j = 0; j < 256; ++j) {
            const uint32_t t = i * j + 127;
            row[j] = uint8_t((t * Talp_Div255Magic) >> Talp_Div255Shift);
        }
    }
}

void Talp_FillDivTable(uint8_t* table) {
    for (uint32_t j = 0; j < 256; ++j)
        table[j] = 255;  // row 0: every j >= 0
    for (uint32_t i = 1; i < 256; ++i) {
        uint8_t* row = table + i * 256;
        const uint64_t magic = ((uint64_t(1) << Talp_RowShift) / i) + 1;
        const uint32_t half = i >> 1;
        for (uint32_t j = 0; j < i; ++j) {
            const uint64_t n = j * 255 + half;
            row[j] = uint8_t((n * magic) >> Talp_RowShift);
        }
        for (uint32_t j = i; j < 256; ++j)
            row[j] = 255;
    }
}

void Talp_FillSineTable(float* table) {
    const double halfPi = 2.0 * Talp_Atan(1.0);
    for (int k = 0; k < Tal_SineTableSize; ++k)
        table[k] = float(Talp_Sin(k / 255.0 * halfPi));
}
