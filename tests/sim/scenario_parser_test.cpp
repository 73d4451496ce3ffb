#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "sensorlib/sim/scenario.h"

namespace kvx::sim {
namespace {

struct Sample {
    const char* name;
    std::string text;
    std::string error;                           // expected message; empty: the sample parses
    std::function<void(const Scenario&)> check;  // for samples that parse
};

const std::string kLongUser(256, 'x');

const Sample kSamples[] = {
    {"the documented example",
     "chip w83781d            # lm78 | lm79 | w83781d | none\n"
     "smbus 0x5000\nclock 450\nmemory total=134217728 available=67108864 load=37\nuser alice\n"
     "at 0   temp=35 wb2=40.5 wb3=38.25 volts=2.05,2.80,3.31,5.02,12.10,-11.90,-5.01 fans=4500,4400,255 lm75.1=45\n"
     "at 60  temp=71 fans=4500,0,255\n",
     "",
     [](const Scenario& s) {
         EXPECT_EQ(s.facts.memoryLoad, 37);
         EXPECT_EQ(s.facts.user, "alice");
         ASSERT_EQ(s.rows.size(), 2u);
         EXPECT_EQ(s.rows[0].volts, (std::array<double, 7>{2.05, 2.80, 3.31, 5.02, 12.10, -11.90, -5.01}));
         EXPECT_EQ(s.rows[0].lm75[0], 45);
         EXPECT_EQ(s.rows[1].ms, 60000);
         EXPECT_EQ(s.rows[1].fans, (std::array<std::int32_t, 3>{4500, 0, 255}));
         EXPECT_FALSE(s.rows[1].wb2);
     }},
    {"empty file keeps the defaults", "", "",
     [](const Scenario& s) {
         EXPECT_EQ(s.facts.chip, Chip::W83781D);
         EXPECT_EQ(s.facts.smbus, 0x5000);
         EXPECT_TRUE(s.rows.empty());
     }},
    {"no trailing newline", "chip lm79\nat 1 temp=40", "",
     [](const Scenario& s) {
         EXPECT_EQ(s.facts.chip, Chip::LM79);
         ASSERT_EQ(s.rows.size(), 1u);
         EXPECT_EQ(s.rows[0].temp, 40);
     }},
    {"CRLF line ends and a byte order mark",
     "\xEF\xBB\xBF"
     "chip lm78\r\nsmbus 0x0400\r\n\r\nat 0 temp=30\r\n",
     "",
     [](const Scenario& s) {
         EXPECT_EQ(s.facts.chip, Chip::LM78);
         EXPECT_EQ(s.facts.smbus, 0x0400);
         EXPECT_EQ(s.rows.at(0).temp, 30);
     }},
    {"tabs, trailing comments, fractional seconds", "\tchip\tnone\t# no chip here\nat\t2.5\ttemp=33 # hot\n", "",
     [](const Scenario& s) {
         EXPECT_EQ(s.facts.chip, Chip::None);
         EXPECT_EQ(s.rows.at(0).ms, 2500);
     }},
    {"smbus none", "smbus none", "", [](const Scenario& s) { EXPECT_EQ(s.facts.smbus, kNoSmbus); }},
    {"memory above 4 GiB, load follows the sizes", "memory available=4294967296 total=17179869184", "",
     [](const Scenario& s) {
         EXPECT_EQ(s.facts.memoryTotal, 17179869184);
         EXPECT_EQ(s.facts.memoryAvailable, 4294967296);
         EXPECT_EQ(s.facts.memoryLoad, 75);
     }},
    {"user name with spaces", "user  Jane Doe  # the owner", "",
     [](const Scenario& s) { EXPECT_EQ(s.facts.user, "Jane Doe"); }},
    {"equal times, no-reading values", "at 5 temp=1 lm75.8=-5\nat 5 temp=-1", "",
     [](const Scenario& s) {
         ASSERT_EQ(s.rows.size(), 2u);
         EXPECT_EQ(s.rows[0].lm75[7], -5);
         EXPECT_EQ(s.rows[1].temp, -1);
     }},

    {"unknown keyword", "chip lm78\nfoo 1", "board.txt:2: unknown keyword 'foo'", {}},
    {"unknown key", "at 0 tmp=35", "board.txt:1: unknown key 'tmp'", {}},
    {"fraction where a whole number belongs", "at 0 temp=35.5", "board.txt:1: temp 35.5 is not a whole number", {}},
    {"not a number", "at 0 wb3=nan", "board.txt:1: bad number 'nan' for wb3", {}},
    {"too few volts", "at 0 volts=1,2,3,4,5,6", "board.txt:1: volts needs 7 values, got 6", {}},
    {"empty volt", "at 0 volts=1,2,3,,5,6,7", "board.txt:1: bad number '' for volts", {}},
    {"too many fans", "at 0 fans=1,2,3,4", "board.txt:1: fans needs 3 values, got 4", {}},
    {"lm75 index too high", "at 0 lm75.9=30", "board.txt:1: lm75 index '9' out of range 1..8", {}},
    {"lm75 index zero", "at 0 lm75.0=30", "board.txt:1: lm75 index '0' out of range 1..8", {}},
    {"time going backwards",
     "at 60 temp=1\n# later\nat 30 temp=2",
     "board.txt:3: time goes backwards (30 after 60)",
     {}},
    {"negative time", "at -1 temp=1", "board.txt:1: time -1 is negative", {}},
    {"row without values", "at 5 # nothing", "board.txt:1: row at 5 gives no values", {}},
    {"value without key", "at 0 temp 35", "board.txt:1: expected key=value, got 'temp'", {}},
    {"key without value", "at 0 temp=", "board.txt:1: missing value for temp", {}},
    {"key twice in a row", "at 0 temp=1 temp=2", "board.txt:1: temp given twice in one row", {}},
    {"unknown chip", "chip lm80", "board.txt:1: unknown chip 'lm80' (lm78, lm79, w83781d or none)", {}},
    {"chip twice", "chip lm78\n\nchip lm79", "board.txt:3: chip given twice (first on line 1)", {}},
    {"decimal smbus", "smbus 5000", "board.txt:1: bad smbus '5000' (0xHEX or none)", {}},
    {"smbus beyond 16 bits", "smbus 0x10000", "board.txt:1: bad smbus '0x10000' (0xHEX up to 0xFFFF, or none)", {}},
    {"clock zero", "clock 0", "board.txt:1: clock 0 is out of range 1..2147483647", {}},
    {"text after a fact", "chip lm78 lm79", "board.txt:1: unexpected 'lm79' after chip", {}},
    {"more available than total", "memory total=100 available=200", "board.txt:1: available exceeds total", {}},
    {"load above 100", "memory total=100 available=50 load=101", "board.txt:1: load 101 is out of range 0..100", {}},
    {"negative memory",
     "memory total=-1 available=0",
     "board.txt:1: total -1 is out of range 0..9223372036854775807",
     {}},
    {"user name too long", "user " + kLongUser, "board.txt:1: user name longer than 255 bytes", {}},
    {"temperature beyond 32 bits",
     "at 0 temp=99999999999",
     "board.txt:1: temp 99999999999 is out of range -2147483648..2147483647",
     {}},
    {"line count over CRLF", "chip lm78\r\n\r\nat 0 tmp=1\r\n", "board.txt:3: unknown key 'tmp'", {}},
};

// Guards against a misread scenario and against a bad line accepted or reported at the wrong place.
TEST(ScenarioParser, Samples) {
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        ScenarioResult result = parseScenario(sample.text, "board.txt");
        if (!sample.error.empty()) {
            EXPECT_FALSE(result.scenario);
            EXPECT_EQ(result.error, sample.error);
            continue;
        }
        EXPECT_EQ(result.error, "");
        ASSERT_TRUE(result.scenario);
        sample.check(*result.scenario);
    }
}

// Files that cannot be read name the file and the reason, without a line.
TEST(ScenarioParser, UnreadableFilesNameTheFile) {
    const std::string missing = testing::TempDir() + "/kvx-sim-no-such-board.txt";
    EXPECT_EQ(loadScenarioFile(missing).error, missing + ": cannot open: No such file or directory");
    const std::string folder = testing::TempDir();
    EXPECT_EQ(loadScenarioFile(folder).error, folder + ": cannot read: Is a directory");
}

}  // namespace
}  // namespace kvx::sim
