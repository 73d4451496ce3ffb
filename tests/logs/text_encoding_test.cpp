#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/iconv_text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvx::platform::linux_backend {
namespace {

struct Case {
    const char* what;
    std::string utf8;
    std::string cp1252;
};

// Guards against lost, doubled or multi-byte replacements that would shift the log's columns.
TEST(IconvTextEncoding, ConvertsUtf8ToWindows1252OneByteACharacter) {
    const Case cases[] = {
        {"ASCII and digits unchanged", "Core 1.98 -11.95 N/A", "Core 1.98 -11.95 N/A"},
        {"degree sign",
         "35\xC2\xB0"
         "C",
         "35\xB0"
         "C"},
        {"euro sign from the 80-9F block", "\xE2\x82\xAC", "\x80"},
        {"Latin-1 letters", "Geh\xC3\xA4use \xC3\xBF", "Geh\xE4use \xFF"},
        {"letter missing from the code page", "\xC5\x81odz", "?odz"},
        {"four-byte character is one replacement", "\xF0\x9F\x94\xA5!", "?!"},
        {"C1 control without a code-page form", "\xC2\x81", "?"},
        {"stray byte",
         "a\xFF"
         "b",
         "a?b"},
        {"character cut off at the end", "ab\xE2\x82", "ab?"},
        {"overlong form is two stray bytes", "\xC0\xAF", "??"},
    };
    // One converter for all: a refused character must not spoil the next text.
    const IconvTextEncoding iconv;
    const BuiltInWindows1252 builtIn;
    for (const Case& c : cases) {
        EXPECT_EQ(iconv.toWindows1252(c.utf8), c.cp1252) << c.what;
        EXPECT_EQ(builtIn.toWindows1252(c.utf8), c.cp1252) << c.what << " (built-in table)";
    }
}

std::string utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Guards against the built-in table writing other bytes into the logs than glibc's converter did:
// every character, and every one- and two-byte sequence (stray, cut-off and overlong bytes), is
// compared with iconv, the converter the logs were written with before.
TEST(BuiltInWindows1252, WritesTheSameBytesAsIconv) {
    const IconvTextEncoding iconv;
    const BuiltInWindows1252 builtIn;
    int differences = 0;
    auto compare = [&](const std::string& utf8) {
        const std::string expected = iconv.toWindows1252(utf8);
        const std::string got = builtIn.toWindows1252(utf8);
        if (got != expected && ++differences <= 10) {
            std::string hex;
            for (unsigned char b : utf8) hex += " " + std::to_string(b);
            ADD_FAILURE() << "bytes" << hex << ": iconv gives " << expected.size() << " bytes '" << expected
                          << "', the table '" << got << "'";
        }
    };
    // glibc drops the invisible tag characters (E0000-E007F) altogether; the table writes them
    // as '?' like every other character without a code-page form, as TextEncoding promises.
    for (char32_t c = 0; c <= 0x10FFFF; ++c)
        if ((c < 0xD800 || c > 0xDFFF) && (c < 0xE0000 || c > 0xE007F)) compare("a" + utf8Of(c) + "b");
    EXPECT_EQ(builtIn.toWindows1252("a\xF3\xA0\x80\x81"
                                    "b"),
              "a?b")
        << "a tag character";
    for (int first = 0x80; first < 0x100; ++first) {
        compare(std::string(1, static_cast<char>(first)) + "z");
        for (int second = 0; second < 0x100; ++second)
            compare(std::string{static_cast<char>(first), static_cast<char>(second)} + "z");
    }
    EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace kvx::platform::linux_backend
