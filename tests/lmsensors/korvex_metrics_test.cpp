// Black-box: korvex on an AMD desktop's fake tree writes its metrics with the chip
// inputs as sources and the values that `sensors -u` prints for the same tree.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "machine_trees.h"
#include "sensors_output.h"
#include "tests/blackbox/run_program.h"

using namespace kvx::lmsensors::testing;

namespace {

std::map<std::string, std::string> samples(const std::string& text) {
    std::map<std::string, std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') out[line.substr(0, line.rfind(' '))] = line.substr(line.rfind(' ') + 1);
    return out;
}

}  // namespace

// Guards against: "source" labels that name the simulated board's channels instead of the
// real inputs, and rails the machine does not have turning up as 0 V.
TEST(LmsensorsKorvexMetrics, AnAmdDesktopsMetricsNameItsInputsAndCarryItsReadings) {
    FakeSysfsTree tree;
    findMachine("amd-desktop")->build(tree);
    const std::string folder = kvx::test::makeTempFolder();
    const std::string sensorsFile = folder + "/sensors.txt";
    kvx::test::writeFile(folder + "/script.txt", "at 0 select Sensor2ComboBox 2\nat 0 select Sensor3ComboBox 3\n");
    const std::string library = std::string(KVX_BIN_DIR) + "/libkvx.so";
    const std::vector<std::string> args = {"--headless",       "--virtual-time",
                                           "--run-for",        "30",
                                           "--sensor-library", library,
                                           "--config-dir",     folder + "/config",
                                           "--program-folder", folder + "/program",
                                           "--script",         folder + "/script.txt",
                                           "--metrics-dir",    folder + "/textfile"};
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
    const auto metrics = samples(kvx::test::readFile(folder + "/textfile/korvex.prom"));
    auto sample = [&](const std::string& name) -> std::optional<double> {
        auto found = metrics.find(name);
        if (found == metrics.end()) return std::nullopt;
        return std::stod(found->second);
    };
    // Sensors 2 and 3 read the library's double values; sensor 1 its whole degrees.
    const auto systin = shownValue(shown, "nct6775-isa-0290/temp1_input");
    const auto nvme = shownValue(shown, "nvme-pci-0100/temp1_input");
    ASSERT_TRUE(systin && nvme);
    EXPECT_EQ(sample(R"(korvex_temperature_celsius{sensor="2",name="Sensor 2",source="nct6775-isa-0290/SYSTIN"})"),
              *systin);
    EXPECT_EQ(sample(R"(korvex_temperature_celsius{sensor="3",name="Sensor 3",source="nvme-pci-0100/Composite"})"),
              *nvme);
    EXPECT_TRUE(sample(R"(korvex_temperature_celsius{sensor="1",name="Sensor 1",source="k10temp-pci-00c3/Tctl"})"));
    for (int fan = 1; fan <= 3; ++fan) {
        const auto rpm = shownValue(shown, "nct6775-isa-0290/fan" + std::to_string(fan) + "_input");
        ASSERT_TRUE(rpm);
        EXPECT_EQ(
            sample("korvex_fan_rpm{fan=\"" + std::to_string(fan) + "\",name=\"Fan " + std::to_string(fan) + "\"}"),
            *rpm);
    }
    EXPECT_NEAR(*sample(R"(korvex_voltage_volts{rail="+12"})"), *shownValue(shown, "nct6775-isa-0290/in1_input"), 1e-9);
    EXPECT_FALSE(sample(R"(korvex_voltage_volts{rail="-12"})")) << "this board has no -12 V input";
    EXPECT_FALSE(sample(R"(korvex_voltage_out_of_band{rail="-5"})")) << "this board has no -5 V input";
    EXPECT_EQ(sample(R"(korvex_sensor_library_info{library=")" + library + R"(",chip="nct6775-isa-0290"})"), 1.0);
}
