#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text form of a colour in the settings store. A colour is a 32-bit value:
// 0x00BBGGRR for a plain RGB colour, or 0x80000000 + index for a system colour.
namespace kvx::settings {

// The colour's name when it is one of the 41 named colours ("clRed",
// "clBtnFace"), else "$" and 8 upper-case hexadecimal digits ("$00A0B0C0").
std::string colourToText(std::uint32_t colour);

// A colour name in any letter case, or a signed 32-bit integer: decimal
// ("-16777201", "255") or hexadecimal after "$" ("$00FF8000", "$ff", any 32-bit
// pattern), with an optional sign in front of either and leading zeros allowed.
// Returns nothing for any other text, including empty text, surrounding blanks
// and numbers outside 32 bits.
std::optional<std::uint32_t> colourFromText(std::string_view text);

}  // namespace kvx::settings
