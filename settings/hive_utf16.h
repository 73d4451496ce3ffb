#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// UTF-16LE, the registry's own text encoding: used for hex(1) string values and
// for hive files saved as UTF-16.
namespace kvx::settings::hive_utf16 {

// Malformed UTF-8 sequences become U+FFFD.
std::vector<std::uint8_t> fromUtf8(std::string_view utf8);

// Unpaired surrogates become U+FFFD; an odd last byte is ignored.
std::string toUtf8(const std::uint8_t* bytes, std::size_t size);

}  // namespace kvx::settings::hive_utf16
