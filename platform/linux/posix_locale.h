#pragma once
#include <string>

#include "platform/locale.h"

namespace kvx::platform::linux_backend {

// The locale named by the environment (LC_ALL, LC_NUMERIC, LC_TIME, LANG), read
// once at start without changing the process's own C locale, so that no
// other formatting in the program starts to depend on it.
class PosixLocale final : public Locale {
public:
    PosixLocale();
    char decimalSeparator() const override { return decimal_; }
    std::string shortDate(std::chrono::system_clock::time_point when) const override;
    std::string longTime(std::chrono::system_clock::time_point when) const override;

private:
    char decimal_ = '.';
    std::string dateFormat_ = "%d/%m/%Y";
    std::string timeFormat_ = "%H:%M:%S";
};

}  // namespace kvx::platform::linux_backend
