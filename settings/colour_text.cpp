#include "settings/colour_text.h"

#include "settings/hive_names.h"
#include "text/named_colours.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace kvx::settings {
namespace {

using text::kBasicColours;
using text::NamedColour;

constexpr std::uint32_t kSystem = 0x80000000u;

// The system colours, after the sixteen basic ones.
constexpr std::array<NamedColour, 25> kSystemColours{{
    {"clScrollBar", kSystem + 0},      {"clBackground", kSystem + 1},
    {"clActiveCaption", kSystem + 2},  {"clInactiveCaption", kSystem + 3},
    {"clMenu", kSystem + 4},           {"clWindow", kSystem + 5},
    {"clWindowFrame", kSystem + 6},    {"clMenuText", kSystem + 7},
    {"clWindowText", kSystem + 8},     {"clCaptionText", kSystem + 9},
    {"clActiveBorder", kSystem + 10},  {"clInactiveBorder", kSystem + 11},
    {"clAppWorkSpace", kSystem + 12},  {"clHighlight", kSystem + 13},
    {"clHighlightText", kSystem + 14}, {"clBtnFace", kSystem + 15},
    {"clBtnShadow", kSystem + 16},     {"clGrayText", kSystem + 17},
    {"clBtnText", kSystem + 18},       {"clInactiveCaptionText", kSystem + 19},
    {"clBtnHighlight", kSystem + 20},  {"cl3DDkShadow", kSystem + 21},
    {"cl3DLight", kSystem + 22},       {"clInfoText", kSystem + 23},
    {"clInfoBk", kSystem + 24},
}};

// The named colour that `matches`, basic ones first.
template <typename Match>
const NamedColour* findNamed(Match matches) {
    for (const NamedColour& named : kBasicColours)
        if (matches(named)) return &named;
    for (const NamedColour& named : kSystemColours)
        if (matches(named)) return &named;
    return nullptr;
}

// An unsigned number; leading zeros are allowed, values past 64 bits are not.
std::optional<std::uint64_t> readMagnitude(std::string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string colourToText(std::uint32_t colour) {
    if (const NamedColour* named = findNamed([colour](const NamedColour& n) { return n.value == colour; }))
        return std::string(named->name);
    char text[10];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(colour));
    return text;
}

std::optional<std::uint32_t> colourFromText(std::string_view text) {
    if (const NamedColour* named = findNamed([text](const NamedColour& n) { return hive_names::same(n.name, text); }))
        return named->value;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = !text.empty() && text.front() == '$';
    if (hex) text.remove_prefix(1);
    // from_chars would take a second sign; the digits must start right here.
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    const auto magnitude = readMagnitude(text, hex ? 16 : 10);
    if (!magnitude) return std::nullopt;
    // Decimal must fit a signed 32-bit integer; hexadecimal may give any 32-bit pattern.
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (*magnitude > limit) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(*magnitude);
    return negative ? static_cast<std::uint32_t>(0u - bits) : bits;
}

}  // namespace kvx::settings
