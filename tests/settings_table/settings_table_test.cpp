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

// Guards against a table that reads out of order, loses the program path as the
// last row, or holds two names that the hive (which ignores case) takes for one.
TEST(SettingsTable, ReadsInOrderThenTheProgramPathAndEveryRowIsWellFormed) {
    ASSERT_EQ(readRows().size(), 174u);
    ASSERT_EQ(settingRows().size(), 175u);
    for (std::size_t i = 0; i < readRows().size(); ++i) EXPECT_EQ(readRows()[i].readNumber, int(i) + 1);
    EXPECT_EQ(settingRows().back().name, "KVX Path");
    EXPECT_FALSE(settingRows().back().isRead());

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

}  // namespace
}  // namespace kvx::settings
