#include "settings/hive.h"
#include "settings/hive_utf16.h"
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
    key.setString("Fan 1 Name",
                  "L\xC3\xBC"
                  "fter \xF0\x9F\x8C\x80");
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
    EXPECT_EQ(Hive().serialize(), "Windows Registry Editor Version 5.00\r\n\r\n");
}

std::string decoded(const std::string& serialized) {
    if (!serialized.starts_with("\xFF\xFE")) return serialized;
    return hive_utf16::toUtf8(reinterpret_cast<const std::uint8_t*>(serialized.data()) + 2, serialized.size() - 2);
}

// Guards against a file the registry editor misreads: it takes a file without BOM for ANSI, so
// UTF-8 "Mobo °C" came back as "Mobo Â°C", and hex(1) there as ANSI bytes. Only a hive that ASCII
// carries exactly is written as ASCII; any other is UTF-16LE with BOM, like the editor's exports.
TEST(HiveWrite, TheFileIsAsciiOnlyWhenAsciiCarriesEverything) {
    struct Case {
        const char* label;
        std::string keyPath;
        HiveValue value;
        bool utf16;
    };
    using T = HiveValueType;
    const std::string key = kKey;
    const std::string degreeText = std::string("Mobo \xC2\xB0") + "C";
    const Case cases[] = {
        {"an ASCII text", key, {"Path", T::String, "C:\\x \"y\"", 0, {}, 0}, false},
        {"binary data", key, {"Bin", T::Binary, "", 0, {0xff, 0x80}, 0}, false},
        {"a text outside ASCII", key, {"VUM 1 Name", T::String, degreeText, 0, {}, 0}, true},
        {"a value name outside ASCII", key, {"\xC4\x8Cip 1", T::Dword, "", 1, {}, 0}, true},
        {"a key path outside ASCII", key + "\\\xE6\xB8\xA9", {"A", T::Dword, "", 1, {}, 0}, true},
        {"a text with a line break", key, {"Two", T::String, "a\r\nb", 0, {}, 0}, true},
        {"expandable string data", key, {"E", T::Other, "", 0, {0x25, 0, 0, 0}, 2}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Hive hive;
        hive.key(c.keyPath).set(c.value);
        const std::string text = hive.serialize();
        EXPECT_EQ(text.starts_with("\xFF\xFE"), c.utf16);
        if (!c.utf16) {
            for (const char ch : text) EXPECT_LT(static_cast<unsigned char>(ch), 0x80u);
        }
        const HiveParseResult back = Hive::parse(text, "user.reg");
        ASSERT_FALSE(back.fatal());
        EXPECT_TRUE(back.problems.empty());
        EXPECT_EQ(*back.hive, hive);
    }
}

// Guards against "[-x]" (a deletion) for a key "-x", and malformed UTF-8 reaching the file.
TEST(HiveWrite, Utf16LayoutIsTheRegistryEditorExport) {
    Hive hive;
    hive.key(kKey).setString("VUM 1 Name",
                             "Mobo \xC2\xB0"
                             "C");
    hive.key(kKey).setString("Bad", "\xFF");
    hive.key(kKey).setString("Zero", std::string("a\0", 2));
    hive.key("-x").setDword("A", 1);
    const std::string text = hive.serialize();
    ASSERT_TRUE(text.starts_with("\xFF\xFEW\0i\0n\0"));
    EXPECT_EQ(decoded(text),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
              "\"VUM 1 Name\"=\"Mobo \xC2\xB0"
              "C\"\r\n"
              "\"Bad\"=\"\xEF\xBF\xBD\"\r\n"
              "\"Zero\"=hex(1):61,00,00,00,00,00\r\n"
              "\r\n"
              "[\\-x]\r\n"
              "\"A\"=dword:00000001\r\n"
              "\r\n");
}

// Guards against lost or altered values (line breaks and zero bytes in texts
// too), a rewrite that differs, and byte lists wider than eighty columns.
TEST(HiveWrite, RoundTripKeepsEverythingIsByteStableAndWrapsLongByteLists) {
    const Hive hive = richHive();
    const std::string first = hive.serialize();
    const HiveParseResult back = Hive::parse(first, "user.reg");
    ASSERT_FALSE(back.fatal());
    for (const HiveProblem& problem : back.problems) ADD_FAILURE() << problem.text();
    EXPECT_EQ(test::describe(*back.hive), test::describe(hive));
    EXPECT_EQ(*back.hive, hive);
    EXPECT_EQ(back.hive->serialize(), first);

    bool continued = false;
    int wrapped = 0;
    for (const std::string& line : linesOf(decoded(first))) {
        if (line.find(std::string(90, 'N')) == std::string::npos) {
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

// Guards the name index: setting an existing name in another case keeps its
// spelling and place, and after a removal every other value is still found.
TEST(HiveKeyModel, ValuesKeepTheirSpellingAndPlaceAndStayFoundAfterARemoval) {
    HiveKey key(kKey);
    for (int i = 0; i < 5; ++i) key.setDword("V" + std::to_string(i), static_cast<std::uint32_t>(i));
    key.setString("v0", "now text");
    EXPECT_EQ(key.values()[0].name, "V0");
    EXPECT_EQ(key.values()[0].type, HiveValueType::String);
    EXPECT_EQ(key.values()[0].text, "now text");
    EXPECT_TRUE(key.remove("v1"));
    EXPECT_FALSE(key.remove("v1"));
    for (int i : {2, 3, 4}) {
        const HiveValue* value = key.find("v" + std::to_string(i));
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(value->dword, static_cast<std::uint32_t>(i));
    }
    key.setDword("V4", 40);
    key.setDword("V1", 10);
    EXPECT_EQ(key.values()[3].dword, 40u);
    EXPECT_EQ(key.values()[4].name, "V1");
}

// Guards the key index: a copy finds its own keys, not the original's, and a
// reference to a key survives many more keys; paths match in any case and form.
TEST(HiveKeyModel, CopiesFindTheirOwnKeysAndKeyReferencesSurviveMoreKeys) {
    Hive original;
    HiveKey& first = original.key(kKey);
    for (int i = 0; i < 100; ++i) original.key("HKEY_CURRENT_USER\\K" + std::to_string(i));
    first.setDword("A", 1);
    EXPECT_EQ(&original.key("\\hkey_current_user\\\\software\\KORVEX\\"), &first);
    Hive copy = original;
    copy.key(kKey).setDword("A", 2);
    EXPECT_EQ(original.findKey(kKey)->find("a")->dword, 1u);
    EXPECT_EQ(copy.findKey(kKey)->find("a")->dword, 2u);
    original = copy;
    EXPECT_EQ(&original.key(kKey), original.findKey(kKey));
    EXPECT_EQ(original.findKey(kKey)->find("A")->dword, 2u);
    EXPECT_TRUE(copy.removeKey(kKey));
    EXPECT_EQ(copy.findKey(kKey), nullptr);
    EXPECT_NE(original.findKey(kKey), nullptr);
}

}  // namespace
}  // namespace kvx::settings
