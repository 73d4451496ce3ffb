// Reading hive files, and the program's own rewrite of what it read: every
// sample must load as expected and survive a save and a load again, value for
// value and byte for byte.
#include "settings/hive.h"
#include "tests/settings/hive_describe.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kvx::settings {
namespace {

using test::describe;

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kKey = "HKEY_CURRENT_USER\\Software\\Korvex";
const std::string kReplacement = "\xEF\xBF\xBD";

struct Sample {
    const char* label;
    std::string text;
    std::string expected;           // describe() of the loaded hive
    std::vector<int> problemLines;  // per-line problems, in order
};

std::string withKey(const std::string& body, const char* lineEnd = "\r\n") {
    return std::string("Windows Registry Editor Version 5.00") + lineEnd + lineEnd + "[" + kKey + "]" + lineEnd + body;
}

std::string k(const std::string& path, const std::string& rest) { return path + "|" + rest + "\n"; }
std::string k(const std::string& rest) { return k(kKey, rest); }
const std::string kEmptyKey = kKey + "|\n";

std::string readData(const std::string& name) {
    std::ifstream in(std::string(KVX_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// ASCII and U+0080..U+00BF (as in "°") as UTF-16LE with BOM, nothing else.
std::string utf16le(const std::string& utf8ish) {
    std::string out = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8ish.size(); ++i) {
        out += static_cast<unsigned char>(utf8ish[i]) == 0xC2 ? utf8ish[++i] : utf8ish[i];
        out += '\0';
    }
    return out;
}

const std::vector<Sample>& samples() {
    const std::string sample = "HKEY_CURRENT_USER\\Software\\Korvex Sample";
    const std::string wide = repeated("\xE6\xB8\xA9", 100);
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
         kEmptyKey + k(kKey + "\\Sub", "A|s:x"),
         {}},
        {"an export of the registry editor: UTF-16LE with BOM, every kind of value",
         readData("registry_editor_export.reg"),
         k(sample, "|s:default") + k(sample, "Empty|s:") +
             k(sample, "Expand|t2:25 00 54 00 45 00 4d 00 50 00 25 00 5c 00 78 00 00 00") +
             k(sample, "InterVal|d:00002710") + k(sample, "Multi|t7:61 00 00 00 62 00 00 00 00 00") +
             k(sample, "Path|s:C:\\Program Files\\Say \"hi\".exe") + k(sample, "Scale|b:00 00 00 00 00 00 4e 40") +
             k(sample,
               "VUM 1 Name|s:Mobo \xC2\xB0"
               "C") +
             k(sample, "\xC4\x8Cip 1|s:\xE6\xB8\xA9\xE5\xBA\xA6") + k(sample + "\\-dash", "A|d:00000001"),
         {}},
        {"UTF-8 with BOM, LF line ends",
         "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[" + kKey +
             "]\n\"VUM 1 Name\"=\"Mobo \xC2\xB0"
             "C\"\n",
         k("VUM 1 Name|s:Mobo \xC2\xB0"
           "C"),
         {}},
        {"a key whose path starts with \"-\" after a backslash is a key, not a deletion",
         kHeader + "[\\-x]\r\n\"A\"=dword:00000001\r\n\r\n[" + kKey + "\\-dash]\r\n\"B\"=\"b\"\r\n",
         k("-x", "A|d:00000001") + k(kKey + "\\-dash", "B|s:b"),
         {}},
        {"texts that need hex(1): zero bytes, line breaks, a character outside the BMP",
         withKey("\"Z\"=hex(1):61,00,00,00,62,00,00,00\r\n"
                 "\"L\"=hex(1):61,00,0d,00,0a,00,00,00\r\n\"E\"=hex(1):3c,d8,00,df,00,00\r\n"),
         k(std::string("Z|s:a\0b", 7)) + k("L|s:a\r\n") + k("E|s:\xF0\x9F\x8C\x80"),
         {}},
        {"string data that is no UTF-16 text is kept as its bytes",
         withKey("\"Lone\"=hex(1):00,d8,41,00,00,00\r\n\"Odd\"=hex(1):41,00,42\r\n"),
         k("Lone|t1:00 d8 41 00 00 00") + k("Odd|t1:41 00 42"),
         {}},
        {"empty texts, names and data; backslashes and quotes",
         withKey("\"\"=\"\"\r\n\"Empty\"=\"\"\r\n\"Bin\"=hex:\r\n\"None\"=hex(0):\r\n"
                 R"("\\\"q\\"="C:\\Dir\\")"
                 "\r\n"),
         k("|s:") + k("Empty|s:") + k("Bin|b:") + k("None|t0:") + k(R"(\"q\|s:C:\Dir\)"),
         {}},
        {"a long text and a long non-ASCII text",
         withKey("\"Long\"=\"" + std::string(300, 'x') + "\"\r\n\"Wide\"=\"" + wide + "\"\r\n"),
         k("Long|s:" + std::string(300, 'x')) + k("Wide|s:" + wide),
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

        // Malformed bytes: reported with their line and read as U+FFFD, one way for names, texts and paths.
        {"a text in another encoding (Latin-1 degree sign)",
         withKey("\"VUM 1 Name\"=\"Mobo \xB0"
                 "C\"\r\n\"Next\"=dword:1\r\n"),
         k("VUM 1 Name|s:Mobo " + kReplacement + "C") + k("Next|d:00000001"),
         {4}},
        {"a text with a zero byte and a byte that is not UTF-8",
         withKey(std::string("\"A\"=\"a\0b\xFF\"\r\n", 12)),
         k(std::string("A|s:a\0b", 7) + kReplacement),
         {4}},
        {"a value name and a key path that are not UTF-8",
         kHeader + "[" + kKey + "\\\xC3]\r\n\"N\xE9\"=dword:2\r\n",
         k(kKey + "\\" + kReplacement, "N" + kReplacement + "|d:00000002"),
         {3, 4}},
        {"an unpaired surrogate in a UTF-16 file",
         utf16le(withKey("\"A\"=\"x")) + std::string("\x00\xD8", 2) + utf16le("\"\r\n").substr(2),
         k("A|s:x" + kReplacement),
         {4}},
    };
    return table;
}

// Guards against misread values, one bad line losing the rest of the hive, and
// values that change on a load and save: a key "[\-x]" saved as a deletion,
// texts with zero bytes or malformed bytes altered silently, string data that
// is no text rewritten.
TEST(HiveParse, SamplesLoadAsExpectedAndSaveBackUnchanged) {
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.label);
        const HiveParseResult loaded = Hive::parse(sample.text, "user.reg");
        ASSERT_FALSE(loaded.fatal());
        EXPECT_EQ(describe(*loaded.hive), sample.expected);
        std::vector<int> lines;
        for (const HiveProblem& problem : loaded.problems) {
            EXPECT_FALSE(problem.fatal);
            lines.push_back(problem.line);
        }
        EXPECT_EQ(lines, sample.problemLines);

        const std::string saved = loaded.hive->serialize();
        const HiveParseResult again = Hive::parse(saved, "user.reg");
        ASSERT_FALSE(again.fatal());
        for (const HiveProblem& problem : again.problems) ADD_FAILURE() << problem.text() << "\n" << saved;
        EXPECT_EQ(*again.hive, *loaded.hive) << saved;
        EXPECT_EQ(again.hive->serialize(), saved);
    }
}

// Guards against malformed bytes loading silently: the user must learn which line was changed.
TEST(HiveParse, MalformedBytesAreReportedAsReplaced) {
    const HiveParseResult loaded = Hive::parse(withKey("\"A\"=\"\xB0\"\r\n"), "user.reg");
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.problems[0].text(),
              "user.reg:4: bytes that are not UTF-8 read as U+FFFD (is the file in another encoding?)");
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
