#include "text/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

// Digits come from std::to_chars, which converts the exact binary value with
// correct rounding and ignores the C locale. Its rounding of an exact half
// goes to even, so exact halves are detected separately (isExactHalf) and
// rounded away from zero here by hand from a string that holds one digit
// more, which for a half is the exact value.

namespace kvx::acquisition {
namespace {

constexpr int kGeneralDigits = 15;
constexpr int kMaxDecimals = 18;
// Decimal exponents written plainly by the general format; outside, "E" form.
constexpr int kLowestPlainExponent = -5;
constexpr int kHighestPlainExponent = 14;

template <typename T>
std::string toChars(T value, std::chars_format form, int precision) {
    std::string buffer(64, '\0');
    for (;;) {
        const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, form, precision);
        if (error == std::errc{}) {
            buffer.resize(static_cast<std::size_t>(end - buffer.data()));
            return buffer;
        }
        // Fixed notation of a huge long double needs thousands of digits.
        buffer.resize(buffer.size() * 4);
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one to a string of decimal digits; true when it carries out of the
// leftmost digit (the string is then all zeros). An empty string carries.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

// value = d[0].d[1]d[2]... x 10^exponent
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

// Reads "d.ddde+XX" from to_chars. Any character that is neither a digit nor
// the exponent mark counts as the point, whatever the library put there.
SignificantDigits parseScientific(const std::string& text) {
    SignificantDigits result;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (isDigit(text[i])) result.digits += text[i];
    }
    ++i;  // the exponent mark
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int exponent = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) exponent = exponent * 10 + (text[i] - '0');
    result.exponent = negative ? -exponent : exponent;
    return result;
}

struct FixedDigits {
    std::string whole;
    std::string fraction;
};

FixedDigits parseFixed(const std::string& text) {
    FixedDigits result;
    std::size_t i = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) result.whole += text[i];
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) result.fraction += text[i];
    }
    return result;
}

template <typename T>
bool isOddInteger(T value) {
    return std::isfinite(value) && value == std::trunc(value) && std::fmod(value, T(2)) == T(1);
}

// True when the positive finite `magnitude` lies exactly halfway between two
// multiples of 10^scale, i.e. magnitude = (k + 1/2) * 10^scale for a whole k.
// With m = 2k + 1 (odd) this is magnitude = m * 5^scale * 2^(scale - 1).
// All steps are exact in T: ldexp, trunc, fmod, and the division by a power
// of five that divides the value.
template <typename T>
bool isExactHalf(T magnitude, int scale) {
    if (scale <= 0) {
        // m * 5^scale is m / 5^-scale; a binary value is divisible by that
        // only if m carries the factor, so: magnitude * 2^(1 - scale) is odd.
        return isOddInteger(std::ldexp(magnitude, 1 - scale));
    }
    const T scaled = std::ldexp(magnitude, 1 - scale);
    if (scaled != std::trunc(scaled)) return false;
    // The odd part of a value has at most `digits` bits, so a power of five
    // that does not fit there cannot divide it.
    const T fitLimit = std::ldexp(T(1), std::numeric_limits<T>::digits);
    T powerOfFive = 1;
    for (int i = 0; i < scale; ++i) {
        powerOfFive *= 5;
        if (powerOfFive >= fitLimit) return false;
    }
    if (std::fmod(scaled, powerOfFive) != 0) return false;
    return isOddInteger(scaled / powerOfFive);
}

// The first `count` significant digits of a positive finite value, rounded
// half away from zero.
template <typename T>
SignificantDigits roundedSignificant(T magnitude, int count) {
    SignificantDigits result = parseScientific(toChars(magnitude, std::chars_format::scientific, count - 1));
    // If to_chars rounded 9.99..9 up to the next power of ten, the exponent
    // grew by one. The value is then no half at the new scale (its digit
    // there is a 9), and a half at the old scale went up, as away from zero
    // would: the digit before the 5 was an odd 9.
    if (isExactHalf(magnitude, result.exponent - (count - 1))) {
        result = parseScientific(toChars(magnitude, std::chars_format::scientific, count));
        result.digits.pop_back();  // the 5
        if (incrementDigits(result.digits)) {
            result.digits.insert(0, 1, '1');
            result.digits.pop_back();
            ++result.exponent;
        }
    }
    return result;
}

// Digits of a non-negative finite value with `decimals` fraction digits,
// rounded half away from zero.
template <typename T>
FixedDigits roundedFixed(T magnitude, int decimals) {
    if (!isExactHalf(magnitude, -decimals)) return parseFixed(toChars(magnitude, std::chars_format::fixed, decimals));
    FixedDigits result = parseFixed(toChars(magnitude, std::chars_format::fixed, decimals + 1));
    result.fraction.pop_back();  // the 5
    if (incrementDigits(result.fraction) && incrementDigits(result.whole)) result.whole.insert(0, 1, '1');
    return result;
}

template <typename T>
std::string nonFiniteText(T value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

template <typename T>
std::string generalTextOf(T value, const NumberFormat& format) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (value == 0) return "0";  // also negative zero

    SignificantDigits rounded = roundedSignificant(std::fabs(value), kGeneralDigits);
    std::string& digits = rounded.digits;
    const std::size_t lastNonZero = digits.find_last_not_of('0');
    digits.erase(lastNonZero + 1);  // the leading digit is never 0
    const int exponent = rounded.exponent;

    std::string text = value < 0 ? "-" : "";
    if (exponent < kLowestPlainExponent || exponent > kHighestPlainExponent) {
        text += digits[0];
        if (digits.size() > 1) {
            text += format.decimalSeparator;
            text.append(digits, 1);
        }
        text += 'E';
        text += std::to_string(exponent);
    } else if (exponent >= 0) {
        const auto wholeCount = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeCount) {
            text += digits;
            text.append(wholeCount - digits.size(), '0');
        } else {
            text.append(digits, 0, wholeCount);
            text += format.decimalSeparator;
            text.append(digits, wholeCount);
        }
    } else {
        text += '0';
        text += format.decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

template <typename T>
std::string fixedTextOf(T value, int decimals, const NumberFormat& format) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    decimals = decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);

    const FixedDigits rounded = roundedFixed(std::fabs(value), decimals);
    const bool allZero = rounded.whole.find_first_not_of('0') == std::string::npos &&
                         rounded.fraction.find_first_not_of('0') == std::string::npos;

    // A negative value shown as zero gets no minus sign ("0.00", not "-0.00").
    std::string text = (std::signbit(value) && !allZero) ? "-" : "";
    text += rounded.whole;
    if (decimals > 0) {
        text += format.decimalSeparator;
        text += rounded.fraction;
    }
    return text;
}

// Converts a whole number held in T, saturating outside the int64 range.
template <typename T>
std::int64_t saturatedInt64(T whole) {
    if (std::isnan(whole)) return 0;
    const T limit = std::ldexp(T(1), 63);  // exact: 2^63
    if (whole >= limit) return std::numeric_limits<std::int64_t>::max();
    if (whole < -limit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(whole);
}

template <typename T>
std::int64_t roundHalfEvenOf(T value) {
    if (!std::isfinite(value)) return saturatedInt64(value);
    T whole = std::trunc(value);
    const T fraction = std::fabs(value - whole);  // exact
    const bool wholeIsOdd = std::fmod(whole, T(2)) != 0;
    if (fraction > T(0.5) || (fraction == T(0.5) && wholeIsOdd)) whole += std::copysign(T(1), value);
    return saturatedInt64(whole);
}

template <typename T>
std::int64_t truncateTowardZeroOf(T value) {
    if (!std::isfinite(value)) return saturatedInt64(value);
    return saturatedInt64(std::trunc(value));
}

}  // namespace

std::string generalText(double value, const NumberFormat& format) { return generalTextOf(value, format); }

std::string generalText(long double value, const NumberFormat& format) { return generalTextOf(value, format); }

std::string fixedText(double value, int decimals, const NumberFormat& format) {
    return fixedTextOf(value, decimals, format);
}

std::string fixedText(long double value, int decimals, const NumberFormat& format) {
    return fixedTextOf(value, decimals, format);
}

std::int64_t roundHalfEven(double value) { return roundHalfEvenOf(value); }

std::int64_t roundHalfEven(long double value) { return roundHalfEvenOf(value); }

std::int64_t truncateTowardZero(double value) { return truncateTowardZeroOf(value); }

std::int64_t truncateTowardZero(long double value) { return truncateTowardZeroOf(value); }

}  // namespace kvx::acquisition
