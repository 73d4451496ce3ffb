#include "settings/hive.h"
#include "tests/settings/hive_describe.h"

#include <gtest/gtest.h>


namespace kvx::settings {
namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Korvex";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CRLF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A hive with every kind of value and the awkward texts.
Hive richHive() {
    Hive hive;
    HiveKey& key = hive.key(kKey);
    key.setBinary("MB Tempature Scale", {0, 0, 0, 0, 0, 0, 0x4e, 0x40});
    key.setDword("InterVal", 10000);
    key.setDword("LM78 Compensation", static_cast<std::uint32_t>(-20));
    key.setString("MB Alarm Path", "C:\\Program Files\\Say \"hi\".exe");
    key.setString("Fan 1 Name", "L\xC3\xBC" "fter \xF0\x9F\x8C\x80");
    key.setString("Empty", "");
    key.setString("Two lines", "first\r\nsecond\n");
    key.setString(std::string("With zero\0inside", 16), std::string("a\0b", 3));
    key.setString("", "default value");
    HiveValue expand;
    expand.name = "Expand";
    expand.type = HiveValueType::Other;
    expand.otherType = 0x2;
    expand.bytes = {0x25, 0, 0, 0};
    key.set(expand);
    std::vector<std::uint8_t> large(300);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7);
    key.setBinary("Large", large);
    key.setBinary(std::string(90, 'N'), {1, 2, 3});
    hive.key(std::string(kKey) + "\\Empty sub-key");
    hive.key("HKEY_CURRENT_USER\\Software\\Other").setDword("A", 1);
    return hive;
}

TEST(HiveWrite, LayoutIsTheRegistryEditorExport) {
    Hive hive;
    HiveKey& key = hive.key(kKey);
    key.setString("C or F", "C");
    key.setDword("Interval", 10000);
    key.setBinary("Voltage Off", {0, 0, 0, 0, 0, 0, 0x24, 0x40});
    key.setString("", "x");
    hive.key(std::string(kKey) + "\\Sub");
    EXPECT_EQ(hive.serialize(),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
              "\"C or F\"=\"C\"\r\n"
              "\"Interval\"=dword:00002710\r\n"
              "\"Voltage Off\"=hex:00,00,00,00,00,00,24,40\r\n"
              "@=\"x\"\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Korvex\\Sub]\r\n"
              "\r\n");
}

TEST(HiveWrite, EmptyHiveIsJustTheHeader) {
    EXPECT_EQ(Hive().serialize(), "Windows Registry Editor Version 5.00\r\n\r\n");
    const HiveParseResult back = Hive::parse(Hive().serialize(), "x");
    ASSERT_FALSE(back.fatal());
    EXPECT_EQ(*back.hive, Hive());
}

// Guards against lost or altered values (line breaks and zero bytes in texts too) and a rewrite that differs.
TEST(HiveWrite, RoundTripKeepsEverythingAndIsByteStable) {
    const Hive hive = richHive();
    const std::string first = hive.serialize();
    const HiveParseResult back = Hive::parse(first, "user.reg");
    ASSERT_FALSE(back.fatal());
    for (const HiveProblem& problem : back.problems) ADD_FAILURE() << problem.text();
    EXPECT_EQ(test::describe(*back.hive), test::describe(hive));
    EXPECT_EQ(*back.hive, hive);
    EXPECT_EQ(back.hive->serialize(), first);
    EXPECT_EQ(richHive().serialize(), first);
}

TEST(HiveWrite, LongByteListsWrapWithinEightyColumns) {
    const std::string text = richHive().serialize();
    bool continued = false;
    int wrapped = 0;
    for (const std::string& line : linesOf(text)) {
        const bool longName = line.find(std::string(90, 'N')) != std::string::npos;
        if (!longName) {
            EXPECT_LE(line.size(), 80u) << line;
        }
        if (continued) {
            EXPECT_TRUE(line.starts_with("  ")) << line;
        }
        continued = line.ends_with("\\");  // only byte lists end so; texts end in a quote
        if (continued) ++wrapped;
    }
    EXPECT_GT(wrapped, 10);  // 300 bytes take 13 lines
}

TEST(HiveKeyModel, SettingAnExistingNameKeepsItsSpellingAndPlace) {
    HiveKey key(kKey);
    key.setDword("Interval", 1);
    key.setDword("Other", 2);
    key.setString("INTERVAL", "now text");
    ASSERT_EQ(key.size(), 2u);
    EXPECT_EQ(key.values()[0].name, "Interval");
    EXPECT_EQ(key.values()[0].type, HiveValueType::String);
    EXPECT_EQ(key.values()[0].text, "now text");
    EXPECT_TRUE(key.remove("other"));
    EXPECT_FALSE(key.remove("other"));
    EXPECT_EQ(key.size(), 1u);
}

TEST(HiveKeyModel, KeyReferencesSurviveMoreKeys) {
    Hive hive;
    HiveKey& first = hive.key("HKEY_CURRENT_USER\\A");
    for (int i = 0; i < 100; ++i) hive.key("HKEY_CURRENT_USER\\K" + std::to_string(i));
    first.setDword("x", 1);
    EXPECT_NE(hive.findKey("hkey_current_user\\a")->find("X"), nullptr);
    EXPECT_EQ(&hive.key("\\HKEY_CURRENT_USER\\\\A\\"), &first);
    EXPECT_TRUE(hive.removeKey("HKEY_CURRENT_USER\\a"));
    EXPECT_EQ(hive.findKey("HKEY_CURRENT_USER\\A"), nullptr);
}

}  // namespace
}  // namespace kvx::settings
