#include "logs/interval_log_format.h"

#include <gtest/gtest.h>

namespace kvx::logs {
namespace {

DisplayedReadings shownReadings() {
    DisplayedReadings shown;
    shown.clockRateMhz = 800;
    shown.temperatures = {
        "35\xC2\xB0"
        "C",
        "--", ""};  // measured, switched off, no reading this poll
    shown.rails = {": 1.98", ": 3.31", ": 5.05", ": -5.10", ": 12.10", ": -11.95"};
    shown.fans = {"4560", "not available", "0"};
    return shown;
}

TEST(IntervalLogRow, OddDisplayTexts) {
    DisplayedReadings shown = shownReadings();
    shown.rails = {":", "", ": ", "x:9", ": 1.98", ": 1.98"};
    shown.fans = {"Fan is not turning", "nothing", "N/A"};
    const IntervalLogRow row = intervalLogRow(shown, "d", "t");
    EXPECT_EQ(row.values[6], "");  // shorter than the ": " prefix
    EXPECT_EQ(row.values[7], "");
    EXPECT_EQ(row.values[8], "");
    EXPECT_EQ(row.values[9], "9");
    EXPECT_EQ(row.values[12], "N/A");
    EXPECT_EQ(row.values[13], "N/A");  // "not" anywhere in the text counts
    EXPECT_EQ(row.values[14], "N/A");
}

TEST(IntervalLogRow, CsvRowUsesTheSeparatorAsItIs) {
    DisplayedReadings shown = shownReadings();
    shown.rails = {": 1,98", ": 3,31", ": 5,05", ": -5,10", ": 12,10", ": -11,95"};  // decimal comma, unquoted
    const IntervalLogRow row = intervalLogRow(shown, "06.12.26", "17:05:03");
    const struct {
        const char* separator;
        const char* line;
    } cases[] = {
        {";",
         "06.12.26;17:05:03;800 MHz;35\xC2\xB0"
         "C;--;;1,98;3,31;5,05;-5,10;12,10;-11,95;4560;N/A;0"},
        {",",
         "06.12.26,17:05:03,800 MHz,35\xC2\xB0"
         "C,--,,1,98,3,31,5,05,-5,10,12,10,-11,95,4560,N/A,0"},
        {"",
         "06.12.2617:05:03800 MHz35\xC2\xB0"
         "C--1,983,315,05-5,1012,10-11,954560N/A0"},
    };
    for (const auto& c : cases) EXPECT_EQ(intervalLogCsvRow(row, c.separator), c.line) << '"' << c.separator << '"';
}

}  // namespace
}  // namespace kvx::logs
