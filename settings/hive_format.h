#pragma once
#include "settings/hive.h"

#include <cstdint>
#include <string_view>
#include <vector>

// What the hive reader and writer agree on beyond plain syntax: the header and
// how registry type numbers of hex(N) data map to value types.
namespace kvx::settings::hive_format {

inline constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

inline constexpr std::uint32_t kTypeString = 1;  // REG_SZ, UTF-16LE with a terminating zero
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;  // little-endian

// The value that hex(registryType) data stands for. Strings (UTF-16LE with
// every surrogate paired), binaries and 4-byte dwords become the plain types;
// everything else, string data that is not such text included, is kept as
// Other with its bytes as they are, so that a save writes it back unchanged.
HiveValue typedValue(std::uint32_t registryType, std::vector<std::uint8_t> bytes);

inline constexpr std::uint32_t kTypeExpandString = 2;
inline constexpr std::uint32_t kTypeMultiString = 7;

// Data of these types is text, which the registry editor decodes in the file's
// own encoding (ANSI in a file without BOM), even when written as hex(N).
bool isStringData(std::uint32_t registryType);

// A text that cannot stand between quotes on one line (it holds a line break or
// a zero byte) is written as hex(1) instead.
bool needsHexString(std::string_view text);
std::vector<std::uint8_t> hexStringBytes(std::string_view text);

}  // namespace kvx::settings::hive_format
