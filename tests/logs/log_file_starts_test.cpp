#include "logs/log_file_starts.h"
#include "logs/log_file_names.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/posix_log_storage.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include "unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace kvx::logs {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

const std::string kBorder1 =
    "+--------+--------+-------+-----------------------------------+---------------------------------+"
    "-----------------------------+\r\n";
const std::string kTitles1 =
    "|        |        |       |            Temperature            |             Voltages            |"
    "              Fans           |\r\n";
const std::string kBorder3 =
    "+--------+--------+-------+-----------+-----------+-----------+----+----+----+-----+-----+------+"
    "---------+---------+---------+\r\n";

const std::string kDefaultTextHeader =
    kBorder1 + kTitles1 + kBorder3 +
    "|  Date  |  Time  | Speed |Sensor 1   |Sensor 2   |Sensor 3   |Core|+3.3| +5 | -5  | +12 | -12  |"
    "Fan 1    |Fan 2    |Fan 3    |\r\n" +
    kBorder3;

const std::string kWarningHtmlStart = "<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n<table border=\"1\"> \r\n";
const std::string kUpDownHtmlStart = "<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n";

// Names with characters outside ASCII, a decimal comma and another +3.3 nominal.
IntervalLogColumns customColumns() {
    IntervalLogColumns columns;
    columns.sensorNames = {"Geh\xC3\xA4use", "CPU \xC2\xB0", "Sensor 3"};
    columns.fanNames = {
        "L\xC3\xBC"
        "fter 1",
        "Fan 2", "Fan 3"};
    columns.p33Nominal = 3.4;
    columns.numbers.decimalSeparator = ',';
    return columns;
}

class LogFileStartsTest : public ::testing::Test {
protected:
    fs::path file(std::string_view name) const { return folder_.path() / name; }

    testing::TempFolder folder_;
    platform::linux_backend::PosixLogStorage storage_;
    platform::linux_backend::BuiltInWindows1252 encoding_;
    LogFile files_{storage_, encoding_};
};

// Widths count characters in the file, not UTF-8 bytes; the HTML title stays "+3.3".
TEST_F(LogFileStartsTest, IntervalHeadersWithOwnNamesAndDecimalComma) {
    const IntervalLogColumns columns = customColumns();
    EXPECT_EQ(files_.encodeLines(intervalLogTextHeader(columns)),
              kBorder1 + kTitles1 + kBorder3 +
                  "|  Date  |  Time  | Speed |Geh\xE4use    |CPU \xB0      |Sensor 3   |Core|+3,4| +5 | -5  |"
                  " +12 | -12  |L\xFC"
                  "fter 1 |Fan 2    |Fan 3    |\r\n" +
                  kBorder3);
    EXPECT_NE(
        files_.encodeLines(intervalLogHtmlHeader(columns))
            .find("<td>Speed</td><td>Geh\xE4use</td><td>CPU \xB0</td><td>Sensor 3</td><td>Core</td><td>+3.3</td>"),
        std::string::npos);
    EXPECT_EQ(files_.encodeLines(intervalLogCsvHeader(columns)),
              "Date;Time;Speed;Geh\xE4use;CPU \xB0;Sensor 3;Core;+3,4 Volt;+5 Volt;-5 Volt;+12 Volt;-12 Volt;"
              "L\xFC"
              "fter 1;Fan 2;Fan 3\r\n");
}

TEST_F(LogFileStartsTest, NominalVoltageTitleIsTheShortestText) {
    IntervalLogColumns columns;
    struct {
        double nominal;
        const char* textCells;
        const char* csvCells;
    } const cases[] = {
        {3.0, "|Core|+3  | +5 |", ";Core;+3 Volt;"},
        {3.0 + 0.1 + 0.1 + 0.1, "|Core|+3.3| +5 |", ";Core;+3.3 Volt;"},  // stepped by the spin button
    };
    for (const auto& c : cases) {
        columns.p33Nominal = c.nominal;
        EXPECT_NE(intervalLogTextHeader(columns)[3].find(c.textCells), std::string::npos) << c.textCells;
        EXPECT_NE(intervalLogCsvHeader(columns)[0].find(c.csvCells), std::string::npos) << c.csvCells;
    }
}

// Guards against a missing log file left uncreated or started with the wrong
// first lines, also in a folder given without its trailing "/", and an erase of
// the interval log that leaves what its files held. The default HTML and CSV
// headers' bytes are followed in a run of the real program.
TEST_F(LogFileStartsTest, AllMissingFilesAreCreatedWithTheirFirstLines) {
    const MissingLogFiles made = createMissingLogFiles(files_, folder_.path().string(), IntervalLogColumns{});
    ASSERT_TRUE(made.status.ok()) << made.status.message;
    EXPECT_EQ(made.created, (std::vector<std::string>{"kvxlog.txt", "kvxlog.htm", "kvxlog.csv", "kvxwarnlog.txt",
                                                      "kvxwarnlog.htm", "updown.txt", "updown.htm"}));
    EXPECT_EQ(readBytes(file("kvxlog.txt")), kDefaultTextHeader);
    EXPECT_EQ(readBytes(file("kvxwarnlog.txt")), "");
    EXPECT_EQ(readBytes(file("kvxwarnlog.htm")), kWarningHtmlStart);
    EXPECT_EQ(readBytes(file("updown.htm")), kUpDownHtmlStart);

    std::vector<std::string> headers;
    for (const char* name : {"kvxlog.txt", "kvxlog.htm", "kvxlog.csv"}) {
        headers.push_back(readBytes(file(name)));
        writeBytes(file(name), std::string(300, 'r'));
    }
    const IntervalLogColumns defaults;
    ASSERT_TRUE(WriteIntervalLogStart(files_, folder_.programFolder(), defaults).ok());
    ASSERT_TRUE(WriteIntervalLogStartHTM(files_, folder_.programFolder(), defaults).ok());
    ASSERT_TRUE(WriteIntervalLogStartCSV(files_, folder_.programFolder(), defaults).ok());
    EXPECT_EQ(headers, (std::vector<std::string>{readBytes(file("kvxlog.txt")), readBytes(file("kvxlog.htm")),
                                                 readBytes(file("kvxlog.csv"))}));
}

// Guards against present logs (even empty ones) being overwritten at start.
TEST_F(LogFileStartsTest, PresentFilesStayByteForByteAndOnlyMissingOnesAreMade) {
    const std::string oldText = "not a header at all\n";
    const std::string oldHtml = "<tr><td>1</td>\x1A</tr></table>\r\n";
    writeBytes(file("kvxlog.txt"), oldText);
    writeBytes(file("kvxlog.csv"), "");  // empty still counts as present
    writeBytes(file("kvxwarnlog.htm"), oldHtml);

    const MissingLogFiles made = createMissingLogFiles(files_, folder_.programFolder(), customColumns());
    ASSERT_TRUE(made.status.ok()) << made.status.message;
    EXPECT_EQ(made.created, (std::vector<std::string>{"kvxlog.htm", "kvxwarnlog.txt", "updown.txt", "updown.htm"}));
    EXPECT_EQ(readBytes(file("kvxlog.txt")), oldText);
    EXPECT_EQ(readBytes(file("kvxlog.csv")), "");
    EXPECT_EQ(readBytes(file("kvxwarnlog.htm")), oldHtml);
    EXPECT_EQ(readBytes(file("kvxlog.htm")), files_.encodeLines(intervalLogHtmlHeader(customColumns())));
    EXPECT_EQ(readBytes(file("updown.htm")), kUpDownHtmlStart);
}

// Runs createMissingLogFiles as user "nobody". Returns the status message ("" = success).
std::string createWithoutPrivileges(const std::string& programFolder) {
    return test::runAsNobody([&] {
        platform::linux_backend::PosixLogStorage storage;
        platform::linux_backend::BuiltInWindows1252 encoding;
        LogFile files(storage, encoding);
        return createMissingLogFiles(files, programFolder, IntervalLogColumns{}).status.message;
    });
}

// Guards against a creation failure reported as success, or named after the wrong file.
TEST_F(LogFileStartsTest, ReadOnlyFolderReportsTheSystemTextForTheFirstMissingFile) {
    writeBytes(file("kvxlog.txt"), "kept");
    fs::permissions(folder_.path(), fs::perms(0555));
    const std::string message = createWithoutPrivileges(folder_.programFolder());
    if (message == test::kCouldNotDropPrivileges) GTEST_SKIP() << "SKIPPED: running as root and setuid(nobody) failed";
    EXPECT_EQ(message, "create " + folder_.programFolder() + "kvxlog.htm: Permission denied");
    EXPECT_EQ(readBytes(file("kvxlog.txt")), "kept");
    EXPECT_FALSE(fs::exists(file("kvxlog.htm")));
}

}  // namespace
}  // namespace kvx::logs
