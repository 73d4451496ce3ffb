#include "logs/interval_log_rows.h"
#include "logs/log_file_starts.h"
#include "platform/linux/iconv_text_encoding.h"
#include "platform/linux/posix_log_storage.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvx::logs {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;

DisplayedReadings shownReadings() {
    DisplayedReadings shown;
    shown.clockRateMhz = 800;
    shown.temperatures = {
        "35\xC2\xB0"
        "C",
        "--",
        "41\xC2\xB0"
        "C"};
    shown.rails = {": 1.98", ": 3.31", ": 5.05", ": -5.10", ": 12.10", ": -11.95"};
    shown.fans = {"4560", "not available", "0"};
    return shown;
}

class IntervalLogRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(createMissingLogFiles(files_, folder(), IntervalLogColumns{}).status.ok());
        header_ = readBytes(file("kvxlog.htm"));
    }
    std::string folder() const { return folder_.programFolder(); }
    fs::path file(const char* name) const { return folder_.path() / name; }

    // A clock that moves one second every time it is read.
    std::function<DateTimeTexts()> ticking() {
        return [this] { return DateTimeTexts{"12/06/26", "17:05:0" + std::to_string(reads_++)}; };
    }

    testing::TempFolder folder_;
    platform::linux_backend::PosixLogStorage storage_;
    platform::linux_backend::IconvTextEncoding encoding_;
    LogFile files_{storage_, encoding_};
    std::string header_;
    int reads_ = 0;
};

TEST_F(IntervalLogRowsTest, TwoTicksInAllFormats) {
    const IntervalLogFormats all{true, true, true};
    for (int tick = 0; tick < 2; ++tick) {
        const IntervalLogWrite wrote = appendIntervalLogRows(files_, folder(), all, shownReadings(), ",", ticking());
        ASSERT_TRUE(wrote.status.ok()) << wrote.status.message;
        EXPECT_FALSE(wrote.csvSkipped);
    }
    EXPECT_EQ(reads_, 6);  // each format reads the clock for itself

    const std::string text = readBytes(file("kvxlog.txt"));
    EXPECT_TRUE(
        text.ends_with("|12/06/26|17:05:03|800 MHz|35\xB0"
                       "C       |--         |41\xB0"
                       "C       |1.98|3.31|5.05|-5.10|12.10|"
                       "-11.95|4560     |N/A      |0        |\r\n"))
        << text;

    const std::string html = readBytes(file("kvxlog.htm"));
    const std::string cells =
        "<td>800 MHz</td><td>35\xB0"
        "C</td><td>--</td><td>41\xB0"
        "C</td><td>1.98</td>"
        "<td>3.31</td><td>5.05</td><td>-5.10</td><td>12.10</td><td>-11.95</td>"
        "<td>4560</td><td>N/A</td><td>0</td>";
    // The header row's tail is replaced by the rows: all on the header line, one closing tail at the end.
    EXPECT_EQ(html, header_.substr(0, header_.find('\x1A')) + "<tr><td>12/06/26</td><td>17:05:01</td>" + cells +
                        "<tr><td>12/06/26</td><td>17:05:04</td>" + cells + "\x1A</tr></table>\r\n");

    const std::string csv = readBytes(file("kvxlog.csv"));
    EXPECT_TRUE(csv.starts_with("Date;Time;Speed;"));  // the header keeps ";"
    EXPECT_TRUE(
        csv.ends_with("\r\n12/06/26,17:05:02,800 MHz,35\xB0"
                      "C,--,41\xB0"
                      "C,1.98,3.31,5.05,-5.10,12.10,-11.95,4560,N/A,0\r\n"
                      "12/06/26,17:05:05,800 MHz,35\xB0"
                      "C,--,41\xB0"
                      "C,1.98,3.31,5.05,-5.10,12.10,-11.95,4560,N/A,0\r\n"));
}

TEST_F(IntervalLogRowsTest, TextFailureStopsTheTickBeforeHtmlAndCsv) {
    fs::remove(file("kvxlog.txt"));
    const std::string csvBefore = readBytes(file("kvxlog.csv"));
    const IntervalLogWrite wrote = appendIntervalLogRows(files_, folder(), {true, true, true}, shownReadings(), ";",
                                                         ticking());
    EXPECT_TRUE(wrote.status.notFound());
    EXPECT_EQ(wrote.status.message, "open " + folder() + "kvxlog.txt: No such file or directory");
    EXPECT_FALSE(fs::exists(file("kvxlog.txt")));
    EXPECT_EQ(readBytes(file("kvxlog.htm")), header_);
    EXPECT_EQ(readBytes(file("kvxlog.csv")), csvBefore);
}

TEST_F(IntervalLogRowsTest, UnwritableCsvIsSkippedWithoutError) {
    fs::remove(file("kvxlog.csv"));
    const IntervalLogWrite wrote = appendIntervalLogRows(files_, folder(), {false, false, true}, shownReadings(), ";",
                                                         ticking());
    EXPECT_TRUE(wrote.status.ok());
    EXPECT_TRUE(wrote.csvSkipped);
    EXPECT_FALSE(fs::exists(file("kvxlog.csv")));
}

}  // namespace
}  // namespace kvx::logs
