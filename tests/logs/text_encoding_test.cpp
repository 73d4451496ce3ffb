#include "platform/linux/iconv_text_encoding.h"

#include <gtest/gtest.h>

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
    const IconvTextEncoding encoding;
    for (const Case& c : cases) {
        EXPECT_EQ(encoding.toWindows1252(c.utf8), c.cp1252) << c.what;
    }
}

}  // namespace
}  // namespace kvx::platform::linux_backend
