// The sensor library's own small readers: whole files, and the /proc and sysfs
// texts parsed without streams.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "sensorlib/lmsensors/file_text.h"
#include "sensorlib/lmsensors/overrides.h"
#include "sensorlib/lmsensors/smbus.h"
#include "sensorlib/lmsensors/system_info.h"

using namespace kvx::lmsensors;

namespace {

std::string tempFolder() {
    char pattern[] = "/tmp/kvx-fr-XXXXXX";
    return ::mkdtemp(pattern);
}

void write(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

}  // namespace

// Guards against a file that cannot be read looking like an empty one (a folder where the
// override hive should be would silently mean "no overrides"), and against lost last lines.
TEST(LmsensorsFileText, OpenedCompleteAndTextAreTold) {
    const std::string folder = tempFolder();
    write(folder + "/empty", "");
    write(folder + "/unterminated", "first\nsecond");
    write(folder + "/binary", std::string("a\0b\n", 4));
    mkdir((folder + "/folder").c_str(), 0700);
    struct Row {
        const char* name;
        bool opened, complete;
        std::string text, firstLine;
    } rows[] = {
        {"missing", false, false, "", ""},
        {"empty", true, true, "", ""},
        {"unterminated", true, true, "first\nsecond", "first"},
        {"binary", true, true, std::string("a\0b\n", 4), std::string("a\0b", 3)},
        {"folder", true, false, "", ""},
    };
    for (const Row& row : rows) {
        const FileText file = readFileText(folder + "/" + row.name);
        EXPECT_EQ(file.opened, row.opened) << row.name;
        EXPECT_EQ(file.complete, row.complete) << row.name;
        EXPECT_EQ(file.text, row.text) << row.name;
        EXPECT_EQ(firstLineOf(folder + "/" + row.name), row.firstLine) << row.name;
    }
    EXPECT_EQ(readOverrides(folder + "/missing").error, "") << "no hive is no error";
    EXPECT_EQ(readOverrides(folder + "/folder").error, folder + "/folder: cannot be read");
    std::filesystem::remove_all(folder);
}

// Guards against the hand-written /proc and sysfs parsers reading differently from the
// kernel's layouts: tabs, a missing trailing newline, values of the wrong type.
TEST(LmsensorsFileText, ProcAndSysfsTextsParseLineByLine) {
    const auto memory = memoryFromMeminfo("MemTotal:\t2000 kB\nMemFree: lots kB\nBogus 5\nMemAvailable:  1500 kB");
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->totalBytes, 2000 * 1024);
    EXPECT_EQ(memory->availableBytes, 1500 * 1024) << "the last line has no newline";
    EXPECT_FALSE(memoryFromMeminfo("MemTotal:\n")) << "a key without a value";
    EXPECT_FALSE(memoryFromMeminfo("MemTotal 2000 kB\n")) << "a key without its colon";
    EXPECT_FALSE(memoryFromMeminfo("")) << "an empty file";

    struct ResourceRow {
        const char* text;
        int base;
    } resources[] = {
        {"0x000000000000efa0 0x000000000000efbf 0x0000000000040101", 0xefa0},  // no trailing newline
        {"  0xefa0 0xefbf 0x40101\n", 0xefa0},                                 // leading blanks
        {"0x000000000000efa0 0x000000000000efbf\n", -1},                       // flags missing
        {"garbage\n0x0000efa0 0x0000efbf 0x00040101\n", 0xefa0},
        {"", -1},
    };
    for (const auto& row : resources) EXPECT_EQ(ioBaseFromPciResource(row.text), row.base) << row.text;
}
