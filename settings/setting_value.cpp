#include "settings/setting_value.h"

#include "settings/colour_text.h"

#include <bit>
#include <charconv>
#include <vector>

namespace kvx::settings {
namespace {

SettingRead failed(std::string why) {
    SettingRead read;
    read.failure = std::move(why);
    return read;
}

SettingRead succeeded(SettingValue value) {
    SettingRead read;
    read.value = std::move(value);
    return read;
}

std::string_view storedTypeName(HiveValueType type) {
    switch (type) {
        case HiveValueType::String: return "a string";
        case HiveValueType::Dword: return "a dword";
        case HiveValueType::Binary: return "binary data";
        case HiveValueType::Other: return "data of another registry type";
    }
    return "data of an unknown type";
}

SettingRead readDword(const HiveValue* stored, SettingType type) {
    if (stored == nullptr) return failed("missing");
    if (stored->type != HiveValueType::Dword) {
        return failed("stored as " + std::string(storedTypeName(stored->type)) + ", not a dword");
    }
    if (type == SettingType::Boolean) return succeeded(stored->dword != 0);
    return succeeded(static_cast<std::int32_t>(stored->dword));
}

SettingRead readDouble(const HiveValue* stored) {
    if (stored == nullptr) return failed("missing");
    if (stored->type != HiveValueType::Binary) {
        return failed("stored as " + std::string(storedTypeName(stored->type)) + ", not binary data");
    }
    if (stored->bytes.size() != 8) {
        return failed("binary data of " + std::to_string(stored->bytes.size()) + " bytes, not 8");
    }
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{stored->bytes[i]} << (8 * i);
    return succeeded(std::bit_cast<double>(bits));
}

// The text of a string value up to its first zero byte; "" when missing.
SettingRead readText(const HiveValue* stored) {
    if (stored == nullptr) return succeeded(std::string());
    if (stored->type != HiveValueType::String) {
        return failed("stored as " + std::string(storedTypeName(stored->type)) + ", not a string");
    }
    return succeeded(stored->text.substr(0, stored->text.find('\0')));
}

SettingRead readColour(const HiveValue* stored) {
    SettingRead text = readText(stored);
    if (!text.ok()) return text;
    const std::string& colourText = std::get<std::string>(*text.value);
    const std::optional<std::uint32_t> colour = colourFromText(colourText);
    if (!colour) {
        return failed(stored == nullptr ? "missing" : "text \"" + colourText + "\" is no colour");
    }
    return succeeded(Colour{*colour});
}

std::vector<std::uint8_t> doubleBytes(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> bytes(8);
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return bytes;
}

}  // namespace

SettingType typeOf(const SettingValue& value) { return static_cast<SettingType>(value.index()); }

std::string_view typeName(SettingType type) {
    switch (type) {
        case SettingType::Integer: return "Integer";
        case SettingType::Boolean: return "Boolean";
        case SettingType::Float: return "Float";
        case SettingType::String: return "String";
        case SettingType::Colour: return "Colour";
    }
    return "Unknown";
}

std::string describe(const SettingValue& value) {
    struct Describer {
        std::string operator()(std::int32_t number) const { return std::to_string(number); }
        std::string operator()(bool flag) const { return flag ? "true" : "false"; }
        std::string operator()(double number) const {
            char buffer[32];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
            return std::string(buffer, end);
        }
        std::string operator()(const std::string& text) const { return "\"" + text + "\""; }
        std::string operator()(Colour colour) const { return colourToText(colour.value); }
    };
    return std::visit(Describer{}, value);
}

SettingRead readSetting(const HiveKey& key, std::string_view name, SettingType type) {
    const HiveValue* stored = key.find(name);
    switch (type) {
        case SettingType::Integer:
        case SettingType::Boolean: return readDword(stored, type);
        case SettingType::Float: return readDouble(stored);
        case SettingType::String: return readText(stored);
        case SettingType::Colour: return readColour(stored);
    }
    return failed("unknown setting type");
}

void writeSetting(HiveKey& key, std::string_view name, const SettingValue& value) {
    struct Writer {
        HiveKey& key;
        std::string_view name;
        void operator()(std::int32_t number) const { key.setDword(name, static_cast<std::uint32_t>(number)); }
        void operator()(bool flag) const { key.setDword(name, flag ? 1u : 0u); }
        void operator()(double number) const { key.setBinary(name, doubleBytes(number)); }
        void operator()(const std::string& text) const { key.setString(name, text); }
        void operator()(Colour colour) const { key.setString(name, colourToText(colour.value)); }
    };
    std::visit(Writer{key, name}, value);
}

}  // namespace kvx::settings
