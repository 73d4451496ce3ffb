#include "app/harness/json_writer.h"

#include <gtest/gtest.h>

namespace kvx::app {
namespace {

std::string asJsonString(std::string_view text) {
    JsonWriter json;
    json.string(text);
    return json.text();
}

// Guards against a dump that is no JSON: a stored text may hold any bytes, and every one of them
// must come out as valid UTF-8 with control characters escaped.
TEST(JsonWriter, EveryTextAndKeyBecomesAValidJsonString) {
    const std::string fffd = "\xEF\xBF\xBD";
    const std::vector<std::tuple<const char*, std::string, std::string>> cases = {
        {"characters outside ASCII pass unchanged",
         "Mobo \xC2\xB0"
         "C \xE6\xB8\xA9 \xF0\x9F\x8C\x80",
         "\"Mobo \xC2\xB0"
         "C \xE6\xB8\xA9 \xF0\x9F\x8C\x80\""},
        {"quotes, backslashes and control characters are escaped", std::string("a\"\\\n\r\t\x01\x1f\0z", 10),
         "\"a\\\"\\\\\\n\\r\\t\\u0001\\u001f\\u0000z\""},
        {"a Latin-1 byte",
         "Mobo \xB0"
         "C",
         "\"Mobo " + fffd + "C\""},
        {"a stray continuation byte and a lone lead byte at the end", "\x80x\xC3", "\"" + fffd + "x" + fffd + "\""},
        {"a sequence cut short by an ASCII character",
         "\xE6\xB8"
         "a",
         "\"" + fffd + fffd + "a\""},
        {"an overlong slash", "\xC0\xAF/", "\"" + fffd + "/\""},
        {"an encoded surrogate", "\xED\xA0\x80", "\"" + fffd + "\""},
        {"past U+10FFFF and bytes that never occur", "\xF4\x90\x80\x80\xFE\xFF", "\"" + fffd + fffd + fffd + "\""},
    };
    for (const auto& [label, text, expected] : cases) {
        SCOPED_TRACE(label);
        EXPECT_EQ(asJsonString(text), expected);
    }

    // Object keys are texts too: they must not bypass the same check.
    JsonWriter json;
    json.beginObject();
    json.key("N\xE9");
    json.integer(1);
    json.endObject();
    EXPECT_EQ(json.text(), "{\n  \"N\xEF\xBF\xBD\": 1\n}\n");
}

}  // namespace
}  // namespace kvx::app
