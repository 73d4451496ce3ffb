// Black-box: the whole program, loading libkvx.so, runs headless on the demo
// board's fake tree; every rail, fan and temperature text it shows must match
// what `sensors -u` prints for the same tree in the same namespace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "demo_board.h"
#include "machine_trees.h"
#include "sensors_output.h"
#include "tests/blackbox/run_program.h"

using namespace kvx::lmsensors::testing;

namespace {

// sensors -u prints three decimals; figures are compared as exact thousandths.
long long thousandths(double printed) { return std::llround(printed * 1000.0); }

std::string withTwoDigits(long long hundredths) {
    const long long magnitude = std::llabs(hundredths);
    std::string text = (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + ".";
    text += static_cast<char>('0' + magnitude / 10 % 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

// The rail texts that fit a printed voltage: ": " and 2 decimals, half away
// from zero. A printed third decimal of 5 is itself rounded, so the true
// value may lie on either side of the half: both neighbours fit then.
std::vector<std::string> railTextsFor(double printed) {
    const long long t = thousandths(printed);
    const long long sign = t < 0 ? -1 : 1;
    const long long down = std::llabs(t) / 10, rest = std::llabs(t) % 10;
    std::vector<long long> hundredths;
    if (rest == 5) hundredths = {down, down + 1};
    else hundredths = {rest > 5 ? down + 1 : down};
    std::vector<std::string> texts;
    texts.reserve(hundredths.size());
    for (long long h : hundredths) texts.push_back(": " + withTwoDigits(h == 0 ? 0 : sign * h));
    return texts;
}

// Temperatures here have no compute lines, so sensors' thousandths are the
// kernel's exact millidegrees.
long long wholeHalfAway(double printed) {
    const long long t = thousandths(printed);
    return (t < 0 ? -1 : 1) * ((std::llabs(t) + 500) / 1000);
}

long long wholeHalfEven(double printed) {
    const long long t = thousandths(printed);
    long long whole = t / 1000;
    const long long rest = std::llabs(t % 1000);
    if (rest > 500 || (rest == 500 && whole % 2 != 0)) whole += t < 0 ? -1 : 1;
    return whole;
}

// The figure without trailing zeros ("40.500" -> "40.5"): how the program
// writes a reading that is an exact binary fraction, as this board's are.
std::string plainFigure(double printed) {
    const long long t = thousandths(printed);
    std::string text = (t < 0 ? "-" : "") + std::to_string(std::llabs(t) / 1000);
    std::string fraction = std::to_string(1000 + std::llabs(t) % 1000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

QJsonObject control(const QJsonObject& dump, const char* name) { return dump["controls"].toObject()[name].toObject(); }

}  // namespace

TEST(LmsensorsKorvexBlackBox, ProgramShowsWhatSensorsPrints) {
    FakeSysfsTree tree;
    buildDemoBoard(tree);
    // Temperatures that tell the program's roundings apart: sensor 1 is the
    // library's whole number (35.75 -> 36), sensor 3 rounds halves to even
    // (38.5 -> 38, not 39); a fan without an input shows "not available".
    const std::string hwmon = tree.hwmonDir(5);
    kvx::test::writeFile(hwmon + "/temp1_input", "35750\n");
    kvx::test::writeFile(hwmon + "/temp3_input", "38500\n");
    std::filesystem::remove(hwmon + "/fan2_input");

    const std::string folder = kvx::test::makeTempFolder();
    const std::string script = folder + "/script.txt";
    const std::string dumpFile = folder + "/dump.json";
    const std::string sensorsFile = folder + "/sensors.txt";
    kvx::test::writeFile(script, "at 0 select Sensor2ComboBox 2\nat 0 select Sensor3ComboBox 3\n");
    const std::vector<std::string> args = {"--headless",       "--virtual-time",
                                           "--run-for",        "30",
                                           "--sensor-library", std::string(KVX_BIN_DIR) + "/libkvx.so",
                                           "--config-dir",     folder + "/config",
                                           "--program-folder", folder + "/program",
                                           "--script",         script,
                                           "--dump",           dumpFile};

    const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
        kvx::test::writeFile(sensorsFile, commandOutput("sensors -u"));
        const kvx::test::ProgramRun korvex = kvx::test::runKorvex(args);
        return std::to_string(korvex.exitCode) + "\n" + korvex.err;
    });
    if (run.skipped)
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << run.output;
    ASSERT_TRUE(run.ok) << run.output;
    ASSERT_EQ(run.output.substr(0, run.output.find('\n')), "0") << "korvex failed:\n" << run.output;

    const auto shown = parseSensorsRaw(kvx::test::readFile(sensorsFile));
    ASSERT_FALSE(shown.empty()) << "sensors -u printed nothing";
    QJsonParseError parseError;
    const QJsonObject dump =
        QJsonDocument::fromJson(QByteArray::fromStdString(kvx::test::readFile(dumpFile)), &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();

    const std::string chip = "w83781d-isa-0290/";
    const std::pair<const char*, const char*> rails[] = {{"Form1.Label10", "in0"}, {"Form1.Label9", "in2"},
                                                         {"Form1.Label5", "in3"},  {"Form1.Label6", "in6"},
                                                         {"Form1.Label7", "in4"},  {"Form1.Label8", "in5"}};
    for (const auto& [label, input] : rails) {
        SCOPED_TRACE(label);
        const auto volts = shownValue(shown, chip + input + "_input");
        ASSERT_TRUE(volts) << input << " missing from sensors -u";
        const std::string text = control(dump, label)["caption"].toString().toStdString();
        const auto fitting = railTextsFor(*volts);
        EXPECT_NE(std::find(fitting.begin(), fitting.end(), text), fitting.end())
            << "shows \"" << text << "\", sensors prints " << *volts;
    }

    const char* fanLabels[] = {"Form1.FMFan1RPMLabel", "Form1.FMFan2RPMLabel", "Form1.FMFan3RPMLabel"};
    for (int fan = 1; fan <= 3; ++fan) {
        SCOPED_TRACE(fanLabels[fan - 1]);
        const auto rpm = shownValue(shown, chip + "fan" + std::to_string(fan) + "_input");
        const std::string expected = rpm ? std::to_string(std::llround(*rpm)) : "not available";
        EXPECT_EQ(control(dump, fanLabels[fan - 1])["caption"].toString().toStdString(), expected);
    }
    EXPECT_FALSE(shownValue(shown, chip + "fan2_input")) << "the tree's fan 2 should have no reading";

    auto centre = [&](const char* gauge) { return control(dump, gauge)["centerLabel"].toString().toStdString(); };
    const auto temp1 = shownValue(shown, chip + "temp1_input");
    const auto temp2 = shownValue(shown, chip + "temp2_input");
    const auto temp3 = shownValue(shown, chip + "temp3_input");
    ASSERT_TRUE(temp1 && temp2 && temp3);
    EXPECT_EQ(centre("Form1.VUMeterWB1"), std::to_string(wholeHalfAway(*temp1)) + "°C");
    EXPECT_EQ(centre("Form1.VUMeterLM75"), plainFigure(*temp2) + "°C");
    EXPECT_EQ(centre("Form1.VUMeterWB2"), std::to_string(wholeHalfEven(*temp3)) + "°C");
}

// Guards against an abort (std::stoi out of range thrown across the C boundary)
// at every start on an SMBus override that is no adapter number: the program
// reports the file and line and ends with exit code 2.
TEST(LmsensorsKorvexBlackBox, ImpossibleSmbusOverrideIsOneLineStartupError) {
    const std::pair<const char*, const char*> cases[] = {
        {"i2c-99999999999",
         "user.reg:5: sensor override \"SMBus\" = \"i2c-99999999999\": the adapter number is out of range"},
        {"i2c-4x", "user.reg:5: sensor override \"SMBus\" must be i2c-N or none, not \"i2c-4x\""},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        const std::string folder = kvx::test::makeTempFolder();
        std::filesystem::create_directories(folder + "/config");
        kvx::test::writeFile(folder + "/config/user.reg",
                             "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n"
                             "\"Temp2\"=\"temp2\"\n\"SMBus\"=\"" +
                                 std::string(value) + "\"\n");
        const kvx::test::ProgramRun run = kvx::test::runKorvex(
            {"--headless", "--virtual-time", "--run-for", "5", "--sensor-library",
             std::string(KVX_BIN_DIR) + "/libkvx.so", "--config-dir", folder + "/config", "--program-folder",
             folder + "/program"});
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(folder + "/config/" + expected), std::string::npos) << run.err;
    }
}

namespace {

// What each machine's three temperature operations, fans and rails must read,
// as `sensors -u` keys ("" = no reading).
struct MachineExpectation {
    const char* machine;
    std::array<const char*, 3> temps;  // GetLM78Temp, GetWinBondSensor2, GetWinBondSensor3
    std::array<const char*, 3> fans;
    std::array<std::pair<const char*, const char*>, 6> rails;  // rail text control, input
    bool chipPresent;
};

const MachineExpectation kMachines[] = {
    {"intel-laptop",
     {"coretemp-isa-0000/temp1_input", "acpitz-acpi-0/temp1_input", "nvme-pci-3d00/temp1_input"},
     {"thinkpad-isa-0000/fan1_input", "", ""},
     {{{"Form1.Label10", ""},
       {"Form1.Label9", ""},
       {"Form1.Label5", ""},
       {"Form1.Label6", ""},
       {"Form1.Label7", ""},
       {"Form1.Label8", ""}}},
     true},
    {"amd-desktop",
     {"k10temp-pci-00c3/temp1_input", "nct6775-isa-0290/temp1_input", "nvme-pci-0100/temp1_input"},
     {"nct6775-isa-0290/fan1_input", "nct6775-isa-0290/fan2_input", "nct6775-isa-0290/fan3_input"},
     {{{"Form1.Label10", "nct6775-isa-0290/in0_input"},
       {"Form1.Label9", "nct6775-isa-0290/in3_input"},
       {"Form1.Label5", "nct6775-isa-0290/in4_input"},
       {"Form1.Label6", ""},
       {"Form1.Label7", "nct6775-isa-0290/in1_input"},
       {"Form1.Label8", ""}}},
     true},
    {"arm-board",
     {"cpu_thermal-virtual-0/temp1_input", "", ""},
     {"", "", ""},
     {{{"Form1.Label10", ""},
       {"Form1.Label9", ""},
       {"Form1.Label5", ""},
       {"Form1.Label6", ""},
       {"Form1.Label7", ""},
       {"Form1.Label8", ""}}},
     false},
    {"server",
     {"coretemp-isa-0000/temp1_input", "coretemp-isa-0001/temp1_input", ""},
     {"", "", ""},
     {{{"Form1.Label10", ""},
       {"Form1.Label9", ""},
       {"Form1.Label5", ""},
       {"Form1.Label6", ""},
       {"Form1.Label7", ""},
       {"Form1.Label8", ""}}},
     false},
};

// The listing with this run's folders replaced, so that it compares with a golden file.
std::string withoutFolder(std::string text, const std::string& folder, const std::string& placeholder) {
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), placeholder);
    return text;
}

}  // namespace

// Guards against a board built from one mainboard chip: on today's machines
// (no such chip, or one among many) the program showed no temperature at all.
// Each machine's dump must show what `sensors -u` prints for the chosen inputs,
// and --list-sensors must match its golden file.
TEST(LmsensorsKorvexBlackBox, TodaysMachinesShowTheirSensors) {
    for (const MachineExpectation& expected : kMachines) {
        SCOPED_TRACE(expected.machine);
        FakeSysfsTree tree;
        findMachine(expected.machine)->build(tree);
        const std::string folder = kvx::test::makeTempFolder();
        const std::string script = folder + "/script.txt";
        const std::string dumpFile = folder + "/dump.json";
        const std::string sensorsFile = folder + "/sensors.txt";
        const std::string listFile = folder + "/list.txt";
        const std::string library = std::string(KVX_BIN_DIR) + "/libkvx.so";
        kvx::test::writeFile(script, "at 0 select Sensor2ComboBox 2\nat 0 select Sensor3ComboBox 3\n");
        const std::vector<std::string> args = {"--headless",       "--virtual-time",
                                               "--run-for",        "30",
                                               "--sensor-library", library,
                                               "--config-dir",     folder + "/config",
                                               "--program-folder", folder + "/program",
                                               "--script",         script,
                                               "--dump",           dumpFile};

        const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
            kvx::test::writeFile(sensorsFile, commandOutput("sensors -u"));
            kvx::test::writeFile(listFile,
                                 commandOutput(std::string(KVX_BIN_DIR) + "/korvex --list-sensors --sensor-library " +
                                               library + " --config-dir " + folder + "/config"));
            const kvx::test::ProgramRun korvex = kvx::test::runKorvex(args);
            return std::to_string(korvex.exitCode) + "\n" + korvex.err;
        });
        if (run.skipped)
            GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << run.output;
        ASSERT_TRUE(run.ok) << run.output;
        ASSERT_EQ(run.output.substr(0, run.output.find('\n')), "0") << "korvex failed:\n" << run.output;
        EXPECT_EQ(run.output.find("No LM78 Detected") == std::string::npos, expected.chipPresent) << run.output;

        const auto shown = parseSensorsRaw(kvx::test::readFile(sensorsFile));
        ASSERT_FALSE(shown.empty()) << "sensors -u printed nothing";
        QJsonParseError parseError;
        const QJsonObject dump =
            QJsonDocument::fromJson(QByteArray::fromStdString(kvx::test::readFile(dumpFile)), &parseError).object();
        ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();
        auto caption = [&](const char* name) { return control(dump, name)["caption"].toString().toStdString(); };
        auto centre = [&](const char* gauge) { return control(dump, gauge)["centerLabel"].toString().toStdString(); };
        auto reading = [&](const char* key) -> std::optional<double> {
            if (!*key) return std::nullopt;
            const auto value = shownValue(shown, key);
            EXPECT_TRUE(value) << key << " missing from sensors -u";
            return value;
        };

        const auto t1 = reading(expected.temps[0]), t2 = reading(expected.temps[1]), t3 = reading(expected.temps[2]);
        EXPECT_EQ(centre("Form1.VUMeterWB1"), t1 ? std::to_string(wholeHalfAway(*t1)) + "°C" : "");
        EXPECT_EQ(centre("Form1.VUMeterLM75"), t2 ? plainFigure(*t2) + "°C" : "");
        EXPECT_EQ(centre("Form1.VUMeterWB2"), t3 ? std::to_string(wholeHalfEven(*t3)) + "°C" : "");

        const char* fanLabels[] = {"Form1.FMFan1RPMLabel", "Form1.FMFan2RPMLabel", "Form1.FMFan3RPMLabel"};
        for (int fan = 0; fan < 3; ++fan) {
            const auto rpm = reading(expected.fans[fan]);
            // Without rails or fans the program reads neither and keeps the initial "0".
            const std::string none = expected.chipPresent ? "not available" : "0";
            EXPECT_EQ(caption(fanLabels[fan]), rpm ? std::to_string(std::llround(*rpm)) : none) << fanLabels[fan];
        }
        for (const auto& [label, input] : expected.rails) {
            const auto volts = reading(input);
            const std::string text = caption(label);
            if (!volts) {
                EXPECT_EQ(text, ":0") << label << " shows a rail no chip has";
                continue;
            }
            const auto fitting = railTextsFor(*volts);
            EXPECT_NE(std::find(fitting.begin(), fitting.end(), text), fitting.end())
                << label << " shows \"" << text << "\", sensors prints " << *volts;
        }

        const std::string golden = std::string(KVX_TEST_DATA_DIR) + "/list-sensors/" + expected.machine + ".txt";
        const std::string listing = withoutFolder(withoutFolder(kvx::test::readFile(listFile), KVX_BIN_DIR, "BIN"),
                                                  folder, "FOLDER");
        if (std::getenv("KVX_UPDATE_GOLDEN")) kvx::test::writeFile(golden, listing);
        EXPECT_EQ(listing, kvx::test::readFile(golden)) << "--list-sensors differs from " << golden;
    }
}

// Guards against a choice the user cannot see or change: the override key
// rebinds any channel (a label on any chip, "none"), --list-sensors says so,
// works without a display, and the simulated board never passes for real.
TEST(LmsensorsKorvexBlackBox, ListSensorsShowsOverridesAndTheSimulatedBoard) {
    FakeSysfsTree tree;
    findMachine("intel-laptop")->build(tree);
    tree.setUserReg(
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvex\\Sensors]\n"
        "\"Temp1\"=\"coretemp-isa-0000/Core 1\"\n\"Fan1\"=\"none\"\n\"Temp2\"=\"Sensor 2\"\n");
    const std::string korvex = std::string(KVX_BIN_DIR) + "/korvex";
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
        return commandOutput(noDisplay + korvex + " --list-sensors --sensor-library " + KVX_BIN_DIR +
                             "/libkvx.so --config-dir " + tree.configDir() + "; echo \"exit=$?\"");
    });
    if (run.skipped)
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << run.output;
    ASSERT_TRUE(run.ok) << run.output;
    for (const char* line :
         {"Core 1:        +52.0°C   (temp3)  -> Temp1\n", "Sensor 2:   +41.9°C   (temp3)  -> Temp2\n",
          "override \"Temp1\"=\"coretemp-isa-0000/Core 1\"\n", "GetLM78Fans fan 1; override \"Fan1\"=\"none\"\n",
          "rails and fans are read: no\n", "exit=0\n"})
        EXPECT_NE(run.output.find(line), std::string::npos) << "missing: " << line << "in:\n" << run.output;

    const std::string simulated = commandOutput(noDisplay + korvex + " --list-sensors --sensor-library " + KVX_BIN_DIR +
                                                "/libkvx-sim.so");
    EXPECT_NE(simulated.find("SIMULATED BOARD"), std::string::npos) << simulated;
}

// Guards against a crash or a stale value when a chip goes away while the
// program runs: korvex in real time shows the processor and the fan, the
// coretemp and thinkpad chips are removed from the tree, and the next polls
// show "no reading" for them while the other temperatures go on. Takes about
// 22 s of real time (the default poll interval is 10 s); nothing here is timed:
// the chips go right after the first dump, long before the next poll.
TEST(LmsensorsKorvexBlackBox, ChipRemovedWhileRunningGivesNoReading) {
    FakeSysfsTree tree;
    findMachine("intel-laptop")->build(tree);
    const std::string folder = kvx::test::makeTempFolder();
    const std::string script = folder + "/script.txt";
    const std::string before = folder + "/before.json", after = folder + "/after.json";
    kvx::test::writeFile(script, "at 0 select Sensor2ComboBox 2\nat 2 dump " + before + "\n");
    const std::vector<std::string> args = {"--headless",
                                           "--run-for",
                                           "22",
                                           "--sensor-library",
                                           std::string(KVX_BIN_DIR) + "/libkvx.so",
                                           "--config-dir",
                                           folder + "/config",
                                           "--program-folder",
                                           folder + "/program",
                                           "--script",
                                           script,
                                           "--dump",
                                           after};

    const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
        const std::string errFile = folder + "/err.txt";
        const int pid = kvx::test::startKorvex(args, errFile);
        for (int waited = 0; !std::filesystem::exists(before) && waited < 600; ++waited) usleep(100 * 1000);
        std::filesystem::remove_all(tree.hwmonDir(4));  // coretemp
        std::filesystem::remove_all(tree.hwmonDir(3));  // thinkpad
        const kvx::test::ProgramRun korvex = kvx::test::waitKorvex(pid, errFile);
        return std::to_string(korvex.exitCode) + "\n" + korvex.err;
    });
    if (run.skipped)
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << run.output;
    ASSERT_TRUE(run.ok) << run.output;
    ASSERT_EQ(run.output.substr(0, run.output.find('\n')), "0") << "korvex failed:\n" << run.output;

    auto dumpOf = [](const std::string& file) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(kvx::test::readFile(file))).object();
    };
    const QJsonObject first = dumpOf(before), last = dumpOf(after);
    auto centre = [](const QJsonObject& dump, const char* gauge) {
        return control(dump, gauge)["centerLabel"].toString().toStdString();
    };
    auto fan1 = [](const QJsonObject& dump) {
        return control(dump, "Form1.FMFan1RPMLabel")["caption"].toString().toStdString();
    };
    EXPECT_EQ(centre(first, "Form1.VUMeterWB1"), "53°C");
    EXPECT_EQ(fan1(first), "2430");
    EXPECT_EQ(centre(last, "Form1.VUMeterWB1"), "") << "a removed chip must not show its old value";
    EXPECT_EQ(fan1(last), "not available");
    EXPECT_EQ(centre(last, "Form1.VUMeterLM75"), "48°C") << "the other chips go on";
}

// Guards against scripts/run switching to the simulated board silently, or on
// machines that have temperatures but no fan: the choice follows what the
// library sees and is said in one line.
TEST(LmsensorsKorvexBlackBox, RunScriptChoosesTheBoardAndSaysWhich) {
    const std::string chooser = std::string(KVX_TEST_DATA_DIR) + "/../../../scripts/choose-board " + KVX_BIN_DIR;
    const std::pair<const char*, const char*> cases[] = {
        {"intel-laptop", "run: real sensors: coretemp, thinkpad, nvme, acpitz\n" KVX_BIN_DIR "/libkvx.so\n"},
        {"arm-board", "run: real sensors: cpu_thermal\n" KVX_BIN_DIR "/libkvx.so\n"},
        {"", "run: no sensors found: simulated board\n" KVX_BIN_DIR "/libkvx-sim.so\n"},  // no chips at all
    };
    for (const auto& [machine, expected] : cases) {
        SCOPED_TRACE(machine);
        FakeSysfsTree tree;
        if (*machine) findMachine(machine)->build(tree);
        // The choice goes to standard error, the library to standard output.
        const NamespaceRun run = runInFakeSysfs(tree.root(), [&] { return commandOutput(chooser + " 2>&1"); });
        if (run.skipped)
            GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << run.output;
        ASSERT_TRUE(run.ok) << run.output;
        EXPECT_EQ(run.output, expected);
    }
}
