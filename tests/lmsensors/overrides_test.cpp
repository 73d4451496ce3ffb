// The override hive reader and the meaning of its values.
#include <gtest/gtest.h>

#include "sensorlib/lmsensors/overrides.h"

using namespace kvx::lmsensors;

namespace {
const std::string kHeader = "Windows Registry Editor Version 5.00\n";
const std::string kKey = "[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n";
}  // namespace

TEST(LmsensorsOverrides, HiveTextIsReadFromTheSensorsKeyOnly) {
    struct Case {
        const char* what;
        std::string text;
        std::map<std::string, std::string> values;
        const char* error;  // substring, or "" for none
    } cases[] = {
        {"plain values, names lower-cased", kHeader + kKey + "\"Temp1\"=\"it8728-isa-0a30/temp2\"\n\"FAN2\"=\"none\"",
         {{"temp1", "it8728-isa-0a30/temp2"}, {"fan2", "none"}}, ""},
        {"CRLF, BOM and escapes", "\xEF\xBB\xBF" + kHeader + "\r\n" + kKey + "\"Temp2\"=\"a \\\"b\\\" c\\\\d\"\r\n",
         {{"temp2", "a \"b\" c\\d"}}, ""},
        {"other keys are not ours", kHeader + "[HKEY_CURRENT_USER\\Software\\Korvex]\n\"Temp1\"=dword:00000001\n" + kKey +
             "\"Temp3\"=\"temp3\"\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors\\Sub]\n\"Fan1\"=\"x\"\n",
         {{"temp3", "temp3"}}, ""},
        {"key name case does not matter", kHeader + "[hkey_current_user\\software\\korvex\\SENSORS]\n\"Chip\"=\"lm78-*\"\n",
         {{"chip", "lm78-*"}}, ""},
        {"a deleted value is skipped", kHeader + kKey + "\"Chip\"=-\n", {}, ""},
        {"comments and blank lines", kHeader + "\n; note\n" + kKey + "\n; \"Fan1\"=\"x\"\n", {}, ""},
        {"no header", kKey + "\"Temp1\"=\"temp2\"\n", {}, "t.reg:1"},
        {"a dword in our key", kHeader + kKey + "\"Temp1\"=dword:00000002\n", {}, "t.reg:3"},
        {"unterminated string", kHeader + kKey + "\"Temp1\"=\"temp2\n", {}, "t.reg:3"},
        {"empty file", "", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OverrideValues got = parseOverrideText(c.text, "t.reg");
        EXPECT_EQ(got.values, c.values);
        if (*c.error) EXPECT_NE(got.error.find(c.error), std::string::npos) << got.error;
        else EXPECT_EQ(got.error, "");
    }
}

TEST(LmsensorsOverrides, MissingHiveMeansNoOverrides) {
    const OverrideValues got = readOverrides("/nonexistent/korvex/user.reg");
    EXPECT_TRUE(got.values.empty());
    EXPECT_EQ(got.error, "");
}

TEST(LmsensorsOverrides, ValuesAreInterpreted) {
    Overrides o;
    std::string error;
    ASSERT_TRUE(interpretOverrides({{"chip", "it87*"}, {"smbus", "i2c-3"}, {"temp1", "it8728-isa-0a30 / temp2"},
                                    {"fan3", "NONE"}, {"lm75.8", "CPU Temp"}, {"core1", "in1"}},
                                   o, error))
        << error;
    EXPECT_EQ(o.chip, "it87*");
    EXPECT_EQ(o.smbusAdapter, 3);
    const auto& temp1 = o.slots[slotIndex(Slot::Temp1)];
    ASSERT_TRUE(temp1);
    EXPECT_EQ(temp1->chip, "it8728-isa-0a30");
    EXPECT_EQ(temp1->feature, "temp2");
    EXPECT_TRUE(o.slots[slotIndex(Slot::Fan3)]->none);
    EXPECT_EQ(o.slots[slotIndex(Slot::Lm75Last)]->feature, "CPU Temp");
    EXPECT_EQ(o.slots[slotIndex(Slot::Core1)]->chip, "");
    EXPECT_FALSE(o.slots[slotIndex(Slot::Temp2)]);
}

TEST(LmsensorsOverrides, BadValuesAreRefusedWholly) {
    const std::map<std::string, std::string> cases[] = {
        {{"tmp1", "temp1"}},           {{"lm75.9", "temp1"}}, {{"smbus", "bus3"}},
        {{"temp1", "/temp2"}},         {{"temp1", "chip/"}},  {{"chip", ""}},
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

TEST(LmsensorsOverrides, SlotNames) {
    EXPECT_EQ(slotValueName(Slot::Core0), "Core0");
    EXPECT_EQ(slotValueName(Slot::N5), "N5");
    EXPECT_EQ(slotValueName(Slot::Temp3), "Temp3");
    EXPECT_EQ(slotValueName(Slot::Lm75First), "LM75.1");
    EXPECT_EQ(slotValueName(Slot::Lm75Last), "LM75.8");
}
