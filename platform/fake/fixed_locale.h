#pragma once
#include "platform/locale.h"

namespace kvx::platform::fake {

// A locale with a chosen decimal separator and fixed formats (dd/mm/yyyy,
// hh:mm:ss in UTC), so that texts in tests do not depend on the machine.
class FixedLocale final : public Locale {
public:
    explicit FixedLocale(char decimalSeparator = '.') : decimal_(decimalSeparator) {}
    char decimalSeparator() const override { return decimal_; }
    std::string shortDate(std::chrono::system_clock::time_point when) const override;
    std::string longTime(std::chrono::system_clock::time_point when) const override;

private:
    char decimal_;
};

}  // namespace kvx::platform::fake
