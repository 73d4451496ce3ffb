#pragma once
// Numbers read from text that a person wrote (scenario files, scripts, the
// override hive) or that the kernel wrote (sysfs names). Header-only, so that
// both sensor libraries and the program read numbers by the same rules
// without linking each other. Nothing here throws: a number that does not fit
// is a fault with a reason, never an exception or a wrapped value.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kvx::number_text {

// A leading '+' is allowed ("+12.10"); std::from_chars does not take one.
inline std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

// The whole text as a decimal number from `min` to `max`. On a fault `why`
// says what is wrong ("is not a whole number", "is out of range 0..255").
template <class T>
std::optional<T> parseWhole(std::string_view text, T min, T max, std::string& why) {
    const std::string_view digits = withoutPlus(text);
    T value{};
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || end != digits.data() + digits.size() ||
        (ec != std::errc{} && ec != std::errc::result_out_of_range)) {
        why = "is not a whole number";
        return std::nullopt;
    }
    if (ec == std::errc::result_out_of_range || value < min || value > max) {
        why = "is out of range " + std::to_string(min) + ".." + std::to_string(max);
        return std::nullopt;
    }
    return value;
}

// The longest time a scenario row or a script command may name: far beyond
// any run, and small enough that milliseconds, and sums of a few of them,
// stay well inside int64.
inline constexpr double kMaxSeconds = 1e12;

// A time in seconds ("12", "0.25", "+3", "1e3") as whole milliseconds,
// rounded half away from zero. Refused, with `why`: no number or trailing
// junk, infinity or NaN, a negative time, more than kMaxSeconds.
inline std::optional<std::int64_t> parseSecondsAsMs(std::string_view text, std::string& why) {
    const std::string_view digits = withoutPlus(text);
    double seconds = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
    if (digits.empty() || end != digits.data() + digits.size() ||
        (ec != std::errc{} && ec != std::errc::result_out_of_range)) {
        why = "is not a number of seconds";
        return std::nullopt;
    }
    if (ec == std::errc::result_out_of_range) {
        // Beyond double's range: too large, too small to tell from 0, or negative.
        why = digits.front() == '-' ? "is negative" : "is out of range 0..1e12 seconds";
        return std::nullopt;
    }
    if (!std::isfinite(seconds)) {
        why = "is not a finite number of seconds";
        return std::nullopt;
    }
    if (seconds < 0) {
        why = "is negative";
        return std::nullopt;
    }
    if (seconds > kMaxSeconds) {
        why = "is out of range 0..1e12 seconds";
        return std::nullopt;
    }
    return std::llround(seconds * 1000.0);
}

}  // namespace kvx::number_text
