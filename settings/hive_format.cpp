#include "settings/hive_format.h"

#include "settings/hive_utf16.h"

namespace kvx::settings::hive_format {

HiveValue typedValue(std::uint32_t registryType, std::vector<std::uint8_t> bytes) {
    HiveValue value;
    if (registryType == kTypeBinary) {
        value.type = HiveValueType::Binary;
        value.bytes = std::move(bytes);
    } else if (registryType == kTypeDword && bytes.size() == 4) {
        value.type = HiveValueType::Dword;
        value.dword = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                      (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    } else if (registryType == kTypeString && hive_utf16::isText(bytes.data(), bytes.size())) {
        std::size_t size = bytes.size();
        if (size >= 2 && bytes[size - 1] == 0 && bytes[size - 2] == 0) size -= 2;  // the terminator
        value.type = HiveValueType::String;
        value.text = hive_utf16::toUtf8(bytes.data(), size);
    } else {
        value.type = HiveValueType::Other;
        value.otherType = registryType;
        value.bytes = std::move(bytes);
    }
    return value;
}

bool needsHexString(std::string_view text) {
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == '\0') return true;
    }
    return false;
}

bool isStringData(std::uint32_t registryType) {
    return registryType == kTypeString || registryType == kTypeExpandString || registryType == kTypeMultiString;
}

std::vector<std::uint8_t> hexStringBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes = hive_utf16::fromUtf8(text);
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

}  // namespace kvx::settings::hive_format
