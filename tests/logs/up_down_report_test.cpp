#include "logs/up_down_report.h"

#include <gtest/gtest.h>

#include "logs/log_file_starts.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/posix_log_storage.h"
#include "temp_folder.h"

namespace kvx::logs {
namespace {

UpDownReport report(long long clockMhz, std::string startTime, std::string time) {
    UpDownReport r;
    r.date = "12/31/2026";
    r.time = std::move(time);
    r.startTime = std::move(startTime);
    r.polls = "12";
    r.clockRateMhz = clockMhz;
    const char* names[12] = {"Sensor 1",   "Sensor 2",    "Sensor 3",    "Core Voltage", "+3.3 Voltage", "+5 Voltage",
                             "-5 Voltage", "+12 Voltage", "-12 Voltage", "Fan 1",        "Fan 2",        "Fan 3"};
    for (int i = 0; i < 12; ++i) r.rows[i] = {names[i], "1", "2", "1.50"};
    return r;
}

}  // namespace

// Guards against the head lines of the text report cutting or misplacing a
// value that does not fit: a short time gets blanks on its left, a wide one and
// a clock of four digits push the line's end to the right.
TEST(UpDownReport, HeadLinesPadLeftOrGrowButNeverCut) {
    struct Case {
        long long clock;
        const char* start;
        const char* now;
        const char* line3;
        const char* line4;
    };
    const Case cases[] = {
        {450, "9:05:03", "10:15:00", "| 9:05:03 till 10:15:00, number of polls: 12         |",
         "|CPU Speed: 450 MHz                                  |"},
        {1400, "09:05:03 PM", "10:15:00", "|09:05:03 PM till 10:15:00, number of polls: 12         |",
         "|CPU Speed: 1400 MHz                                  |"},
        {12, "09:05:03", "9:05:04", "|09:05:03 till  9:05:04, number of polls: 12         |",
         "|CPU Speed: 12  MHz                                  |"},
    };
    for (const Case& c : cases) {
        const auto lines = upDownTextReport(report(c.clock, c.start, c.now));
        ASSERT_EQ(lines.size(), 22u);
        EXPECT_EQ(lines[1], "|Up and Down Log: 12/31/2026                         |");
        EXPECT_EQ(lines[2], c.line3);
        EXPECT_EQ(lines[3], c.line4);
        EXPECT_EQ(lines[10], "|Core Voltage    |1          |2          |1.50       |");
        EXPECT_EQ(lines[20], "");
    }
}

// Guards against the HTML report being written after its text report failed,
// and against two saves not giving two whole reports.
TEST(UpDownReport, AFailedTextReportStopsTheHtmlReportAndTwoSavesAppendTwoReports) {
    testing::TempFolder folder;
    platform::linux_backend::PosixLogStorage storage;
    platform::linux_backend::BuiltInWindows1252 encoding;
    LogFile files{storage, encoding};
    // No files yet: the text report fails, the HTML file is not created either.
    const UpDownReport r = report(450, "09:05:03", "10:15:00");
    platform::FsStatus failed = WriteUpDownLog(files, folder.programFolder(), {}, r);
    EXPECT_FALSE(failed.ok());
    EXPECT_NE(failed.message.find("updown.txt"), std::string::npos) << failed.message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "updown.htm"));

    ASSERT_TRUE(createMissingLogFiles(files, folder.programFolder(), IntervalLogColumns{}).status.ok());
    ASSERT_TRUE(WriteUpDownLog(files, folder.programFolder(), {}, r).ok());
    ASSERT_TRUE(WriteUpDownLog(files, folder.programFolder(), {}, r).ok());
    EXPECT_EQ(testing::readBytes(folder.path() / "updown.txt"),
              files.encodeLines(upDownTextReport(r)) + files.encodeLines(upDownTextReport(r)));
    EXPECT_EQ(testing::readBytes(folder.path() / "updown.htm"), files.encodeLines(upDownLogHtmlStart()) +
                                                                    files.encodeLines(upDownHtmlReport(r)) +
                                                                    files.encodeLines(upDownHtmlReport(r)));
    // Neither format chosen: nothing is written.
    const std::string before = testing::readBytes(folder.path() / "updown.txt");
    EXPECT_TRUE(WriteUpDownLog(files, folder.programFolder(), {false, false}, r).ok());
    EXPECT_EQ(testing::readBytes(folder.path() / "updown.txt"), before);
}

}  // namespace kvx::logs
