#include "text/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using kvx::acquisition::fixedText;
using kvx::acquisition::generalText;
using kvx::acquisition::NumberFormat;
using kvx::acquisition::roundHalfEven;
using kvx::acquisition::truncateTowardZero;

constexpr char kSeparators[] = {'.', ','};

// Expectations are written with '.'; this puts the separator under test there.
std::string withSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') c = separator;
    }
    return text;
}

template <typename T>
struct GeneralCase {
    T value;
    const char* expected;
};

template <typename T>
struct FixedCase {
    T value;
    int decimals;
    const char* expected;
};

// Runs every case under both separators; `text` makes the text of one case.
template <typename Case, typename MakeText>
void expectUnderBothSeparators(const std::vector<Case>& cases, MakeText text) {
    for (char separator : kSeparators) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string("expected ") + c.expected + " separator " + separator);
            EXPECT_EQ(text(c, NumberFormat{separator}), withSeparator(c.expected, separator));
        }
    }
}

template <typename T>
void expectGeneral(const std::vector<GeneralCase<T>>& cases) {
    expectUnderBothSeparators(cases, [](const auto& c, NumberFormat f) { return generalText(c.value, f); });
}

template <typename T>
void expectFixed(const std::vector<FixedCase<T>>& cases) {
    expectUnderBothSeparators(cases, [](const auto& c, NumberFormat f) { return fixedText(c.value, c.decimals, f); });
}

// Doubles in the general format, under both separators.
TEST(GeneralText, DoublesTakeTheShortestFormWithinFifteenDigits) {
    expectGeneral<double>({
        // Guards against binary noise in texts (17-digit output) and against cutting to fewer
        // than 15 significant digits.
        {5.1000000000000005, "5.1"},
        {0.1 + 0.2, "0.3"},
        {-95.9, "-95.9"},
        {2.0 / 3.0, "0.666666666666667"},
        {-40.0, "-40"},
        {123456789012345.0, "123456789012345"},
        {12345.678901234567, "12345.6789012346"},
        {-0.0, "0"},
        // Guards against exponent form at the wrong magnitude, and against "+" signs, leading
        // exponent zeros or trailing zeros in that form.
        {123456789012345678.0, "1.23456789012346E17"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E15"},
        {1e14, "100000000000000"},
        {-2.5e20, "-2.5E20"},
        {0.00001, "0.00001"},
        {0.0000099999, "9.9999E-6"},
        {-1e-6, "-1E-6"},
        {4.9406564584124654e-324, "4.94065645841247E-324"},
        // Guards against rounding an exact half at the 16th digit to even: halves go away from
        // zero in the general format as in fixed notation.
        {1234567890123445.0, "1.23456789012345E15"},
        {-1234567890123445.0, "-1.23456789012345E15"},
        {1234567890123444.0, "1.23456789012344E15"},
        {-123456789012344.5, "-123456789012345"},
        {999999999999999.5, "1E15"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    });
}

// Guards against extended-precision error in Fahrenheit values showing
// (95.8999999999999999944 must read 95.9), against losing the extended range,
// and against "nan"/"-0" texts.
TEST(GeneralText, ExtendedPrecisionZeroAndNonFinite) {
    constexpr long double inf = std::numeric_limits<long double>::infinity();
    expectGeneral<long double>({
        {35.5L * 1.8L + 32, "95.9"},
        {37.5L * 1.8L + 32, "99.5"},
        {-40.0L * 1.8L + 32, "-40"},
        {0.1L * 3, "0.3"},
        {1e4000L, "1E4000"},
        {1.5e-4000L, "1.5E-4000"},
        {-0.0L, "0"},
        {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        {inf, "INF"},
        {-inf, "-INF"},
    });
}

// Doubles in fixed notation, under both separators.
TEST(FixedText, DoublesRoundExactHalvesAwayFromZeroAndFollowTheStoredValue) {
    double up = 2.8;  // collects error from repeated 0.1 steps: 5.0999999999999970
    while (up < 5.0) up += 0.1;
    double down = 2.8;  // 0.99999999999999833
    while (down > 1.0) down -= 0.1;
    expectFixed<double>({
        // Guards against rounding exact halves to even (or toward zero), including on the negative side.
        {0.125, 2, "0.13"},
        {-0.125, 2, "-0.13"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {0.5, 0, "1"},
        {0.0625, 3, "0.063"},
        // Guards against rounding decimal look-alikes as halves: stored just below the half, they round down.
        {2.675, 2, "2.67"},
        {1.005, 2, "1.00"},
        {0.045, 2, "0.04"},
        {0.1, 18, "0.100000000000000006"},
        // Guards against "-0.00" for small negative values, and against dropping the sign of a
        // negative value that does not round to zero.
        {-0.0, 2, "0.00"},
        {-0.004, 2, "0.00"},
        {-0.4, 0, "0"},
        {-0.005, 2, "-0.01"},  // stored just above the half
        // Guards against lost carries, wrong widths, out-of-range decimal counts and non-finite values.
        {99.5, 0, "100"},
        {-9.999, 2, "-10.00"},
        {5.0, 2, "5.00"},
        {1e20, 2, "100000000000000000000.00"},
        {0.125, 25, "0.125000000000000000"},
        {2.5, -3, "3"},  // clamped to 18 and 0 decimals
        {std::numeric_limits<double>::quiet_NaN(), 2, "NAN"},
        {-std::numeric_limits<double>::infinity(), 2, "-INF"},
        // Guards against a nominal that collects error from repeated 0.1 steps showing it.
        {up, 1, "5.1"},
        {down, 1, "1.0"},
    });
}

// Guards against extended values being rounded through double: 0.045L is
// stored just above the half, unlike the double 0.045.
TEST(FixedText, ExtendedPrecisionValues) {
    expectFixed<long double>({
        {35.5L * 1.8L + 32, 2, "95.90"},
        {37.5L * 1.8L + 32, 0, "100"},
        {-2.5L, 0, "-3"},
        {0.045L, 2, "0.05"},
        {2.675L, 2, "2.67"},
        {-0.001L, 2, "0.00"},
    });
}

template <typename T>
struct WholeCase {
    T value;
    std::int64_t halfEven;
    std::int64_t truncated;
};

template <typename T>
void expectWhole(const std::vector<WholeCase<T>>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << static_cast<long double>(c.value));
        EXPECT_EQ(roundHalfEven(c.value), c.halfEven);
        EXPECT_EQ(truncateTowardZero(c.value), c.truncated);
    }
}

TEST(WholeNumbers, HalfEvenTowardZeroAndSaturating) {
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    const double inf = std::numeric_limits<double>::infinity();
    expectWhole<double>({
        // Guards against halves going away from zero (or up) where the even neighbour is
        // wanted, and against truncation rounding negative values down.
        {2.5, 2, 2},
        {3.5, 4, 3},
        {-2.5, -2, -2},
        {-3.5, -4, -3},
        {-0.5, 0, 0},
        {2.4999999999999996, 2, 2},
        {2.5000000000000004, 3, 2},
        {-95.9, -96, -95},
        {4503599627370497.0, 4503599627370497, 4503599627370497},
        // Guards against undefined conversions of values outside the int64 range.
        {1e300, max, max},
        {-1e300, min, min},
        {inf, max, max},
        {-inf, min, min},
        {std::numeric_limits<double>::quiet_NaN(), 0, 0},
        {9223372036854775808.0, max, max},
        {-9223372036854775808.0, min, min},  // +-2^63
    });
    expectWhole<long double>({
        {35.5L * 1.8L + 32, 96, 95},
        {37.5L * 1.8L + 32, 100, 99},
        {-40.5L, -40, -40},
    });
    if (std::numeric_limits<long double>::digits >= 64) {
        // 2^63 - 0.5 rounds to the even 2^63, one past the largest int64.
        expectWhole<long double>({{9223372036854775807.5L, max, max}, {-9223372036854775807.5L, min, -max}});
    }
}

// Guards against the C locale leaking into the texts: with a comma locale
// active, '.' must still be written when '.' is asked for.
TEST(NumberTexts, IgnoreTheCLocale) {
    const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool found = false;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',') {
            found = true;
            break;
        }
    }
    if (!found) {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "NOT TESTED: no locale with a decimal comma is installed "
                        "(generate de_DE.UTF-8 to run this test)";
    }
    EXPECT_EQ(generalText(95.9, NumberFormat{'.'}), "95.9");
    EXPECT_EQ(generalText(35.5L * 1.8L + 32, NumberFormat{'.'}), "95.9");
    EXPECT_EQ(fixedText(0.125, 2, NumberFormat{'.'}), "0.13");
    EXPECT_EQ(fixedText(0.125L, 2, NumberFormat{'.'}), "0.13");
    EXPECT_EQ(fixedText(1.52L, 2, NumberFormat{';'}), "1;52");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
