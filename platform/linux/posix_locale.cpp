#include "platform/linux/posix_locale.h"

#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cstring>

namespace kvx::platform::linux_backend {
namespace {

std::string format(const std::string& pattern, std::chrono::system_clock::time_point when) {
    time_t seconds = std::chrono::system_clock::to_time_t(when);
    tm local{};
    localtime_r(&seconds, &local);
    char buffer[128];
    size_t n = strftime(buffer, sizeof buffer, pattern.c_str(), &local);
    return std::string(buffer, n);
}

}  // namespace

PosixLocale::PosixLocale() {
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "", nullptr);
    if (numeric) {
        const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
        // A multi-byte separator (rare) cannot stand in a single-byte log; keep the point then.
        if (radix && std::strlen(radix) == 1) decimal_ = radix[0];
        freelocale(numeric);
    }
    locale_t timeLocale = newlocale(LC_TIME_MASK, "", nullptr);
    if (timeLocale) {
        // The C locale's "%m/%d/%y" has a two-digit year; keep the four-digit default there.
        const char* date = nl_langinfo_l(D_FMT, timeLocale);
        const char* time = nl_langinfo_l(T_FMT, timeLocale);
        if (date && *date && std::strcmp(date, "%m/%d/%y") != 0) dateFormat_ = date;
        if (time && *time) timeFormat_ = time;
        freelocale(timeLocale);
    }
}

std::string PosixLocale::shortDate(std::chrono::system_clock::time_point when) const {
    return format(dateFormat_, when);
}

std::string PosixLocale::longTime(std::chrono::system_clock::time_point when) const {
    return format(timeFormat_, when);
}

}  // namespace kvx::platform::linux_backend
