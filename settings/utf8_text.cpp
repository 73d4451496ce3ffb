#include "settings/utf8_text.h"

namespace kvx::settings::utf8_text {

Step next(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return {kReplacement, 1, false};
    }
    if (position + length > text.size()) return {kReplacement, 1, false};
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[position + i]);
        if ((byte & 0xC0) != 0x80) return {kReplacement, 1, false};
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return {kReplacement, length, false};  // well built, but a value UTF-8 may not carry
    }
    return {codePoint, length, true};
}

bool isValid(std::string_view text) {
    for (std::size_t position = 0; position < text.size();) {
        const Step step = next(text, position);
        if (!step.valid) return false;
        position += step.length;
    }
    return true;
}

std::string valid(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t position = 0; position < text.size();) {
        const Step step = next(text, position);
        if (step.valid) {
            out.append(text.substr(position, step.length));
        } else {
            out.append(kReplacementUtf8);
        }
        position += step.length;
    }
    return out;
}

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace kvx::settings::utf8_text
