#include "settings/colour_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace kvx::settings {
namespace {

struct Named {
    const char* name;
    std::uint32_t value;
};

// The 41 names with their values, written out independently of the code.
const Named kNames[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
};

TEST(ColourText, EveryNamedColourBothWays) {
    static_assert(std::size(kNames) == 41);
    for (const Named& named : kNames) {
        SCOPED_TRACE(named.name);
        EXPECT_EQ(colourToText(named.value), named.name);
        EXPECT_EQ(colourFromText(named.name), named.value);
        std::string upper = named.name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_EQ(colourFromText(upper), named.value);
    }
}

// Guards against lower-case or short hex, and against names given to colours past the system ones.
TEST(ColourText, UnnamedColoursAreDollarAndEightUpperCaseDigits) {
    EXPECT_EQ(colourToText(0x00A0B0C0), "$00A0B0C0");
    EXPECT_EQ(colourToText(0x80000019), "$80000019");  // one past the last system colour
    EXPECT_EQ(colourToText(0x1FFFFFFF), "$1FFFFFFF");  // the stray high byte is kept
}

TEST(ColourText, NumbersAreRead) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"$00ff8000", 0x00FF8000},  {"$ff", 0xFF},
        {"$FFFFFFFF", 0xFFFFFFFF},  {"+16", 16},
        {"-1", 0xFFFFFFFF},         {"-2147483648", 0x80000000},
        {"2147483647", 0x7FFFFFFF}, {"-$10", 0xFFFFFFF0},
        {"$000000000FF", 0xFF},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(colourFromText(text), value);
    }
    // What is written reads back as the same colour.
    for (std::uint32_t colour : {0x00FF8000u, 0x80000019u, 0xFFFFFFFFu}) {
        EXPECT_EQ(colourFromText(colourToText(colour)), colour);
    }
}

TEST(ColourText, TextThatIsNoColourFails) {
    const char* cases[] = {
        "bright",      "",           "$",   "clReddish", " clRed", "12 ", "2147483648",
        "-2147483649", "$100000000", "$FG", "0x10",      "$-5",    "+-5", "12.5",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(colourFromText(text), std::nullopt);
    }
}

}  // namespace
}  // namespace kvx::settings
