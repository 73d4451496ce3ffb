#include "settings/settings_table.h"
#include "settings/hive_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kvx::settings {
namespace {

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

TEST(SettingsTable, HoldsExactly174ReadsInOrderThenTheProgramPath) {
    ASSERT_EQ(readRows().size(), 174u);
    ASSERT_EQ(settingRows().size(), 175u);
    for (std::size_t i = 0; i < readRows().size(); ++i) EXPECT_EQ(readRows()[i].readNumber, int(i) + 1);
    EXPECT_EQ(settingRows().back().name, "KVX Path");
    EXPECT_FALSE(settingRows().back().isRead());
    EXPECT_EQ(settingRows().back().type, SettingType::String);
}

TEST(SettingsTable, NamesAreUniqueInAnyCaseAndDefaultsHaveTheRowType) {
    std::set<std::string> seen;
    for (const SettingRow& row : settingRows()) {
        EXPECT_TRUE(seen.insert(lower(row.name)).second) << row.name;
        EXPECT_TRUE(hive_names::same(row.name, row.writeName)) << row.name;
        EXPECT_EQ(typeOf(row.defaultValue), row.type) << row.name;
        EXPECT_FALSE(row.description.empty()) << row.name;
        EXPECT_EQ(findSetting(lower(row.writeName)), &row) << row.name;
        const bool isNameField = row.readNumber >= kFirstNameRead && row.readNumber <= kLastNameRead;
        EXPECT_EQ(!row.fixedName.empty(), isNameField) << row.name;
    }
    EXPECT_EQ(findSetting("No Such Setting"), nullptr);
}

// Names that are easy to "correct" by mistake, with their read numbers and defaults.
TEST(SettingsTable, SpellingsReadNumbersAndDefaults) {
    const struct {
        std::string_view name;
        int read;
        SettingValue fallback;
    } cases[] = {
        {"MB Tempature Scale", 1, 60.0},
        {"CPU Tempature Scale", 8, 80.0},
        {"C or F", 29, std::string("C")},
        {"Interval", 35, std::int32_t{10000}},
        {"Log File Size Max", 66, std::int32_t{64}},
        {"VUM 1 Name", 92, std::string("Sensor 1")},
        {"WB1 Background", 130, Colour{0xC0C0C0}},
        {"VUMeters Horizontal", 174, false},
    };
    for (const auto& c : cases) {
        const SettingRow* row = findSetting(c.name);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(row->name, c.name);
        EXPECT_EQ(row->readNumber, c.read) << c.name;
        EXPECT_EQ(row->defaultValue, c.fallback) << c.name;
    }
    EXPECT_EQ(findSetting("InterVal")->writeName, "InterVal");
    EXPECT_EQ(findSetting("VUM 1 Name")->fixedName, "Motherboard");
    EXPECT_EQ(findSetting("KVX Path")->readNumber, 0);
}

}  // namespace
}  // namespace kvx::settings
