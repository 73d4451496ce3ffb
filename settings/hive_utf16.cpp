#include "settings/hive_utf16.h"

#include "settings/utf8_text.h"

namespace kvx::settings::hive_utf16 {
namespace {

void appendUnit(std::vector<std::uint8_t>& out, std::uint16_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Calls `emit(codePoint, paired)` for every code point; `paired` is false for an
// unpaired surrogate, which is passed as it is.
template <typename Emit>
void decode(const std::uint8_t* bytes, std::size_t size, Emit emit) {
    const std::size_t units = size / 2;
    auto unitAt = [&](std::size_t i) { return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (isHighSurrogate(unit) && i + 1 < units && isLowSurrogate(unitAt(i + 1))) {
            emit(0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00), true);
            ++i;
            continue;
        }
        emit(unit, !isHighSurrogate(unit) && !isLowSurrogate(unit));
    }
}

}  // namespace

std::vector<std::uint8_t> fromUtf8(std::string_view utf8) {
    std::vector<std::uint8_t> out;
    out.reserve(utf8.size() * 2);
    for (std::size_t pos = 0; pos < utf8.size();) {
        const utf8_text::Step step = utf8_text::next(utf8, pos);
        pos += step.length;
        const char32_t cp = step.codePoint;
        if (cp >= 0x10000) {
            const char32_t offset = cp - 0x10000;
            appendUnit(out, static_cast<std::uint16_t>(0xD800 | (offset >> 10)));
            appendUnit(out, static_cast<std::uint16_t>(0xDC00 | (offset & 0x3FF)));
        } else {
            appendUnit(out, static_cast<std::uint16_t>(cp));
        }
    }
    return out;
}

std::string toUtf8(const std::uint8_t* bytes, std::size_t size) {
    std::string out;
    out.reserve(size);
    decode(bytes, size,
           [&](char32_t cp, bool paired) { utf8_text::appendCodePoint(out, paired ? cp : utf8_text::kReplacement); });
    return out;
}

std::string toUtf8MarkingUnpaired(const std::uint8_t* bytes, std::size_t size) {
    std::string out;
    out.reserve(size);
    decode(bytes, size, [&](char32_t cp, bool) { utf8_text::appendCodePoint(out, cp); });
    return out;
}

bool isText(const std::uint8_t* bytes, std::size_t size) {
    if (size % 2 != 0) return false;
    bool allPaired = true;
    decode(bytes, size, [&](char32_t, bool paired) { allPaired = allPaired && paired; });
    return allPaired;
}

}  // namespace kvx::settings::hive_utf16
