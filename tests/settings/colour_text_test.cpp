#include "settings/colour_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace kvx::settings {
namespace {

// The 16 basic colours with their values, and the 25 system colours, numbered
// from 0x80000000 in this order; written out independently of the code.
const std::pair<const char*, std::uint32_t> kBasic[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
};
const char* const kSystem[] = {
    "clScrollBar",    "clBackground",     "clActiveCaption", "clInactiveCaption", "clMenu",
    "clWindow",       "clWindowFrame",    "clMenuText",      "clWindowText",      "clCaptionText",
    "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
    "clBtnFace",      "clBtnShadow",      "clGrayText",      "clBtnText",         "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",     "cl3DLight",       "clInfoText",        "clInfoBk",
};

TEST(ColourText, EveryNamedColourBothWays) {
    std::vector<std::pair<std::string, std::uint32_t>> named(std::begin(kBasic), std::end(kBasic));
    for (std::uint32_t i = 0; i < std::size(kSystem); ++i) named.emplace_back(kSystem[i], 0x80000000u + i);
    for (const auto& [name, value] : named) {
        SCOPED_TRACE(name);
        EXPECT_EQ(colourToText(value), name);
        EXPECT_EQ(colourFromText(name), value);
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_EQ(colourFromText(upper), value);
    }
}

// Guards against lower-case or short hex, and against names given to colours
// past the system ones; what is written reads back as the same colour.
TEST(ColourText, UnnamedColoursAreDollarAndEightUpperCaseDigits) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0x00A0B0C0, "$00A0B0C0"},
        {0x80000019, "$80000019"},  // one past the last system colour
        {0x1FFFFFFF, "$1FFFFFFF"},  // the stray high byte is kept
        {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const auto& [colour, text] : cases) {
        EXPECT_EQ(colourToText(colour), text);
        EXPECT_EQ(colourFromText(text), colour);
    }
}

TEST(ColourText, NumbersAreReadAndTextThatIsNoColourFails) {
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"$00ff8000", 0x00FF8000},
        {"$ff", 0xFF},
        {"$FFFFFFFF", 0xFFFFFFFF},
        {"+16", 16},
        {"-1", 0xFFFFFFFF},
        {"-2147483648", 0x80000000},
        {"2147483647", 0x7FFFFFFF},
        {"-$10", 0xFFFFFFF0},
        {"$000000000FF", 0xFF},
        {"bright", {}},
        {"", {}},
        {"$", {}},
        {"clReddish", {}},
        {" clRed", {}},
        {"12 ", {}},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"$100000000", {}},
        {"$FG", {}},
        {"0x10", {}},
        {"$-5", {}},
        {"+-5", {}},
        {"12.5", {}},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(colourFromText(text), value) << '"' << text << '"';
}

}  // namespace
}  // namespace kvx::settings
