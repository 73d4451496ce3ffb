#include "platform/fake/fixed_locale.h"

#include <cstdio>

namespace kvx::platform::fake {
namespace {

std::chrono::year_month_day dayOf(std::chrono::system_clock::time_point when) {
    return std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(when));
}

}  // namespace

std::string FixedLocale::shortDate(std::chrono::system_clock::time_point when) const {
    auto ymd = dayOf(when);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02u/%02u/%04d", static_cast<unsigned>(ymd.day()),
                  static_cast<unsigned>(ymd.month()), static_cast<int>(ymd.year()));
    return buffer;
}

std::string FixedLocale::longTime(std::chrono::system_clock::time_point when) const {
    auto sinceMidnight = when - std::chrono::floor<std::chrono::days>(when);
    std::chrono::hh_mm_ss<std::chrono::seconds> t(std::chrono::duration_cast<std::chrono::seconds>(sinceMidnight));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", static_cast<long>(t.hours().count()),
                  static_cast<long>(t.minutes().count()), static_cast<long>(t.seconds().count()));
    return buffer;
}

}  // namespace kvx::platform::fake
