#include "machine_trees.h"

namespace kvx::lmsensors::testing {
namespace {

// One coretemp chip: the package and its cores, each with the limits the driver exposes.
std::map<std::string, std::string> coretemp(const std::string& package, const std::vector<int>& milliDegrees) {
    std::string pairs;
    for (std::size_t i = 0; i < milliDegrees.size(); ++i) {
        const std::string t = "temp" + std::to_string(i + 1);
        const std::string label = i == 0 ? "Package id " + package : "Core " + std::to_string(i - 1);
        pairs += t + "_input=" + std::to_string(milliDegrees[i]) + ";" + t + "_label=" + label + ";" + t +
                 "_max=100000;" + t + "_crit=100000;" + t + "_crit_alarm=0;";
    }
    pairs.pop_back();
    return attributes(pairs);
}

// A ThinkPad-like laptop: coretemp with the package and four cores, the ACPI
// thermal zone, an NVMe drive, thinkpad_acpi's fan and the battery's voltage
// (which is no supply rail).
void buildIntelLaptop(FakeSysfsTree& tree) {
    tree.addChip({"acpitz", "LNXTHERM:00", "acpi", attributes("temp1_input=48000;temp1_crit=128000"), 0});
    tree.addChip({"BAT0", "PNP0C0A:00", "acpi", {{"in0_input", "12350"}}, 1});
    tree.addChip({"nvme", "0000:3d:00.0", "pci",
                  attributes("temp1_input=38850;temp1_label=Composite;temp1_max=81850;temp1_min=-273150;"
                             "temp1_crit=84850;temp1_alarm=0;temp2_input=38850;temp2_label=Sensor 1;"
                             "temp2_max=65261850;temp2_min=-273150;temp3_input=41850;temp3_label=Sensor 2;"
                             "temp3_max=65261850;temp3_min=-273150"),
                  2});
    tree.addChip({"thinkpad", "thinkpad_hwmon", "platform", attributes("fan1_input=2430;temp1_input=52000"), 3});
    tree.addChip({"coretemp", "coretemp.0", "platform", coretemp("0", {53000, 51000, 52000, 49000, 50000}), 4});
}

// A Ryzen desktop: k10temp (Tctl, Tccd1), an nct6775 Super-I/O whose rails
// are named and scaled by sensors.conf, a Radeon card and an NVMe drive.
void buildAmdDesktop(FakeSysfsTree& tree) {
    tree.addChip({"nvme", "0000:01:00.0", "pci",
                  attributes("temp1_input=36850;temp1_label=Composite;temp1_max=82850;temp1_min=-273150;"
                             "temp1_crit=84850;temp1_alarm=0"),
                  0});
    tree.addChip({"amdgpu", "0000:03:00.0", "pci",
                  attributes("temp1_input=40000;temp1_label=edge;temp1_crit=100000;temp2_input=42000;"
                             "temp2_label=junction;temp2_crit=110000;temp3_input=44000;temp3_label=mem;"
                             "temp3_crit=100000;in0_input=806;in0_label=vddgfx;fan1_input=0;fan1_min=0;fan1_max=3300"),
                  1});
    tree.addChip({"k10temp", "0000:00:18.3", "pci",
                  attributes("temp1_input=45500;temp1_label=Tctl;temp3_input=44250;temp3_label=Tccd1"), 2});
    tree.addChip({"nct6775", "nct6775.656", "platform",
                  attributes("in0_input=880;in1_input=1008;in2_input=3360;in3_input=3344;in4_input=1016;"
                             "in5_input=1672;in6_input=1088;in7_input=3392;in8_input=3264;fan1_input=1104;"
                             "fan2_input=853;fan3_input=0;temp1_input=32000;temp1_label=SYSTIN;temp2_input=40500;"
                             "temp2_label=CPUTIN;temp3_input=38000;temp3_label=AUXTIN0"),
                  3});
    tree.setSensorsConf(R"(chip "nct6775-*"
    label in0 "Vcore"
    label in1 "+12V"
    compute in1 @*12, @/12
    label in2 "AVCC"
    label in3 "+3.3V"
    label in4 "+5V"
    compute in4 @*5, @/5
    label in7 "3VSB"
    label in8 "Vbat"
)");
}

// A Raspberry Pi-like board: the SoC's thermal zone and nothing else.
void buildArmBoard(FakeSysfsTree& tree) { tree.addChip({"cpu_thermal", "", "", {{"temp1_input", "47236"}}, 0}); }

// A two-socket server: one coretemp chip per package.
void buildServer(FakeSysfsTree& tree) {
    for (int package = 0; package < 2; ++package) {
        const int base = 55000 + 4000 * package;
        const std::string id = std::to_string(package);
        tree.addChip(
            {"coretemp", "coretemp." + id, "platform", coretemp(id, {base, base - 3000, base - 2000}), package});
    }
}

}  // namespace

const std::vector<Machine>& machines() {
    static const std::vector<Machine> all = {
        {"intel-laptop", buildIntelLaptop},
        {"amd-desktop", buildAmdDesktop},
        {"arm-board", buildArmBoard},
        {"server", buildServer},
    };
    return all;
}

const Machine* findMachine(const std::string& name) {
    for (const Machine& m : machines())
        if (name == m.name) return &m;
    return nullptr;
}

}  // namespace kvx::lmsensors::testing
