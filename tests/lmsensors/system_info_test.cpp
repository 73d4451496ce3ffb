#include <gtest/gtest.h>

#include "sensorlib/lmsensors/config_dir.h"
#include "sensorlib/lmsensors/smbus.h"
#include "sensorlib/lmsensors/system_info.h"

using namespace kvx::lmsensors;

TEST(LmsensorsSystemInfo, ClockFromCpuinfo) {
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"processor\t: 0\nmodel name\t: X\ncpu MHz\t\t: 2893.204\ncache size\t: 512 KB\n"
         "processor\t: 1\ncpu MHz\t\t: 1200.000\n",
         2893},
        {"processor\t: 0\nBogoMIPS\t: 50.00\n", std::nullopt},  // arm: no clock line
        {"cpu MHz\t\t: 450.5", 451},                            // no trailing newline
        {"cpu MHz\t\t: 1e300\n", std::nullopt},                 // beyond an int: no clock, not an undefined cast
        {"cpu MHz\t\t: nan\n", std::nullopt},
    };
    for (const auto& [text, mhz] : cases) EXPECT_EQ(clockFromCpuinfo(text), mhz) << text;
}

TEST(LmsensorsSystemInfo, MemoryFromMeminfoIs64Bit) {
    const auto big = memoryFromMeminfo("MemTotal:       65781060 kB\nMemFree:  1000 kB\nMemAvailable:   49335796 kB\n");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->totalBytes, 65781060LL * 1024);  // above 4 GiB: must not wrap
    EXPECT_EQ(big->availableBytes, 49335796LL * 1024);
    EXPECT_EQ(memoryUsePercent(*big), 25);

    const auto old = memoryFromMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->availableBytes, 400 * 1024);
    EXPECT_EQ(memoryUsePercent(*old), 60);

    EXPECT_FALSE(memoryFromMeminfo("garbage\n"));
    // Sizes that would overflow as bytes (signed overflow) are not believed.
    EXPECT_FALSE(memoryFromMeminfo("MemTotal: 9223372036854775807 kB\nMemAvailable: 1 kB\n"));
    EXPECT_FALSE(memoryFromMeminfo("MemTotal: -5 kB\n"));
    const auto huge = memoryFromMeminfo(
        "MemTotal: 1000 kB\nMemFree: 1 kB\nBuffers: 2251799813685247 kB\n"
        "Cached: 2251799813685247 kB\n");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->availableBytes, huge->totalBytes);
    EXPECT_EQ(memoryUsePercent(MemoryInfo{}), 0);
}

TEST(LmsensorsSystemInfo, SmbusBaseFromAdapter) {
    const std::pair<const char*, int> names[] = {
        {"SMBus PIIX4 adapter port 0 at 0b00", 0x0b00},
        {"SMBus nForce2 adapter at 0x4d00", 0x4d00},
        {"Synopsys DesignWare I2C adapter", -1},
        {"odd adapter at 12345", -1},
    };
    for (const auto& [name, base] : names) EXPECT_EQ(ioBaseFromAdapterName(name), base) << name;
    EXPECT_EQ(ioBaseFromPciResource("0x00000000fe000000 0x00000000fe0000ff 0x0000000000140204\n"
                                    "0x0000000000000000 0x0000000000000000 0x0000000000000000\n"
                                    "0x000000000000efa0 0x000000000000efbf 0x0000000000040101\n"),
              0xefa0);
    EXPECT_EQ(ioBaseFromPciResource("0x00000000fe000000 0x00000000fe0000ff 0x0000000000140204\n"), -1);
    EXPECT_EQ(smbusBase("/nonexistent", {3, "i2c without ports"}), 3);
}

TEST(LmsensorsSystemInfo, ConfigFolderOrder) {
    EXPECT_EQ(configDirFrom("/k", "/x", "/h"), "/k");
    EXPECT_EQ(configDirFrom("", "/x", "/h"), "/x/korvex");
    EXPECT_EQ(configDirFrom("", "relative", "/h"), "/h/.config/korvex");
    EXPECT_EQ(configDirFrom("", "", ""), "");
}
