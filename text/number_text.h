#pragma once

// Number texts shown in window labels, statistics and logs.
//
// Every function here is pure: it depends only on its arguments, never on the
// C locale, the current floating-point rounding mode or any global state, so
// the same value always gives the same text on every machine and thread.
// Rounding decisions use the exact binary value of the argument: 2.675 is
// stored as 2.67499999999999982236431605997495353221893310546875 and is
// therefore not a half, while 0.125 and 2.5 are exact halves.

#include <cstdint>
#include <string>

namespace kvx::acquisition {

// How numbers are written. The platform supplies the user's decimal
// separator; this module never asks the locale for it.
struct NumberFormat {
    char decimalSeparator = '.';
};

// General format: at most 15 significant digits, rounded from the exact value
// with exact halves going away from zero, then trailing zeros removed; whole
// numbers carry no separator.
//
// Let E be the decimal exponent of the rounded value written as d.ddd x 10^E.
// For -5 <= E <= 14 (that is 0.00001 <= |v| < 1E15 after rounding) the number
// is written plainly: "95.9", "0.3", "100", "0.00001", "-40".
// Otherwise it is written as mantissa, "E", exponent with a minus sign only
// when negative and no leading zeros: "1E15", "1.5E-7", "1.23456789012346E17".
//
// Zero and negative zero give "0". NaN gives "NAN", infinities "INF" and
// "-INF".
//
// The long double overload writes values computed in extended precision
// (such as a Fahrenheit value C * 1.8 + 32) with the same 15-digit rule, so
// the small error of the extended computation disappears: 35.5L*1.8L+32 gives
// "95.9".
std::string generalText(double value, const NumberFormat& format);
std::string generalText(long double value, const NumberFormat& format);

// Fixed notation with `decimals` digits after the separator (0 means no
// separator at all). `decimals` is clamped to 0..18. The exact value is
// rounded half away from zero: 0.125 gives "0.13", -0.125 gives "-0.13",
// 2.5 with 0 decimals gives "3", 2.675 gives "2.67" (not a half, see above).
// A negative value whose text shows only zeros is written without a minus
// sign: -0.001 with 2 decimals gives "0.00". Large magnitudes are written in
// full, never in exponent form (1e20 with 2 decimals has 21 integer digits).
// NaN gives "NAN", infinities "INF" and "-INF".
std::string fixedText(double value, int decimals, const NumberFormat& format);
std::string fixedText(long double value, int decimals, const NumberFormat& format);

// Nearest whole number, an exact half going to the even neighbour:
// 2.5 -> 2, 3.5 -> 4, -2.5 -> -2, 0.5 -> 0.
// Out of range: NaN gives 0; results above INT64_MAX give INT64_MAX and
// results below INT64_MIN give INT64_MIN (so +inf and -inf saturate).
std::int64_t roundHalfEven(double value);
std::int64_t roundHalfEven(long double value);

// Whole part, cut toward zero: 95.9 -> 95, -95.9 -> -95.
// Out of range as for roundHalfEven: NaN gives 0, otherwise saturation.
std::int64_t truncateTowardZero(double value);
std::int64_t truncateTowardZero(long double value);

}  // namespace kvx::acquisition
