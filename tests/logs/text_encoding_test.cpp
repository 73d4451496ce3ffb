#include "platform/linux/iconv_text_encoding.h"

#include <gtest/gtest.h>

namespace kvx::platform::linux_backend {
namespace {

struct Case {
    const char* what;
    std::string utf8;
    std::string cp1252;
};

TEST(IconvTextEncoding, ConvertsUtf8ToWindows1252OneByteACharacter) {
    const Case cases[] = {
        {"ASCII and digits unchanged", "Core 1.98 -11.95 N/A", "Core 1.98 -11.95 N/A"},
        {"line end and cut mark unchanged", "a\r\n\x1A</tr>", "a\r\n\x1A</tr>"},
        {"degree sign", "35\xC2\xB0" "C", "35\xB0" "C"},
        {"euro sign from the 80-9F block", "\xE2\x82\xAC", "\x80"},
        {"Latin-1 letters", "Geh\xC3\xA4use \xC3\xBF", "Geh\xE4use \xFF"},
        {"typographic quotes", "\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94"},
        {"letter missing from the code page", "\xC5\x81odz", "?odz"},
        {"arrow missing from the code page", "a\xE2\x86\x92" "b", "a?b"},
        {"four-byte character is one replacement", "\xF0\x9F\x94\xA5!", "?!"},
        {"C1 control without a code-page form", "\xC2\x81", "?"},
        {"stray byte", "a\xFF" "b", "a?b"},
        {"character cut off at the end", "ab\xE2\x82", "ab?"},
        {"cut-off character followed by ASCII", "\xE2\x82" "A", "?A"},
        {"overlong form is two stray bytes", "\xC0\xAF", "??"},
        {"empty text", "", ""},
    };
    const IconvTextEncoding encoding;
    for (const Case& c : cases) {
        EXPECT_EQ(encoding.toWindows1252(c.utf8), c.cp1252) << c.what;
    }
}

// A refused character must not leave the converter in a state that spoils the next text.
TEST(IconvTextEncoding, EachTextStartsFresh) {
    const IconvTextEncoding encoding;
    EXPECT_EQ(encoding.toWindows1252("ab\xE2\x82"), "ab?");
    EXPECT_EQ(encoding.toWindows1252("\xC2\xB0"), "\xB0");
}

}  // namespace
}  // namespace kvx::platform::linux_backend
