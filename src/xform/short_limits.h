// The range the 16-bit transforms that never overflow limit their results to.
#pragma once

constexpr double Talp_ShortLimitMin = -32767.0;
constexpr double Talp_ShortLimitMax = 32766.0;
