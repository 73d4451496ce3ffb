// The override hive reader and the meaning of its values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sensorlib/lmsensors/overrides.h"
#include "sensorlib/lmsensors/smbus.h"

using namespace kvx::lmsensors;

namespace {
const std::string kHeader = "Windows Registry Editor Version 5.00\n";
const std::string kKey = "[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n";
}  // namespace

// The file format itself is the settings hive's (tested there); these are the override key's own rules.
TEST(LmsensorsOverrides, HiveTextIsReadFromTheSensorsKeyOnly) {
    const std::string otherKey = "[HKEY_CURRENT_USER\\Software\\Korvex]\n";
    struct Case {
        const char* what;
        std::string text;
        std::map<std::string, std::string> values;
        const char* error;  // substring, or "" for none
    } cases[] = {
        {"plain values, names lower-cased",
         kHeader + kKey + "\"Temp1\"=\"it8728-isa-0a30/temp2\"\n\"FAN2\"=\"none\"",
         {{"temp1", "it8728-isa-0a30/temp2"}, {"fan2", "none"}},
         ""},
        {"other keys are not ours",
         kHeader + otherKey + "\"Temp1\"=dword:00000001\n" + kKey +
             "\"Temp3\"=\"temp3\"\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors\\Sub]\n\"Fan1\"=\"x\"\n",
         {{"temp3", "temp3"}},
         ""},
        {"faulty lines in other keys are the program's business",
         kHeader + otherKey + "\"Broken\"=dword:xyz\ngarbage\n" + kKey + "\"Fan1\"=\"fan2\"\n",
         {{"fan1", "fan2"}},
         ""},
        {"the key in two sections: the later value wins",
         kHeader + kKey + "\"Fan1\"=\"fan2\"\n\"Fan2\"=\"fan3\"\n" + otherKey + kKey + "\"fan1\"=\"fan3\"\n",
         {{"fan1", "fan3"}, {"fan2", "fan3"}},
         ""},
        {"blank file", "\r\n\n", {}, ""},
        {"no header", kKey + "\"Temp1\"=\"temp2\"\n", {}, "t.reg:1:"},
        {"a dword in the key's second section",
         kHeader + kKey + "\"Fan1\"=\"fan1\"\n" + otherKey + "\"Temp1\"=dword:1\n" + kKey + "\"TEMP1\"=dword:2\n",
         {},
         "t.reg:7: value \"TEMP1\" is not a string value"},
        {"unterminated string", kHeader + kKey + "\"Fan1\"=\"fan1\"\n\"Temp1\"=\"temp2\n", {}, "t.reg:4:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OverrideValues got = parseOverrideText(c.text, "t.reg");
        EXPECT_EQ(got.values, c.values);
        if (*c.error) EXPECT_NE(got.error.find(c.error), std::string::npos) << got.error;
        else EXPECT_EQ(got.error, "");
    }
}

TEST(LmsensorsOverrides, ValuesAreInterpreted) {
    Overrides o;
    std::string error;
    ASSERT_TRUE(interpretOverrides({{"chip", "it87*"},
                                    {"smbus", "i2c-3"},
                                    {"temp1", "it8728-isa-0a30 / temp2"},
                                    {"fan3", "NONE"},
                                    {"lm75.8", "CPU Temp"},
                                    {"core1", "in1"}},
                                   o, error))
        << error;
    EXPECT_EQ(o.smbusAdapter, 3);
    const auto& temp1 = o.slots[slotIndex(Slot::Temp1)];
    ASSERT_TRUE(temp1);
    EXPECT_EQ(temp1->chip + "|" + temp1->feature, "it8728-isa-0a30|temp2") << "spaces around '/' dropped";
    EXPECT_TRUE(o.slots[slotIndex(Slot::Fan3)]->none);
    EXPECT_EQ(o.slots[slotIndex(Slot::Lm75Last)]->feature, "CPU Temp");
    EXPECT_FALSE(o.slots[slotIndex(Slot::Temp2)]);
}

TEST(LmsensorsOverrides, BadValuesAreRefusedWholly) {
    const std::map<std::string, std::string> cases[] = {
        {{"tmp1", "temp1"}},
        {{"lm75.9", "temp1"}},
        {{"smbus", "bus3"}},
        {{"temp1", "chip/"}},
        {{"temp1", "temp1"}, {"fan4", "fan4"}},
    };
    for (const auto& values : cases) {
        Overrides o;
        o.chip = "kept";
        std::string error;
        EXPECT_FALSE(interpretOverrides(values, o, error)) << values.begin()->first;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(o.chip, "kept");
    }
}

// Guards against std::stoi throwing through the C boundary (an abort at every start) on an adapter number.
TEST(LmsensorsOverrides, SmbusAdapterNumbersAreCheckedNotThrown) {
    struct Case {
        const char* value;
        int adapter;        // when accepted
        const char* error;  // substring, or "" when accepted
    } cases[] = {
        {"i2c-0", 0, ""},
        {"I2C-007", 7, ""},
        {" i2c-2147483647 ", 2147483647, ""},
        {"none", -1, ""},
        {"i2c-2147483648", 0, "\"i2c-2147483648\": the adapter number is out of range 0..2147483647"},
        {"i2c-999999999999999999999999999999", 0, "the adapter number is out of range"},
        {"i2c--1", 0, "must be i2c-N or none, not \"i2c--1\""},
        {"", 0, "must be i2c-N or none"},
        {"i2c-3x", 0, "must be i2c-N or none"},
        {"i2c-+3", 0, "must be i2c-N or none"},
        {"i2c-3 4", 0, "must be i2c-N or none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Overrides o;
        std::string error, faulty;
        const bool ok = interpretOverrides({{"smbus", c.value}}, o, error, &faulty);
        if (!*c.error) {
            ASSERT_TRUE(ok) << error;
            EXPECT_EQ(o.smbusAdapter, c.adapter);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            EXPECT_EQ(faulty, "smbus") << "names the value, so the caller can give its line";
        }
    }
}

// Guards against an abort on an i2c-adapter folder whose number does not fit an int.
TEST(LmsensorsSmbus, AdapterFoldersWithImpossibleNumbersAreSkipped) {
    const std::filesystem::path root = std::filesystem::path(testing::TempDir()) / "kvx-smbus-adapters";
    std::filesystem::remove_all(root);
    for (const char* dir : {"i2c-3", "i2c-2147483647", "i2c-2147483648", "i2c-99999999999", "i2c-", "i2c-1x"}) {
        std::filesystem::create_directories(root / "class/i2c-adapter" / dir);
        std::ofstream(root / "class/i2c-adapter" / dir / "name") << "adapter " << dir << "\n";
    }
    const std::vector<AdapterInfo> adapters = listI2cAdapters(root.string());
    std::vector<int> numbers;
    numbers.reserve(adapters.size());
    for (const AdapterInfo& a : adapters) numbers.push_back(a.number);
    EXPECT_EQ(numbers, (std::vector<int>{3, 2147483647}));
    std::filesystem::remove_all(root);
}
