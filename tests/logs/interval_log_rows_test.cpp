// The rows of every format are followed in a run of the real program; this
// guards the failures of one tick: a failed text row that lets the other
// formats run on, and a missing CSV file that stops the tick.
#include "logs/interval_log_rows.h"
#include "logs/log_file_starts.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/posix_log_storage.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvx::logs {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;

TEST(IntervalLogRows, ATextFailureStopsTheTickAndAMissingCsvIsSkipped) {
    testing::TempFolder folder;
    platform::linux_backend::PosixLogStorage storage;
    platform::linux_backend::BuiltInWindows1252 encoding;
    LogFile files{storage, encoding};
    ASSERT_TRUE(createMissingLogFiles(files, folder.programFolder(), IntervalLogColumns{}).status.ok());
    const std::string html = readBytes(folder.path() / "kvxlog.htm");
    const std::string csv = readBytes(folder.path() / "kvxlog.csv");
    DisplayedReadings shown;
    shown.temperatures = {
        "35\xC2\xB0"
        "C",
        "--", ""};
    auto clock = [] { return DateTimeTexts{"12/06/26", "17:05:00"}; };

    fs::remove(folder.path() / "kvxlog.txt");
    IntervalLogWrite wrote = appendIntervalLogRows(files, folder.programFolder(), {true, true, true}, shown, ";",
                                                   clock);
    EXPECT_EQ(wrote.status.message, "open " + folder.programFolder() + "kvxlog.txt: No such file or directory");
    EXPECT_TRUE(wrote.status.notFound());
    EXPECT_FALSE(fs::exists(folder.path() / "kvxlog.txt"));
    EXPECT_EQ(readBytes(folder.path() / "kvxlog.htm"), html);
    EXPECT_EQ(readBytes(folder.path() / "kvxlog.csv"), csv);

    fs::remove(folder.path() / "kvxlog.csv");
    wrote = appendIntervalLogRows(files, folder.programFolder(), {false, false, true}, shown, ";", clock);
    EXPECT_TRUE(wrote.status.ok());
    EXPECT_TRUE(wrote.csvSkipped);
    EXPECT_FALSE(fs::exists(folder.path() / "kvxlog.csv"));
}

}  // namespace
}  // namespace kvx::logs
