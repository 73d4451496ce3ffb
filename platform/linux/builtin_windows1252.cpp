#include "platform/linux/builtin_windows1252.h"

#include <cstdint>

namespace kvx::platform::linux_backend {
namespace {

constexpr char kReplacement = '?';

// The characters of bytes 80-9F, in byte order; 0 where the code page has none.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char byteFor(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<char>(character);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == character) return static_cast<char>(0x80 + i);
    return kReplacement;
}

bool inRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// Decodes the well-formed UTF-8 character at the start of `text` into
// `character` and returns its length; or, when it is not well formed, returns
// the length of its longest valid prefix (at least one byte) with `character`
// left unset, so that a truncated character gives one replacement and the
// byte after it is looked at again (as iconv refuses it).
std::size_t decode(const unsigned char* text, std::size_t size, char32_t& character, bool& wellFormed) {
    const unsigned char lead = text[0];
    wellFormed = false;
    std::size_t continuation = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead < 0x80) {
        character = lead;
        wellFormed = true;
        return 1;
    } else if (inRange(lead, 0xC2, 0xDF)) {
        continuation = 1;
        value = lead & 0x1F;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        continuation = 2;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // shorter forms are overlong
        if (lead == 0xED) high = 0x9F;  // surrogates are not characters
    } else if (inRange(lead, 0xF0, 0xF4)) {
        continuation = 3;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 1;
    }
    std::size_t length = 1;
    while (length <= continuation && length < size) {
        const bool valid = length == 1 ? inRange(text[1], low, high) : inRange(text[length], 0x80, 0xBF);
        if (!valid) break;
        value = (value << 6) | (text[length] & 0x3F);
        ++length;
    }
    if (length == continuation + 1) {
        character = value;
        wellFormed = true;
    }
    return length;
}

}  // namespace

std::string BuiltInWindows1252::toWindows1252(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        char32_t character = 0;
        bool wellFormed = false;
        const std::size_t length = decode(text, left, character, wellFormed);
        out.push_back(wellFormed ? byteFor(character) : kReplacement);
        text += length;
        left -= length;
    }
    return out;
}

}  // namespace kvx::platform::linux_backend
