// Black-box: the whole program, loading libkvx.so, runs headless on fake
// trees of real machines and of the demo board; every rail, fan and
// temperature text it shows, and every metric it writes, must match what
// `sensors -u` prints for the same tree in the same namespace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "demo_board.h"
#include "machine_trees.h"
#include "sensors_output.h"
#include "tests/blackbox/run_program.h"

using namespace kvx::lmsensors::testing;

namespace {

const std::string kLibrary = std::string(KVX_BIN_DIR) + "/libkvx.so";

#define REQUIRE_NAMESPACE_RUN(run)                                                                               \
    if ((run).skipped)                                                                                           \
        GTEST_SKIP() << "SKIPPED, NOT PASSED: this machine refuses a private mount namespace: " << (run).output; \
    ASSERT_TRUE((run).ok) << (run).output

// A namespace body's answer: korvex's exit code, then its standard error.
std::string exitAndErrors(const kvx::test::ProgramRun& run) { return std::to_string(run.exitCode) + "\n" + run.err; }

std::vector<std::string> korvexArgs(const std::string& folder, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--headless",       "--sensor-library", kLibrary,           "--config-dir",
                                     folder + "/config", "--program-folder", folder + "/program"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

QJsonObject readDump(const std::string& file) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(kvx::test::readFile(file))).object();
}

std::string property(const QJsonObject& dump, const char* control, const char* name) {
    return dump["controls"].toObject()[control].toObject()[name].toString().toStdString();
}

// sensors -u prints three decimals; figures are compared as exact thousandths.
long long thousandths(double printed) { return std::llround(printed * 1000.0); }

// The rail texts that fit a printed voltage: ": " and 2 decimals, half away
// from zero. A printed third decimal of 5 is itself rounded, so the true
// value may lie on either side of the half: both neighbours fit then.
std::vector<std::string> railTextsFor(double printed) {
    const long long t = thousandths(printed);
    const long long down = std::llabs(t) / 10, rest = std::llabs(t) % 10;
    std::vector<long long> hundredths = rest == 5 ? std::vector{down, down + 1}
                                                  : std::vector{rest > 5 ? down + 1 : down};
    std::vector<std::string> texts;
    for (long long h : hundredths) {
        char text[32];
        std::snprintf(text, sizeof text, ": %s%lld.%02lld", t < 0 && h != 0 ? "-" : "", h / 100, h % 100);
        texts.emplace_back(text);
    }
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
// writes a reading that is an exact binary fraction, as these trees' are.
std::string plainFigure(double printed) {
    const long long t = thousandths(printed);
    std::string text = (t < 0 ? "-" : "") + std::to_string(std::llabs(t) / 1000);
    std::string fraction = std::to_string(1000 + std::llabs(t) % 1000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

// The listing with this run's folders replaced, so that it compares with a golden file.
std::string withoutFolder(std::string text, const std::string& folder, const std::string& placeholder) {
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), placeholder);
    return text;
}

// Guards against "source" labels that name the simulated board's channels
// instead of the real inputs, and rails the machine does not have turning up as 0 V.
void expectAmdDesktopMetrics(const std::map<std::string, double>& shown, const std::string& prom) {
    std::map<std::string, double> metrics;
    std::istringstream in(prom);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            metrics[line.substr(0, line.rfind(' '))] = std::stod(line.substr(line.rfind(' ') + 1));
    auto sample = [&](const std::string& name) { return shownValue(metrics, name); };
    // Sensors 2 and 3 read the library's double values; sensor 1 its whole degrees.
    EXPECT_EQ(sample(R"(korvex_temperature_celsius{sensor="2",name="Sensor 2",source="nct6775-isa-0290/SYSTIN"})"),
              shownValue(shown, "nct6775-isa-0290/temp1_input"));
    EXPECT_EQ(sample(R"(korvex_temperature_celsius{sensor="3",name="Sensor 3",source="nvme-pci-0100/Composite"})"),
              shownValue(shown, "nvme-pci-0100/temp1_input"));
    EXPECT_TRUE(sample(R"(korvex_temperature_celsius{sensor="1",name="Sensor 1",source="k10temp-pci-00c3/Tctl"})"));
    for (const std::string fan : {"1", "2", "3"})
        EXPECT_EQ(sample("korvex_fan_rpm{fan=\"" + fan + "\",name=\"Fan " + fan + "\"}"),
                  shownValue(shown, "nct6775-isa-0290/fan" + fan + "_input"));
    const auto p12 = sample(R"(korvex_voltage_volts{rail="+12"})");
    ASSERT_TRUE(p12) << prom;
    EXPECT_NEAR(*p12, *shownValue(shown, "nct6775-isa-0290/in1_input"), 1e-9);
    EXPECT_FALSE(sample(R"(korvex_voltage_volts{rail="-12"})")) << "this board has no -12 V input";
    EXPECT_FALSE(sample(R"(korvex_voltage_out_of_band{rail="-5"})")) << "this board has no -5 V input";
    EXPECT_EQ(sample(R"(korvex_sensor_library_info{library=")" + kLibrary + R"(",chip="nct6775-isa-0290"})"), 1.0);
}

// The demo board with temperatures that tell the program's roundings apart:
// sensor 1 is the library's whole number (35.75 -> 36), sensor 3 rounds halves
// to even (38.5 -> 38, not 39); a fan without an input shows "not available".
void buildRoundingDemoBoard(FakeSysfsTree& tree) {
    buildDemoBoard(tree);
    kvx::test::writeFile(tree.hwmonDir(5) + "/temp1_input", "35750\n");
    kvx::test::writeFile(tree.hwmonDir(5) + "/temp3_input", "38500\n");
    std::filesystem::remove(tree.hwmonDir(5) + "/fan2_input");
}

// What each tree's three temperature operations, fans and rails must read, as
// `sensors -u` keys ("" = no reading).
struct MachineExpectation {
    const char* machine;  // also the golden --list-sensors file; "" = none
    std::function<void(FakeSysfsTree&)> build;
    std::array<const char*, 3> temps;  // GetLM78Temp, GetWinBondSensor2, GetWinBondSensor3
    std::array<const char*, 3> fans;
    std::array<const char*, 6> rails;  // Label10, Label9, Label5, Label6, Label7, Label8
    bool chipPresent;
};

const char* const kRailLabels[] = {"Form1.Label10", "Form1.Label9", "Form1.Label5",
                                   "Form1.Label6",  "Form1.Label7", "Form1.Label8"};
const char* const kFanLabels[] = {"Form1.FMFan1RPMLabel", "Form1.FMFan2RPMLabel", "Form1.FMFan3RPMLabel"};

const MachineExpectation kMachines[] = {
    {"",
     buildRoundingDemoBoard,
     {"w83781d-isa-0290/temp1_input", "w83781d-isa-0290/temp2_input", "w83781d-isa-0290/temp3_input"},
     {"w83781d-isa-0290/fan1_input", "", "w83781d-isa-0290/fan3_input"},
     {"w83781d-isa-0290/in0_input", "w83781d-isa-0290/in2_input", "w83781d-isa-0290/in3_input",
      "w83781d-isa-0290/in6_input", "w83781d-isa-0290/in4_input", "w83781d-isa-0290/in5_input"},
     true},
    {"intel-laptop",
     findMachine("intel-laptop")->build,
     {"coretemp-isa-0000/temp1_input", "acpitz-acpi-0/temp1_input", "nvme-pci-3d00/temp1_input"},
     {"thinkpad-isa-0000/fan1_input", "", ""},
     {"", "", "", "", "", ""},
     true},
    {"amd-desktop",
     findMachine("amd-desktop")->build,
     {"k10temp-pci-00c3/temp1_input", "nct6775-isa-0290/temp1_input", "nvme-pci-0100/temp1_input"},
     {"nct6775-isa-0290/fan1_input", "nct6775-isa-0290/fan2_input", "nct6775-isa-0290/fan3_input"},
     {"nct6775-isa-0290/in0_input", "nct6775-isa-0290/in3_input", "nct6775-isa-0290/in4_input", "",
      "nct6775-isa-0290/in1_input", ""},
     true},
    {"arm-board",
     findMachine("arm-board")->build,
     {"cpu_thermal-virtual-0/temp1_input", "", ""},
     {"", "", ""},
     {"", "", "", "", "", ""},
     false},
    {"server",
     findMachine("server")->build,
     {"coretemp-isa-0000/temp1_input", "coretemp-isa-0001/temp1_input", ""},
     {"", "", ""},
     {"", "", "", "", "", ""},
     false},
};

}  // namespace

// Guards against a board built from one mainboard chip: on today's machines
// (no such chip, or one among many) the program showed no temperature at all.
// Each tree's dump must show what `sensors -u` prints for the chosen inputs,
// --list-sensors must match its golden file, and the AMD desktop's metrics
// must carry the same readings.
TEST(LmsensorsKorvexBlackBox, TodaysMachinesShowTheirSensors) {
    for (const MachineExpectation& expected : kMachines) {
        SCOPED_TRACE(*expected.machine ? expected.machine : "demo board");
        FakeSysfsTree tree;
        expected.build(tree);
        const std::string folder = kvx::test::makeTempFolder();
        kvx::test::writeFile(folder + "/script.txt", "at 0 select Sensor2ComboBox 2\nat 0 select Sensor3ComboBox 3\n");
        const auto args = korvexArgs(folder, {"--virtual-time", "--run-for", "30", "--script", folder + "/script.txt",
                                              "--dump", folder + "/dump.json", "--metrics-dir", folder + "/textfile"});
        const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
            kvx::test::writeFile(folder + "/sensors.txt", commandOutput("sensors -u"));
            kvx::test::writeFile(folder + "/list.txt",
                                 commandOutput(std::string(KVX_BIN_DIR) + "/korvex --list-sensors --sensor-library " +
                                               kLibrary + " --config-dir " + folder + "/config"));
            return exitAndErrors(kvx::test::runKorvex(args));
        });
        REQUIRE_NAMESPACE_RUN(run);
        ASSERT_EQ(run.output.substr(0, run.output.find('\n')), "0") << "korvex failed:\n" << run.output;
        EXPECT_EQ(run.output.find("No LM78 Detected") == std::string::npos, expected.chipPresent) << run.output;

        const auto shown = parseSensorsRaw(kvx::test::readFile(folder + "/sensors.txt"));
        ASSERT_FALSE(shown.empty()) << "sensors -u printed nothing";
        const QJsonObject dump = readDump(folder + "/dump.json");
        ASSERT_FALSE(dump.isEmpty()) << "no dump";
        auto reading = [&](const char* key) -> std::optional<double> {
            if (!*key) return std::nullopt;
            const auto value = shownValue(shown, key);
            EXPECT_TRUE(value) << key << " missing from sensors -u";
            return value;
        };

        const auto t1 = reading(expected.temps[0]), t2 = reading(expected.temps[1]), t3 = reading(expected.temps[2]);
        EXPECT_EQ(property(dump, "Form1.VUMeterWB1", "centerLabel"),
                  t1 ? std::to_string(wholeHalfAway(*t1)) + "°C" : "");
        EXPECT_EQ(property(dump, "Form1.VUMeterLM75", "centerLabel"), t2 ? plainFigure(*t2) + "°C" : "");
        EXPECT_EQ(property(dump, "Form1.VUMeterWB2", "centerLabel"),
                  t3 ? std::to_string(wholeHalfEven(*t3)) + "°C" : "");
        for (int fan = 0; fan < 3; ++fan) {
            const auto rpm = reading(expected.fans[fan]);
            // Without rails or fans the program reads neither and keeps the initial "0".
            const std::string none = expected.chipPresent ? "not available" : "0";
            EXPECT_EQ(property(dump, kFanLabels[fan], "caption"), rpm ? std::to_string(std::llround(*rpm)) : none)
                << kFanLabels[fan];
        }
        for (int rail = 0; rail < 6; ++rail) {
            const auto volts = reading(expected.rails[rail]);
            const std::string text = property(dump, kRailLabels[rail], "caption");
            const auto fitting = volts ? railTextsFor(*volts) : std::vector<std::string>{":0"};
            EXPECT_NE(std::find(fitting.begin(), fitting.end(), text), fitting.end())
                << kRailLabels[rail] << " shows \"" << text << "\", sensors prints " << volts.value_or(NAN);
        }
        if (std::string(expected.machine) == "amd-desktop")
            expectAmdDesktopMetrics(shown, kvx::test::readFile(folder + "/textfile/korvex.prom"));

        if (!*expected.machine) continue;
        const std::string golden = std::string(KVX_TEST_DATA_DIR) + "/list-sensors/" + expected.machine + ".txt";
        const std::string listing = withoutFolder(
            withoutFolder(kvx::test::readFile(folder + "/list.txt"), KVX_BIN_DIR, "BIN"), folder, "FOLDER");
        if (std::getenv("KVX_UPDATE_GOLDEN")) kvx::test::writeFile(golden, listing);
        EXPECT_EQ(listing, kvx::test::readFile(golden)) << "--list-sensors differs from " << golden;
    }
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
            korvexArgs(folder, {"--virtual-time", "--run-for", "5"}));
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(folder + "/config/" + expected), std::string::npos) << run.err;
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
    const std::string listSensors = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(KVX_BIN_DIR) +
                                    "/korvex --list-sensors --sensor-library ";
    const NamespaceRun run = runInFakeSysfs(tree.root(), [&] {
        return commandOutput(listSensors + kLibrary + " --config-dir " + tree.configDir() + "; echo \"exit=$?\"");
    });
    REQUIRE_NAMESPACE_RUN(run);
    for (const char* line :
         {"Core 1:        +52.0°C   (temp3)  -> Temp1\n", "Sensor 2:   +41.9°C   (temp3)  -> Temp2\n",
          "override \"Temp1\"=\"coretemp-isa-0000/Core 1\"\n", "GetLM78Fans fan 1; override \"Fan1\"=\"none\"\n",
          "rails and fans are read: no\n", "exit=0\n"})
        EXPECT_NE(run.output.find(line), std::string::npos) << "missing: " << line << "in:\n" << run.output;

    const std::string simulated = commandOutput(listSensors + KVX_BIN_DIR + "/libkvx-sim.so");
    EXPECT_NE(simulated.find("SIMULATED BOARD"), std::string::npos) << simulated;
}

// Guards against a crash or a stale value when a chip goes away while the
// program runs (a module unloaded, a drive removed): korvex in real time shows
// the processor and the fan, the coretemp and thinkpad chips are removed from
// the tree, and the next polls show "no reading" for them while the other
// temperatures go on. Takes about 22 s of real time (the default poll interval
// is 10 s); nothing here is timed: the chips go right after the first dump,
// long before the next poll.
TEST(LmsensorsKorvexBlackBox, ChipRemovedWhileRunningGivesNoReading) {
    FakeSysfsTree tree;
    findMachine("intel-laptop")->build(tree);
    const std::string folder = kvx::test::makeTempFolder();
    const std::string before = folder + "/before.json", after = folder + "/after.json";
    kvx::test::writeFile(folder + "/script.txt", "at 0 select Sensor2ComboBox 2\nat 2 dump " + before + "\n");
    const auto args = korvexArgs(folder, {"--run-for", "22", "--script", folder + "/script.txt", "--dump", after});
    const NamespaceRun run = runInFakeSysfs(tree.root(), [&]() -> std::string {
        const int pid = kvx::test::startKorvex(args, folder + "/err.txt");
        for (int waited = 0; !std::filesystem::exists(before) && waited < 600; ++waited) usleep(100 * 1000);
        std::filesystem::remove_all(tree.hwmonDir(4));  // coretemp
        std::filesystem::remove_all(tree.hwmonDir(3));  // thinkpad
        return exitAndErrors(kvx::test::waitKorvex(pid, folder + "/err.txt"));
    });
    REQUIRE_NAMESPACE_RUN(run);
    ASSERT_EQ(run.output.substr(0, run.output.find('\n')), "0") << "korvex failed:\n" << run.output;

    const QJsonObject first = readDump(before), last = readDump(after);
    EXPECT_EQ(property(first, "Form1.VUMeterWB1", "centerLabel"), "53°C");
    EXPECT_EQ(property(first, "Form1.FMFan1RPMLabel", "caption"), "2430");
    EXPECT_EQ(property(last, "Form1.VUMeterWB1", "centerLabel"), "") << "a removed chip must not show its old value";
    EXPECT_EQ(property(last, "Form1.FMFan1RPMLabel", "caption"), "not available");
    EXPECT_EQ(property(last, "Form1.VUMeterLM75", "centerLabel"), "48°C") << "the other chips go on";
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
        REQUIRE_NAMESPACE_RUN(run);
        EXPECT_EQ(run.output, expected);
    }
}
