// Load, save and load again: what a hive file holds must survive the program's
// own rewrite of it, value for value and byte for byte.
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

std::string readData(const std::string& name) {
    std::ifstream in(std::string(KVX_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string utf16le(const std::string& utf8ish) {  // ASCII and the few code points below, nothing else
    std::string out = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8ish.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8ish[i]);
        if (c == 0xC2) {  // U+0080..U+00BF, as in "°"
            out += utf8ish[++i];
            out += '\0';
        } else {
            out += static_cast<char>(c);
            out += '\0';
        }
    }
    return out;
}

std::string unit(std::uint16_t u) { return {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)}; }

std::string k(const std::string& path, const std::string& rest) { return path + "|" + rest + "\n"; }
std::string k(const std::string& rest) { return k(kKey, rest); }

struct Sample {
    const char* label;
    std::string file;
    std::string expected;           // describe() of the loaded hive
    std::vector<int> problemLines;  // lines reported while loading
};

const std::vector<Sample>& samples() {
    static const std::vector<Sample> table = {
        {"an export of the registry editor: UTF-16LE with BOM, every kind of value",
         readData("registry_editor_export.reg"),
         k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "|s:default") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "Empty|s:") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample",
               "Expand|t2:25 00 54 00 45 00 4d 00 50 00 25 00 5c 00 78 00 00 00") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "InterVal|d:00002710") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "Multi|t7:61 00 00 00 62 00 00 00 00 00") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "Path|s:C:\\Program Files\\Say \"hi\".exe") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "Scale|b:00 00 00 00 00 00 4e 40") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample",
               "VUM 1 Name|s:Mobo \xC2\xB0"
               "C") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample", "\xC4\x8Cip 1|s:\xE6\xB8\xA9\xE5\xBA\xA6") +
             k("HKEY_CURRENT_USER\\Software\\Korvex Sample\\-dash", "A|d:00000001"),
         {}},
        {"hand-written UTF-8 without BOM",
         kHeader + "[" + kKey +
             "]\r\n\"VUM 1 Name\"=\"Mobo \xC2\xB0"
             "C\"\r\n",
         k("VUM 1 Name|s:Mobo \xC2\xB0"
           "C"),
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
         kHeader + "[" + kKey +
             "]\r\n\"Z\"=hex(1):61,00,00,00,62,00,00,00\r\n"
             "\"L\"=hex(1):61,00,0d,00,0a,00,00,00\r\n\"E\"=hex(1):3c,d8,00,df,00,00\r\n",
         k(std::string("Z|s:a\0b", 7)) + k("L|s:a\r\n") + k("E|s:\xF0\x9F\x8C\x80"),
         {}},
        {"string data that is no UTF-16 text is kept as its bytes",
         kHeader + "[" + kKey + "]\r\n\"Lone\"=hex(1):00,d8,41,00,00,00\r\n\"Odd\"=hex(1):41,00,42\r\n",
         k("Lone|t1:00 d8 41 00 00 00") + k("Odd|t1:41 00 42"),
         {}},
        {"empty texts, names and data; backslashes and quotes",
         kHeader + "[" + kKey +
             "]\r\n\"\"=\"\"\r\n\"Empty\"=\"\"\r\n\"Bin\"=hex:\r\n\"None\"=hex(0):\r\n"
             R"("\\\"q\\"="C:\\Dir\\")"
             "\r\n",
         k("|s:") + k("Empty|s:") + k("Bin|b:") + k("None|t0:") + k(R"(\"q\|s:C:\Dir\)"),
         {}},
        {"a long text and a long non-ASCII text",
         kHeader + "[" + kKey + "]\r\n\"Long\"=\"" + std::string(300, 'x') + "\"\r\n\"Wide\"=\"" +
             [] {
                 std::string s;
                 for (int i = 0; i < 100; ++i) s += "\xE6\xB8\xA9";
                 return s;
             }() +
             "\"\r\n",
         k("Long|s:" + std::string(300, 'x')) + k("Wide|s:" +
                                                  [] {
                                                      std::string s;
                                                      for (int i = 0; i < 100; ++i) s += "\xE6\xB8\xA9";
                                                      return s;
                                                  }()),
         {}},

        // Malformed bytes: reported with their line and read as U+FFFD, one way for names, texts and paths.
        {"a text in another encoding (Latin-1 degree sign)",
         kHeader + "[" + kKey +
             "]\r\n\"VUM 1 Name\"=\"Mobo \xB0"
             "C\"\r\n\"Next\"=dword:1\r\n",
         k("VUM 1 Name|s:Mobo " + kReplacement + "C") + k("Next|d:00000001"),
         {4}},
        {"a text with a zero byte and a byte that is not UTF-8",
         kHeader + "[" + kKey + "]\r\n" + std::string("\"A\"=\"a\0b\xFF\"\r\n", 12),
         k(std::string("A|s:a\0b", 7) + kReplacement),
         {4}},
        {"a value name and a key path that are not UTF-8",
         kHeader + "[" + kKey + "\\\xC3]\r\n\"N\xE9\"=dword:2\r\n",
         k(kKey + "\\" + kReplacement, "N" + kReplacement + "|d:00000002"),
         {3, 4}},
        {"an unpaired surrogate in a UTF-16 file",
         utf16le(kHeader + "[" + kKey + "]\r\n\"A\"=\"x") + unit(0xD800) + utf16le("\"\r\n").substr(2),
         k("A|s:x" + kReplacement),
         {4}},
    };
    return table;
}

// Guards against values that change on a load and save: a key "[\-x]" saved as a deletion, texts
// with zero bytes or malformed bytes altered silently, string data that is no text rewritten.
TEST(HiveRoundTrip, SavedSamplesLoadBackUnchangedAndSaveAgainByteForByte) {
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.label);
        const HiveParseResult loaded = Hive::parse(sample.file, "user.reg");
        ASSERT_FALSE(loaded.fatal());
        EXPECT_EQ(describe(*loaded.hive), sample.expected);
        std::vector<int> lines;
        for (const HiveProblem& problem : loaded.problems) lines.push_back(problem.line);
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
TEST(HiveRoundTrip, MalformedBytesAreReportedAsReplaced) {
    const HiveParseResult loaded = Hive::parse(samples()[8].file, "user.reg");
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.problems[0].text(),
              "user.reg:4: bytes that are not UTF-8 read as U+FFFD (is the file in another encoding?)");
    EXPECT_FALSE(loaded.problems[0].fatal);
}

}  // namespace
}  // namespace kvx::settings
