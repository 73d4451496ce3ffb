#include "settings/hive.h"
#include "tests/settings/hive_describe.h"

#include <gtest/gtest.h>

namespace kvx::settings {
namespace {

using test::describe;

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Korvex";

struct Sample {
    const char* label;
    std::string text;
    std::string expected;           // describe() of the loaded hive
    std::vector<int> problemLines;  // per-line problems, in order
};

std::string withKey(const std::string& body, const char* lineEnd = "\r\n") {
    return std::string("Windows Registry Editor Version 5.00") + lineEnd + lineEnd +
           "[HKEY_CURRENT_USER\\Software\\Korvex]" + lineEnd + body;
}

std::string k(const std::string& rest) { return std::string(kKey) + "|" + rest + "\n"; }
const std::string kEmptyKey = std::string(kKey) + "|\n";

const std::vector<Sample>& samples() {
    static const std::vector<Sample> table = {
        {"crlf dword", withKey("\"Interval\"=dword:00002710\r\n"), k("Interval|d:00002710"), {}},
        {"lf only, no final line end", withKey("\"Interval\"=dword:00002710", "\n"), k("Interval|d:00002710"), {}},
        {"escapes in name and text",
         withKey(R"("Pa\"th"="C:\\Program Files\\\"x\"")"
                 "\r\n"),
         k(R"(Pa"th|s:C:\Program Files\"x")"),
         {}},
        {"text ending in a backslash",
         withKey(R"("Dir"="C:\\")"
                 "\r\n\"Next\"=dword:1\r\n"),
         k(R"(Dir|s:C:\)") + k("Next|d:00000001"),
         {}},
        {"default value", withKey("@=\"def\"\r\n"), k("|s:def"), {}},
        {"short and upper-case dword",
         withKey("\"A\"=DWORD:a\r\n\"B\"=dword:FFFFFFFF\r\n"),
         k("A|d:0000000a") + k("B|d:ffffffff"),
         {}},
        {"hex with continuation lines",
         withKey("\"MB Tempature Scale\"=hex:00,00,00,00,\\\r\n  00,00,4e,\\\r\n  40\r\n\"X\"=dword:1\r\n"),
         k("MB Tempature Scale|b:00 00 00 00 00 00 4e 40") + k("X|d:00000001"),
         {}},
        {"typed hex values",
         withKey("\"D\"=hex(4):0a,00,00,00\r\n\"S\"=hex(1):48,00,69,00,00,00\r\n"
                 "\"X\"=hex(2):25,00,00,00\r\n\"Q\"=hex(b):01,02\r\n\"B\"=hex(3):ff\r\n"),
         k("D|d:0000000a") + k("S|s:Hi") + k("X|t2:25 00 00 00") + k("Q|tb:01 02") + k("B|b:ff"),
         {}},
        {"comments, blank lines, blanks around =",
         withKey("; saved by hand\r\n\r\n  \"A\" = \"b\"  \r\n\t; another\r\n"),
         k("A|s:b"),
         {}},
        {"same value twice in other case: last wins, first spelling kept",
         withKey("\"Interval\"=dword:1\r\n\"InterVal\"=dword:2\r\n"),
         k("Interval|d:00000002"),
         {}},
        {"key repeated in other case merges",
         withKey("\"A\"=dword:1\r\n\r\n[hkey_current_user\\software\\korvex]\r\n\"B\"=dword:2\r\n"),
         k("A|d:00000001") + k("B|d:00000002"),
         {}},
        {"sub-key and empty key",
         withKey("\r\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sub]\r\n\"A\"=\"x\"\r\n"),
         std::string(kKey) + "|\n" + kKey + "\\Sub|A|s:x\n",
         {}},

        // Lines that cannot be understood: reported with their line, the rest loads.
        {"bad dword digits", withKey("\"A\"=dword:xyz\r\n\"B\"=dword:2\r\n"), k("B|d:00000002"), {4}},
        {"dword of nine digits", withKey("\"A\"=dword:000000001\r\n"), kEmptyKey, {4}},
        {"text without closing quote", withKey("\"A\"=\"open\r\n\"B\"=\"ok\"\r\n"), k("B|s:ok"), {4}},
        {"unknown data", withKey("\"A\"=qword:1\r\n"), kEmptyKey, {4}},
        {"bad byte, reported at the first line of the value",
         withKey("\"A\"=hex:01,\\\r\n  0g\r\n\"B\"=dword:1\r\n"),
         k("B|d:00000001"),
         {4}},
        {"value removal", withKey("\"A\"=-\r\n"), kEmptyKey, {4}},
        {"key removal, its values ignored",
         withKey("[-HKEY_CURRENT_USER\\Software\\Old]\r\n\"A\"=dword:1\r\n"),
         kEmptyKey,
         {4, 5}},
        {"key of a blank and backslashes names no key, its values ignored (it saved as \"[ ]\")",
         withKey("[ \\\\\\]\r\n\"A\"=dword:1\r\n"),
         kEmptyKey,
         {4, 5}},
        {"value before any key", "Windows Registry Editor Version 5.00\r\n\"A\"=dword:1\r\n", "", {2}},
    };
    return table;
}

// Guards against misread values and against one bad line losing the rest of the hive.
TEST(HiveParse, SamplesLoadAsExpected) {
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.label);
        const HiveParseResult result = Hive::parse(sample.text, "user.reg");
        ASSERT_FALSE(result.fatal());
        EXPECT_EQ(describe(*result.hive), sample.expected);
        std::vector<int> lines;
        for (const HiveProblem& problem : result.problems) {
            EXPECT_FALSE(problem.fatal);
            lines.push_back(problem.line);
        }
        EXPECT_EQ(lines, sample.problemLines);
    }
}

// Guards against a file that is no hive being loaded as an empty one (and then overwritten).
TEST(HiveParse, TextThatIsNoHiveIsFatal) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty file", ""},
        {"no header", "[HKEY_CURRENT_USER\\Software\\Korvex]\r\n\"A\"=dword:1\r\n"},
        {"older header", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"},
        {"binary garbage", std::string("\x7F"
                                       "ELF\x02\x01\x01\0\0\0",
                                       10)},
    };
    for (const auto& [label, text] : cases) {
        SCOPED_TRACE(label);
        const HiveParseResult result = Hive::parse(text, "user.reg");
        EXPECT_TRUE(result.fatal());
        ASSERT_EQ(result.problems.size(), 1u);
        EXPECT_TRUE(result.problems[0].fatal);
    }
}

}  // namespace
}  // namespace kvx::settings
