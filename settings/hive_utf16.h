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

// As toUtf8, but an unpaired surrogate becomes its own three-byte form, which
// is not valid UTF-8: a reader that checks the decoded text for valid UTF-8
// then finds it, and can report it where it stands.
std::string toUtf8MarkingUnpaired(const std::uint8_t* bytes, std::size_t size);

// True for whole UTF-16LE code units with every surrogate paired: text that
// toUtf8 turns into UTF-8 and fromUtf8 gives back byte for byte.
bool isText(const std::uint8_t* bytes, std::size_t size);

}  // namespace kvx::settings::hive_utf16
