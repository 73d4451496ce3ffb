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

// The UTF-8 form of `c`.
std::string utf8Of(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    std::string s(length, '\0');
    for (int i = length - 1; i > 0; --i, c >>= 6) s[i] = static_cast<char>(0x80 | (c & 0x3F));
    s[0] = static_cast<char>((0xF00 >> length) | c);  // 110xxxxx, 1110xxxx or 11110xxx
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
        if (got != expected && ++differences <= 10)
            ADD_FAILURE() << "'" << utf8 << "': iconv gives '" << expected << "', the table '" << got << "'";
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
