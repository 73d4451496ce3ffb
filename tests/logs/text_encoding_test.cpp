#include "platform/linux/builtin_windows1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

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
TEST(BuiltInWindows1252, ConvertsUtf8ToWindows1252OneByteACharacter) {
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
    const BuiltInWindows1252 builtIn;
    for (const Case& c : cases) EXPECT_EQ(builtIn.toWindows1252(c.utf8), c.cp1252) << c.what;
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

// Guards against the built-in table writing other bytes into the logs than glibc's converter,
// which the logs were written with before: every character is compared with iconv's answer
// ('?' where iconv has no code-page form for it).
TEST(BuiltInWindows1252, WritesTheSameBytesAsIconvForEveryCharacter) {
    iconv_t iconv = ::iconv_open("CP1252", "UTF-8");
    // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open's failure value
    ASSERT_NE(iconv, reinterpret_cast<iconv_t>(-1)) << "glibc has no CP1252 converter";
    auto byIconv = [&](std::string utf8) {
        char out[8];
        char* in = utf8.data();
        char* next = out;
        std::size_t inLeft = utf8.size(), outLeft = sizeof out;
        ::iconv(iconv, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(iconv, &in, &inLeft, &next, &outLeft) == static_cast<std::size_t>(-1)) return std::string("?");
        return std::string(out, next);
    };
    const BuiltInWindows1252 builtIn;
    int differences = 0;
    // glibc drops the invisible tag characters (E0000-E007F) altogether; the table writes them
    // as '?' like every other character without a code-page form, as TextEncoding promises.
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || (c >= 0xE0000 && c <= 0xE007F)) continue;
        const std::string expected = byIconv(utf8Of(c)), got = builtIn.toWindows1252(utf8Of(c));
        if (got != expected && ++differences <= 10)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << ": iconv gives '" << expected
                          << "', the table '" << got << "'";
    }
    ::iconv_close(iconv);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(builtIn.toWindows1252("a\xF3\xA0\x80\x81"
                                    "b"),
              "a?b")
        << "a tag character";
}

}  // namespace
}  // namespace kvx::platform::linux_backend
