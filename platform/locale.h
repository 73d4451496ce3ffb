#pragma once
#include <chrono>
#include <string>

namespace kvx::platform {

// The user's regional settings as far as texts need them.
class Locale {
public:
    virtual ~Locale() = default;
    // The character between the whole and the fractional part of a number.
    virtual char decimalSeparator() const = 0;
    // A date in the user's short date format, in local time.
    virtual std::string shortDate(std::chrono::system_clock::time_point when) const = 0;
    // A time of day in the user's long time format (with seconds), in local time.
    virtual std::string longTime(std::chrono::system_clock::time_point when) const = 0;
};

}  // namespace kvx::platform
