#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 validation shared by the settings hives and the JSON dump: both must
// hand on only well-formed text, whatever bytes a stored setting holds.
namespace kvx::settings::utf8_text {

inline constexpr char32_t kReplacement = 0xFFFD;
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One step through UTF-8 text: the code point at a position and how many bytes
// it takes. Malformed input gives `valid` false and U+FFFD: a stray
// continuation byte or a sequence cut short takes one byte (each such byte is
// replaced once); a complete sequence of a value UTF-8 may not carry (overlong,
// a surrogate, past U+10FFFF) takes its whole length, so that an unpaired
// UTF-16 surrogate kept as three bytes becomes one U+FFFD.
struct Step {
    char32_t codePoint = 0;
    std::size_t length = 0;
    bool valid = false;
};
Step next(std::string_view text, std::size_t position);

bool isValid(std::string_view text);

// `text` with every malformed byte replaced by U+FFFD; valid text unchanged.
std::string valid(std::string_view text);

void appendCodePoint(std::string& out, char32_t codePoint);

}  // namespace kvx::settings::utf8_text
