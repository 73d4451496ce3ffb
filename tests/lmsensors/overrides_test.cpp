// The override hive reader and the meaning of its values.
#include <gtest/gtest.h>

#include "sensorlib/lmsensors/overrides.h"
#include "settings/hive_utf16.h"

using namespace kvx::lmsensors;

namespace {
const std::string kHeader = "Windows Registry Editor Version 5.00\n";
const std::string kKey = "[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n";
}  // namespace

TEST(LmsensorsOverrides, HiveTextIsReadFromTheSensorsKeyOnly) {
    const std::string otherKey = "[HKEY_CURRENT_USER\\Software\\Korvex]\n";
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
        {"other keys are not ours", kHeader + otherKey + "\"Temp1\"=dword:00000001\n" + kKey +
             "\"Temp3\"=\"temp3\"\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors\\Sub]\n\"Fan1\"=\"x\"\n",
         {{"temp3", "temp3"}}, ""},
        {"faulty lines in other keys are the program's business",
         kHeader + otherKey + "\"Broken\"=dword:xyz\ngarbage\n" + kKey + "\"Fan1\"=\"fan2\"\n", {{"fan1", "fan2"}}, ""},
        {"key name case and stray backslashes do not matter",
         kHeader + "[hkey_current_user\\software\\\\korvex\\SENSORS\\]\n\"Chip\"=\"lm78-*\"\n", {{"chip", "lm78-*"}}, ""},
        {"the key in two sections: the later value wins",
         kHeader + kKey + "\"Fan1\"=\"fan2\"\n\"Fan2\"=\"fan3\"\n" + otherKey + kKey + "\"fan1\"=\"fan3\"\n",
         {{"fan1", "fan3"}, {"fan2", "fan3"}}, ""},
        {"a string stored as hex(1) is a string",
         kHeader + kKey + "\"Temp1\"=hex(1):74,00,65,00,6d,00,70,00,32,00,00,00\n", {{"temp1", "temp2"}}, ""},
        {"comments and blank lines", kHeader + "\n; note\n" + kKey + "\n; \"Fan1\"=\"x\"\n", {}, ""},
        {"empty file", "", {}, ""},
        {"blank file", "\r\n\n", {}, ""},
        {"no header", kKey + "\"Temp1\"=\"temp2\"\n", {}, "t.reg:1:"},
        {"a dword in our key", kHeader + kKey + "\"Fan1\"=\"fan1\"\n\"Temp1\"=dword:00000002\n", {},
         "t.reg:4: value \"Temp1\" is not a string value"},
        {"a dword in the key's second section",
         kHeader + kKey + "\"Fan1\"=\"fan1\"\n" + otherKey + "\"Temp1\"=dword:1\n" + kKey + "\"TEMP1\"=dword:2\n", {},
         "t.reg:7: value \"TEMP1\" is not a string value"},
        {"unterminated string", kHeader + kKey + "\"Fan1\"=\"fan1\"\n\"Temp1\"=\"temp2\n", {}, "t.reg:4:"},
        {"a line not understood", kHeader + kKey + "Temp1=temp2\n", {}, "t.reg:3:"},
        {"a deletion is not a stored value", kHeader + kKey + "\"Chip\"=-\n", {}, "t.reg:3:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OverrideValues got = parseOverrideText(c.text, "t.reg");
        EXPECT_EQ(got.values, c.values);
        if (*c.error) EXPECT_NE(got.error.find(c.error), std::string::npos) << got.error;
        else EXPECT_EQ(got.error, "");
    }
}

TEST(LmsensorsOverrides, Utf16HiveReportsTheSameLines) {
    const std::string utf8 = kHeader + "\r\n" + kKey + "\"Temp2\"=\"CPU Temp\"\r\n\"Fan3\"=dword:00000001\r\n";
    const std::vector<std::uint8_t> utf16 = kvx::settings::hive_utf16::fromUtf8(utf8);
    const std::string text = "\xFF\xFE" + std::string(utf16.begin(), utf16.end());
    EXPECT_NE(parseOverrideText(text, "u.reg").error.find("u.reg:5: value \"Fan3\""), std::string::npos);

    const std::string good = kHeader + kKey + "\"Temp2\"=\"CPU Temp\"\n";
    const std::vector<std::uint8_t> goodUtf16 = kvx::settings::hive_utf16::fromUtf8(good);
    const OverrideValues got = parseOverrideText("\xFF\xFE" + std::string(goodUtf16.begin(), goodUtf16.end()), "u.reg");
    EXPECT_EQ(got.error, "");
    EXPECT_EQ(got.values, (std::map<std::string, std::string>{{"temp2", "CPU Temp"}}));
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
