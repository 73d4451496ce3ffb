// The user's locale is read from the environment without changing the program's own.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "platform/linux/posix_locale.h"

using kvx::platform::linux_backend::PosixLocale;

namespace {

struct ScopedEnv {
    explicit ScopedEnv(const char* value) { setenv("LC_ALL", value, 1); }
    ~ScopedEnv() { unsetenv("LC_ALL"); }
};

}  // namespace

// Guards against a decimal separator taken from the wrong place, and against the process-wide C locale changing.
TEST(PosixLocale, ReadsTheCommaOfAGermanLocaleAndLeavesPrintfAlone) {
    ScopedEnv env("de_DE.UTF-8");
    PosixLocale locale;
    if (locale.decimalSeparator() != ',')
        GTEST_SKIP() << "SKIPPED LOUDLY: the de_DE.UTF-8 locale is not installed here (scripts/bootstrap generates it)";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    EXPECT_STREQ(buffer, "1.5");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(PosixLocale, CLocaleUsesAPointAndAFourDigitYear) {
    ScopedEnv env("C");
    PosixLocale locale;
    EXPECT_EQ(locale.decimalSeparator(), '.');
    auto when = std::chrono::sys_days(std::chrono::year(2026) / 12 / 6) + std::chrono::hours(12);
    EXPECT_NE(locale.shortDate(when).find("2026"), std::string::npos);
}
