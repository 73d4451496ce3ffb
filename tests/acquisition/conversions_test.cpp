// Texts of temperatures, rails and fans, under both decimal separators.
#include <gtest/gtest.h>

#include "acquisition/conversions.h"

using namespace kvx::acquisition;

namespace {

TemperatureTextRules rules(bool celsius, bool roundF, char separator = '.') {
    TemperatureTextRules r;
    r.celsius = celsius;
    r.roundFahrenheit = roundF;
    r.number.decimalSeparator = separator;
    return r;
}

}  // namespace

// Guards against the per-sensor Round °F rule (cut for 1 and 3, nearest-even for 2) being applied uniformly.
TEST(TemperatureText, RoundFahrenheitDiffersBySensor) {
    struct Case {
        int sensor;
        float celsius;
        bool celsiusShown;
        bool roundF;
        const char* expected;
    };
    const Case cases[] = {
        {1, 35.5f, false, true, "95°F"},  // 95.9 cut
        {2, 35.5f, false, true, "96°F"},  // 95.9 to the nearest
        {3, 36.0f, false, true, "96°F"},  // sensor 3 reads 35.5 rounded to 36 first: 96.8 cut
        {1, 35.5f, false, false, "95.9°F"},
        {1, 35.5f, true, true, "35.5°C"},
        {2, 40.5f, true, true, "40.5°C"},
        {2, 36.25f, false, true, "97°F"},              // 97.25
        {2, -17.5f, false, true, "0°F"},               // 0.5 rounds to the even 0
        {1, 41.3f, true, true, "41.2999992370605°C"},  // a single-precision value written with 15 digits
        {1, -1.0f, true, true, "-1°C"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(temperatureText(c.sensor, c.celsius, rules(c.celsiusShown, c.roundF)), c.expected)
            << "sensor " << c.sensor << " at " << c.celsius;
}

TEST(TemperatureText, FollowsTheLocaleSeparatorAndTheDegreeString) {
    auto r = rules(true, true, ',');
    r.degree = "";
    EXPECT_EQ(temperatureText(2, 40.5f, r), "40,5C");
    r.celsius = false;
    r.roundFahrenheit = false;
    EXPECT_EQ(temperatureText(2, 40.5f, r), "104,9F");
}

TEST(TemperatureText, ExtremesAndSumsUseTheShownUnit) {
    EXPECT_EQ(temperatureExtremeText(35.5, rules(true, true)), "36");  // half away from zero
    EXPECT_EQ(temperatureExtremeText(34.5, rules(true, true)), "35");
    EXPECT_EQ(temperatureExtremeText(35.5, rules(false, true)), "95");
    EXPECT_EQ(temperatureExtremeText(35.5, rules(false, false, ',')), "95,9");
    EXPECT_EQ(temperatureInShownUnit(35.0, rules(false, true)), 95.0L);
    EXPECT_EQ(temperatureInShownUnit(35.5, rules(true, true)), 35.5L);
}

TEST(RailAndFanTexts, MatchTheWindowsFormats) {
    EXPECT_EQ(railText(1.52, {'.'}), ": 1.52");
    EXPECT_EQ(railText(-11.9, {','}), ": -11,90");
    EXPECT_EQ(railText(2.005, {'.'}), ": 2.00");  // 2.005 is stored just below the half
    EXPECT_EQ(fanText(1, 255, 1), "not available");
    EXPECT_EQ(fanText(1, 4500, 2), "2250");
    EXPECT_EQ(fanText(2, 4501, 2), "2250");
    EXPECT_EQ(fanText(3, 4501, 2), "2250");
    EXPECT_EQ(fanText(3, 4501, 1), "4501");
    EXPECT_DOUBLE_EQ(calculatePerc(12.0, 10.0), 1.2);
}
