/// \file
/// Rational numbers and spans: 32-bit fractions computed exactly, with an explicit choice between a
/// reported overflow and a double-precision approximation when the exact result would not fit.
/// A function returns 0 unless its failure is described.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tal/error.h"

/// A fraction num / den. A den of 0 is invalid input; {0, 0} is the failed result of every
/// operation. Results are not reduced unless the operation says so.
struct Tal_Ratio {
    int32_t num;   ///< numerator; carries the sign
    uint32_t den;  ///< denominator
};
static_assert(sizeof(Tal_Ratio) == 8 && offsetof(Tal_Ratio, num) == 0 &&
                  offsetof(Tal_Ratio, den) == 4,
              "Tal_Ratio is num then den, 8 bytes");

/// Outcome byte of add, subtract, multiply and divide. On input, the value 2 set allows the
/// approximation (divide: the value 1 set allows halving a divisor denominator of 2^31 or more).
typedef uint8_t Tal_RatioStatus;
constexpr Tal_RatioStatus Tal_RatioStatus_EXACT = 0;     ///< the exact result
constexpr Tal_RatioStatus Tal_RatioStatus_OVERFLOW = 1;  ///< the result is {0, 0}
constexpr Tal_RatioStatus Tal_RatioStatus_APPROXIMATED =
    2;  ///< the nearest fraction of the double result

/// Status argument with every bit set: approximation (and halving) allowed, nothing written back,
/// an overflow reported. A null status forbids approximation and reports an overflow; a pointer
/// to a byte is cleared at entry, receives the outcome, and no overflow is reported.
inline Tal_RatioStatus* const Tal_RatioAllowApprox =
    reinterpret_cast<Tal_RatioStatus*>(~uintptr_t(0));

/// Divides in by gcd(|num|, den) into out; 0/d gives 0/1, a zero den or a gcd of 2^31 or more
/// leaves the values as they are. *reduced (optional) is 1 when the gcd is not 1.
TAL_C_API Tal_Err Tal_ReduceRatio(const Tal_Ratio* in, Tal_Ratio* out, uint8_t* reduced);
/// Swaps num and den, the sign staying on num; a den of 2^31 or more that reduction cannot bring
/// below 2^31 gives {den >> 1, |num| >> 1} with *exact 0. 0/d gives d/0 unreported.
TAL_C_API Tal_Err Tal_RecipRatio(const Tal_Ratio* in, Tal_Ratio* out, uint8_t* exact);
/// Re-expresses in over newDen, the numerator rounded (halves up); *exact tells whether the value
/// kept. A zero den reports Tal_Err_ZERO_DENOM and a numerator beyond 32 bits Tal_Err_OVERFLOW
/// (only with a null overflow flag, which otherwise receives 1), both at site 0x12; on either out
/// is {0, 0}. A zero den leaves *exact as it was, an overflow sets it to 0.
TAL_C_API Tal_Err Tal_ConvRatio(const Tal_Ratio* in, uint32_t newDen, Tal_Ratio* out,
                                uint8_t* exact, uint8_t* overflow);
/// Tal_ConvRatio on a bare numerator, reporting at site 0x13; *newNum is 0 after a failure.
TAL_C_API Tal_Err Tal_ShortConvRatio(int32_t num, uint32_t oldDen, uint32_t newDen, int32_t* newNum,
                                     uint8_t* overflow);
/// Nearest fraction to (float)d with neither term above 2^30, reduced; |d| < 2^-32 gives 0/1;
/// |d| >= 2^31, an infinity or a NaN sets *overflow (required) and gives {0, 0}.
TAL_C_API Tal_Err Tal_FpLong2Ratio(double d, Tal_Ratio* out, uint8_t* overflow);

/// a + b, over a common denominator, unreduced. Zero denominators report Tal_Err_ZERO_DENOM at
/// site 0x10; an overflow gives {0, 0}, reported (Tal_Err_OVERFLOW, site 0x10) only for a null or
/// all-ones status. When allowed, an overflow falls back to the nearest fraction of the double sum.
TAL_C_API Tal_Err Tal_AddRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                               Tal_RatioStatus* status);
/// a - b, as Tal_AddRatio; -(-2^31) counts as an overflow of the exact path.
TAL_C_API Tal_Err Tal_SubRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                               Tal_RatioStatus* status);
/// a * b, as Tal_AddRatio but at site 0x11; the operands are reduced and cross-reduced once
/// before an overflow is admitted.
TAL_C_API Tal_Err Tal_MulRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                               Tal_RatioStatus* status);
/// a * (1 / b) through Tal_MulRatio. A divisor den of 0 reports Tal_Err_ZERO_DENOM at site 0x11;
/// one of 2^31 or more is halved when allowed (the value 2 is then added to the byte), otherwise
/// out is {0, 0} and the overflow is reported at site 0x11 (null status) or the value 1 is added to
/// the byte. A zero b reports a zero denominator from the multiplication.
TAL_C_API Tal_Err Tal_DivRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                               Tal_RatioStatus* status);

/// *result < 0, 0 or > 0 as a <, = or > b (the numerator of a - b, or exactly -1, 0, 1 when that
/// overflows). Zero denominators report Tal_Err_ZERO_DENOM at site 0x10 and leave *result 0.
/// An overflowing difference with a denominator of 2^31 or more is compared in double precision,
/// so two such ratios closer than the doubles resolve compare equal.
TAL_C_API Tal_Err Tal_CompareRatio(const Tal_Ratio* a, const Tal_Ratio* b, int32_t* result);
/// The smaller of a and b (a on a tie); {0, 0} and the comparison's code on failure.
TAL_C_API Tal_Err Tal_MinRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out);
/// The larger of a and b (a on a tie); {0, 0} and the comparison's code on failure.
TAL_C_API Tal_Err Tal_MaxRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out);
/// value clamped to [low, high]. low > high reports base-library number 3 at site 0x18 and returns
/// its result, and a failed low/high comparison its code, both leaving out untouched; a later
/// comparison failure sets out to {0, 0}.
TAL_C_API Tal_Err Tal_ClipRatio(const Tal_Ratio* value, const Tal_Ratio* low, const Tal_Ratio* high,
                                Tal_Ratio* out);
/// value clamped to [start, start + length]; the end overflowing reports at site 0x10. On failure
/// out is {0, 0}.
TAL_C_API Tal_Err Tal_ClipRatioToSpan(const Tal_Ratio* value, const Tal_Ratio* start,
                                      const Tal_Ratio* length, Tal_Ratio* out);
/// The span start..start + length clipped to clipStart..clipStart + clipLength (a span outside
/// the clip gets length 0 at the nearer clip end); both outputs are {0, 0} on failure.
TAL_C_API Tal_Err Tal_ClipSpanToSpan(const Tal_Ratio* start, const Tal_Ratio* length,
                                     const Tal_Ratio* clipStart, const Tal_Ratio* clipLength,
                                     Tal_Ratio* outStart, Tal_Ratio* outLength);
