#include "settings/setting_value.h"

#include <gtest/gtest.h>

#include <functional>

namespace kvx::settings {
namespace {

const std::vector<std::uint8_t> k60Bytes = {0, 0, 0, 0, 0, 0, 0x4E, 0x40};  // 60.0, little-endian

// One value stored under "V" (or nothing), read as one type.
struct ReadCase {
    const char* what;
    std::function<void(HiveKey&)> store;
    SettingType type;
    std::optional<SettingValue> expected;  // nothing: the read fails
};

// Guards against a value of the wrong stored type or size being taken instead of failing the read.
TEST(SettingValue, ReadRulesPerType) {
    const ReadCase cases[] = {
        {"integer from dword, two's complement", [](HiveKey& k) { k.setDword("V", 0xFFFFFFFF); }, SettingType::Integer,
         std::int32_t{-1}},
        {"integer stored as text fails", [](HiveKey& k) { k.setString("V", "50"); }, SettingType::Integer,
         std::nullopt},
        {"boolean: any non-zero is true", [](HiveKey& k) { k.setDword("V", 2); }, SettingType::Boolean, true},
        {"boolean missing fails", [](HiveKey&) {}, SettingType::Boolean, std::nullopt},
        {"float from 8 bytes", [](HiveKey& k) { k.setBinary("V", k60Bytes); }, SettingType::Float, 60.0},
        {"float of 4 bytes fails",
         [](HiveKey& k) {
             k.setBinary("V", {0, 0, 0x70, 0x42});
         },
         SettingType::Float, std::nullopt},
        {"float as dword fails", [](HiveKey& k) { k.setDword("V", 60); }, SettingType::Float, std::nullopt},
        {"string missing is empty", [](HiveKey&) {}, SettingType::String, std::string()},
        {"string ends at its first zero byte", [](HiveKey& k) { k.setString("V", std::string("ab\0cd", 5)); },
         SettingType::String, std::string("ab")},
        {"string of another registry type fails",
         [](HiveKey& k) {
             k.set(HiveValue{"V", HiveValueType::Other, "", 0, {'a', 0, 0, 0}, 2});
         },
         SettingType::String, std::nullopt},
        {"colour name in any case", [](HiveKey& k) { k.setString("V", "CLRED"); }, SettingType::Colour,
         Colour{0x0000FF}},
        {"colour number", [](HiveKey& k) { k.setString("V", "$00FF8000"); }, SettingType::Colour, Colour{0x00FF8000}},
        {"colour text that is no colour fails", [](HiveKey& k) { k.setString("V", "bright"); }, SettingType::Colour,
         std::nullopt},
    };
    for (const ReadCase& c : cases) {
        HiveKey key("K");
        c.store(key);
        const SettingRead read = readSetting(key, "v", c.type);  // names match in any case
        EXPECT_EQ(read.value, c.expected) << c.what;
        EXPECT_EQ(read.failure.empty(), read.ok()) << c.what;
    }
}

// Guards against values written in forms other programs reading the hive do not expect.
TEST(SettingValue, WritesInTheStoredForms) {
    HiveKey key("K");
    writeSetting(key, "I", std::int32_t{-20});
    writeSetting(key, "B", true);
    writeSetting(key, "F", 60.0);
    writeSetting(key, "S", std::string("Arial"));
    writeSetting(key, "C", Colour{0xC0C0C0});

    EXPECT_EQ(key.find("I")->dword, 0xFFFFFFECu);
    EXPECT_EQ(key.find("B")->dword, 1u);
    EXPECT_EQ(key.find("F")->bytes, k60Bytes);
    EXPECT_EQ(key.find("S")->text, "Arial");
    EXPECT_EQ(key.find("C")->text, "clSilver");
    EXPECT_EQ(key.find("C")->type, HiveValueType::String);
}

}  // namespace
}  // namespace kvx::settings
