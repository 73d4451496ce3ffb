// The warning log's two formats, byte for byte against files written by hand.
#include "logs/warning_log.h"
#include "logs/log_file_names.h"
#include "logs/log_file_starts.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/posix_log_storage.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace kvx::logs {
namespace {

using testing::readBytes;

class WarningLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(files_.create(path(kWarningLogText), {}).ok());
        ASSERT_TRUE(files_.create(path(kWarningLogHtml), warningLogHtmlStart()).ok());
    }
    std::string path(std::string_view name) const { return logFilePath(folder_.programFolder(), name); }
    platform::FsStatus write(const WarningLogFormats& formats, const char* date, const char* time, const char* text) {
        return writeWarningLog(files_, folder_.programFolder(), formats, date, time, text);
    }

    testing::TempFolder folder_;
    platform::linux_backend::PosixLogStorage storage_;
    platform::linux_backend::BuiltInWindows1252 encoding_;
    LogFile files_{storage_, encoding_};
};

// Guards against padding that counts bytes instead of characters, a long value cut
// short, and an HTML file that keeps more than one closing line.
TEST_F(WarningLogTest, ThreeEntriesInBothFormatsMatchTheFilesWrittenByHand) {
    ASSERT_TRUE(write({}, "06.12.26", "12:00:01",
                      "WARNING: Sensor 1 has reached: 50\xC2\xB0"
                      "C / 122\xC2\xB0"
                      "F")
                    .ok());
    ASSERT_TRUE(write({}, "06.12.26", "12:00:05", "12:00:05 - Launched ShutDown Now! on Big Motherboard Alarm").ok());
    ASSERT_TRUE(write({}, "06.12.2026", "12:00:09", "CPU Idle could not be found by KVX").ok());
    const std::string golden = std::string(KVX_TEST_DATA_DIR) + "/warning-log-three-entries";
    EXPECT_EQ(readBytes(path(kWarningLogText)), readBytes(golden + ".txt"));
    EXPECT_EQ(readBytes(path(kWarningLogHtml)), readBytes(golden + ".htm"));
}

// Guards against a format written although its box is off.
TEST_F(WarningLogTest, OnlyTheChosenFormatsAreWritten) {
    const std::string htmlStart = readBytes(path(kWarningLogHtml));
    ASSERT_TRUE(write({.text = true, .html = false}, "06.12.26", "12:00:01", "CPU Idle was closed by KVX.").ok());
    EXPECT_NE(readBytes(path(kWarningLogText)), "");
    EXPECT_EQ(readBytes(path(kWarningLogHtml)), htmlStart);
    ASSERT_TRUE(write({.text = false, .html = false}, "06.12.26", "12:00:02", "nothing").ok());
    EXPECT_EQ(readBytes(path(kWarningLogText)).find("nothing"), std::string::npos);
}

// Guards against a failed write reported as success, and the later format written after it.
TEST_F(WarningLogTest, AMissingFileEndsTheEntryWithItsError) {
    std::filesystem::remove(path(kWarningLogText));
    const std::string htmlStart = readBytes(path(kWarningLogHtml));
    platform::FsStatus status = write({}, "06.12.26", "12:00:01", "WARNING: Fan 2 has reached: 1200 RPM");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find(std::string(kWarningLogText)), std::string::npos) << status.message;
    EXPECT_EQ(readBytes(path(kWarningLogHtml)), htmlStart);
}

}  // namespace
}  // namespace kvx::logs
