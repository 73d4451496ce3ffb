#pragma once
#include "settings/hive.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// One setting's value with its type, and how each type is read from and
// written to a key of the settings hive.
namespace kvx::settings {

// The five stored types. The order matches the alternatives of SettingValue.
enum class SettingType { Integer, Boolean, Float, String, Colour };

// A colour as stored: 0x00BBGGRR, or 0x80000000 + index for a system colour.
// A type of its own so that a colour never passes for an integer.
struct Colour {
    std::uint32_t value = 0;
    bool operator==(const Colour&) const = default;
};

using SettingValue = std::variant<std::int32_t, bool, double, std::string, Colour>;

SettingType typeOf(const SettingValue& value);
std::string_view typeName(SettingType type);  // "Integer", "Boolean", ...

// The value in a form fit for messages: 5, true, 60, "Arial", clSilver.
std::string describe(const SettingValue& value);

// What reading one value found: the value, or why it could not be read.
struct SettingRead {
    std::optional<SettingValue> value;
    std::string failure;  // set exactly when there is no value

    bool ok() const { return value.has_value(); }
};

// Reads `name` (any letter case) from `key` as `type`:
//   Integer  a dword must exist, else the read fails; its bits are a signed 32-bit integer.
//   Boolean  as Integer; any non-zero value is true.
//   Float    a binary value of exactly 8 bytes must exist (IEEE-754 double, little-endian).
//   String   a missing value reads as "" and does not fail; a value of another type
//            fails; the text ends at its first zero byte.
//   Colour   read as String, then colourFromText; text that is no colour fails
//            (so does a missing value, as "" is no colour).
SettingRead readSetting(const HiveKey& key, std::string_view name, SettingType type);

// Stores `value` under `name` in its own type: Integer as a dword (two's
// complement), Boolean as dword 1 or 0, Float as 8 bytes of binary, String as a
// string, Colour as the string colourToText gives.
void writeSetting(HiveKey& key, std::string_view name, const SettingValue& value);

}  // namespace kvx::settings
