// libkvx.so against fake sysfs trees read through the real libsensors, in a
// private mount namespace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "demo_board.h"
#include "library_probe.h"
#include "machine_trees.h"
#include "sensorlib/kvx.h"

using namespace kvx::lmsensors::testing;
using Expected = std::map<std::string, std::string>;

namespace {

// Expected answers as "check=1;chipid=45;...".
Expected answers(const std::string& pairs) { return attributes(pairs); }

#define REQUIRE_ANSWERS(answers)                                                                \
    if ((answers).skipped)                                                                      \
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace, " \
                        "so no fake sysfs can be shown to libsensors: "                         \
                     << (answers).error;                                                        \
    ASSERT_TRUE((answers).ok) << (answers).error

void expectAnswers(const LibraryAnswers& answers, const Expected& expected) {
    for (const auto& [key, value] : expected) {
        auto found = answers.values.find(key);
        ASSERT_NE(found, answers.values.end()) << "no answer for " << key;
        EXPECT_EQ(found->second, value) << "answer " << key;
    }
}

// A machine without a mainboard chip: no rails, fans or temperature operations.
const Expected kNothing = answers(
    "check=0;chipid=0;core0=nan;core1=nan;p33=nan;p5=nan;p12=nan;n12=nan;n5=nan;fan1=255;fan2=255;fan3=255;"
    "temp1=-1;wb2=-1.00;wb3=-1.00");

FakeChip lm78Chip() {
    FakeChip chip{"lm78", "lm78.656", "isa", {}, -1};
    for (int i = 0; i < 7; ++i) chip.attributes["in" + std::to_string(i) + "_input"] = std::to_string(1000 + 100 * i);
    chip.attributes["fan1_input"] = "3000";
    chip.attributes["fan2_input"] = "0";  // a stopped fan is a reading of 0, not "no reading"
    chip.attributes["temp1_input"] = "41600";
    return chip;
}

struct TreeCase {
    const char* what;
    std::function<void(FakeSysfsTree&)> build;
    Expected expected;
    std::function<void(const SymbolLookup&)> before = {};
};

void setFanDivisor(const SymbolLookup& lookup, int fan, int divisor) {
    reinterpret_cast<decltype(SetLM78FanDiv)*>(lookup("SetLM78FanDiv"))(fan, divisor);
}

Expected nothingAnd(const std::string& more) {
    Expected expected = answers(more);
    expected.insert(kNothing.begin(), kNothing.end());
    return expected;
}

const TreeCase kTrees[] = {
    {"an LM78-style chip feeds the rails in input order; a stopped fan reads 0, not \"no reading\"",
     [](FakeSysfsTree& tree) { tree.addChip(lm78Chip()); },
     answers("startup=;check=1;chipid=45;smbus=FFFE;core0=1.000;core1=1.100;p33=1.200;p5=1.300;"
             "p12=1.400;n12=1.500;n5=1.600;fan1=3000;fan2=0;fan3=255;temp1=42;wb2=-1.00;wb3=-1.00;"
             "lm75.91=-1")},
    {"the demo board: labels, compute lines, and LM75s by address on its own SMBus only", buildDemoBoard,
     answers("startup=;check=1;chipid=16;smbus=5000;core0=2.050;core1=2.800;p33=3.312;p5=5.023;"
             "p12=12.038;n12=-11.903;n5=-4.997;fan1=4500;fan2=4411;fan3=0;temp1=35;wb2=40.50;wb3=38.25;"
             "lm75.91=45;lm75.93=-1;lm75.95=52;lm75.9f=-1;lm75.90=-1;lm75.otherbus=-1")},
    // Guards against rails taken by input order where labels name them, and
    // ignored features still read: in1 carries +12V, so core port 1 has no
    // input; unnamed in5/in6 are no -12 V and -5 V (a false alarm far out of band).
    {"sensors.conf labels decide the rails and ignored features have no reading",
     [](FakeSysfsTree& tree) {
         FakeChip chip{"nct6775", "nct6775.656", "platform", lm78Chip().attributes, 2};
         chip.attributes["fan1_input"] = "1200";
         chip.attributes["fan2_input"] = "1300";
         chip.attributes["temp1_input"] = "30000";
         chip.attributes["temp2_input"] = "31000";
         tree.addChip(chip);
         tree.setSensorsConf(
             "chip \"nct6775-*\"\n label in0 \"Vcore\"\n label in1 \"+12V\"\n compute in1 @*12, @/12\n"
             " label in2 \"AVCC\"\n label in3 \"+3.3V\"\n label in4 \"+5V\"\n ignore fan2\n"
             " ignore temp2\n");
     },
     answers("check=1;chipid=0;core0=1.000;core1=nan;p12=13.200;p33=1.300;p5=1.400;n12=nan;n5=nan;"
             "fan1=1200;fan2=255;temp1=30;wb2=-1.00")},
    {"two LM75s without a mainboard chip; one on another adapter does not answer",
     [](FakeSysfsTree& tree) {
         tree.addChip({"lm75", "1-0049", "i2c", {{"temp1_input", "27500"}}, 3});
         tree.addChip({"lm75", "1-004f", "i2c", {{"temp1_input", "-5000"}}, 0});
         tree.addChip({"lm75", "2-0048", "i2c", {{"temp1_input", "99000"}}, 1});
         tree.addAdapter({1, "Synopsys DesignWare I2C adapter",
                          "0x00000000fe000000 0x00000000fe000fff 0x0000000000040200\n"
                          "0x000000000000f040 0x000000000000f05f 0x0000000000040101\n"});
         tree.addAdapter({2, "i915 gmbus dpc", ""});
     },
     nothingAnd("smbus=F040;lm75.91=-1;lm75.93=28;lm75.9f=-5")},
    {"a machine without chips", [](FakeSysfsTree&) {}, nothingAnd("startup=;smbus=FFFE;lm75.91=-1")},
    {"attributes that fail to read give no reading, never zero",
     [](FakeSysfsTree& tree) {
         FakeChip chip = lm78Chip();
         chip.attributes["in0_input"] = kFailWithEio;
         chip.attributes["in3_input"] = "garbage";
         chip.attributes["fan1_input"] = kFailWithEio;
         chip.attributes["temp1_input"] = kFailWithEio;
         tree.addChip(chip);
         tree.addChip({"lm75", "0-0048", "i2c", {{"temp1_input", kFailWithEio}}, -1});
     },
     answers("check=1;core0=nan;core1=1.100;p5=nan;fan1=255;fan2=0;temp1=-1;lm75.91=-1")},
    {"overrides rebind channels by chip name and label; other keys of the hive are not read",
     [](FakeSysfsTree& tree) {
         buildDemoBoard(tree);
         tree.addChip(
             {"it8728",
              "it87.2608",
              "platform",
              {{"temp1_input", "20000"}, {"temp2_input", "61000"}, {"temp3_input", "33000"}, {"fan1_input", "777"}},
              7});
         tree.setUserReg(
             "Windows Registry Editor Version 5.00\r\n\r\n"
             "[HKEY_CURRENT_USER\\Software\\Korvex]\r\n\"Temp1\"=\"ignored: not our key\"\r\n\r\n"
             "[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\r\n\"Temp1\"=\"it8728-isa-0a30/temp2\"\r\n"
             "\"temp2\"=\"M/B Temp\"\r\n\"Fan1\"=\"none\"\r\n\"Fan3\"=\"it8728-*/fan1\"\r\n"
             "\"LM75.8\"=\"it8728-isa-0a30/temp3\"\r\n");
     },
     answers("startup=;chipid=16;temp1=61;wb2=35.00;fan1=255;fan2=4411;fan3=777;lm75.9f=33;lm75.91=45")},
    // Guards against an abort (std::stoi out of range) on sysfs numbers beyond an int: an
    // i2c-adapter folder the kernel could not have made is no adapter; a huge hwmon
    // number or fan divisor changes nothing else, and a reading no int32 holds is none.
    {"huge numbers in sysfs names and values are no abort",
     [](FakeSysfsTree& tree) {
         buildDemoBoard(tree);
         const std::string chip = tree.root() + "/class/hwmon/hwmon99999999999";
         std::filesystem::rename(tree.hwmonDir(5), chip);
         std::ofstream(chip + "/fan1_div") << "99999999999999999999\n";
         std::ofstream(chip + "/temp1_input") << "99999999999999999999999\n";
         tree.addAdapter({7, "SMBus huge at 6000", ""});
         std::filesystem::rename(tree.root() + "/class/i2c-adapter/i2c-7",
                                 tree.root() + "/class/i2c-adapter/i2c-99999999999");
     },
     answers("startup=;check=1;chipid=16;smbus=5000;temp1=-1;wb2=40.50;wb3=38.25;lm75.91=45"),
     [](const SymbolLookup& lookup) { setFanDivisor(lookup, 1, 4); }},
    {"a faulty sensors.conf line is skipped as sensors does; the compute line after it applies",
     [](FakeSysfsTree& tree) {
         buildDemoBoard(tree);
         tree.setSensorsConf("chip \"w83781d-*\"\n    label in0\n    compute in3 @*2 , @/2\n");
     },
     answers("startup=;check=1;p5=5.980;core0=2.050")},
};

}  // namespace

TEST(LmsensorsFakeTree, LibraryAnswersFollowEachTree) {
    for (const TreeCase& c : kTrees) {
        SCOPED_TRACE(c.what);
        FakeSysfsTree tree;
        c.build(tree);
        const LibraryAnswers answers = probeLibrary(tree, c.before);
        REQUIRE_ANSWERS(answers);
        expectAnswers(answers, c.expected);
    }
}

TEST(LmsensorsFakeTree, FanDivisorIsWrittenThroughLibsensors) {
    FakeSysfsTree tree;
    buildDemoBoard(tree);
    const LibraryAnswers answers = probeLibrary(tree, [](const SymbolLookup& lookup) {
        setFanDivisor(lookup, 1, 8);
        setFanDivisor(lookup, 2, 3);  // not a divisor: ignored
    });
    REQUIRE_ANSWERS(answers);
    auto divisor = [&](int fan) {
        int value = 0;
        std::ifstream(tree.hwmonDir(5) + "/fan" + std::to_string(fan) + "_div") >> value;
        return value;
    };
    EXPECT_EQ(divisor(1), 8);
    EXPECT_EQ(divisor(2), 2);
}

// Guards against a broken override hive ignored silently: the library names the file and line and stays off.
TEST(LmsensorsFakeTree, BrokenOverrideIsAStartupErrorNamingTheFileAndLine) {
    FakeSysfsTree tree;
    buildDemoBoard(tree);
    tree.setUserReg(
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n"
        "\"Temp1\"=dword:00000001\n");
    const LibraryAnswers answers = probeLibrary(tree);
    REQUIRE_ANSWERS(answers);
    EXPECT_NE(answers.values.at("startup").find("user.reg:3"), std::string::npos) << answers.values.at("startup");
    EXPECT_EQ(answers.values.at("check"), "0");
}
