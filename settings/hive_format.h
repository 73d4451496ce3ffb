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
inline constexpr std::uint32_t kTypeDword = 4;   // little-endian

// The value that hex(registryType) data stands for. Strings (UTF-16LE with
// every surrogate paired), binaries and 4-byte dwords become the plain types;
// everything else, string data that is not such text included, is kept as
// Other with its bytes as they are, so that a save writes it back unchanged.
HiveValue typedValue(std::uint32_t registryType, std::vector<std::uint8_t> bytes);

// A text that cannot stand between quotes in the ASCII hive file is written as
// hex(1) (UTF-16LE) instead: one that holds a line break, a zero byte or any
// character outside ASCII. The registry editor reads a file without BOM in the
// machine's ANSI code page, so only ASCII means the same to it everywhere.
bool needsHexString(std::string_view text);
std::vector<std::uint8_t> hexStringBytes(std::string_view text);

}  // namespace kvx::settings::hive_format
