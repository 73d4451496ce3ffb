#include "sensorlib/lmsensors/useful_temperatures.h"

#include <algorithm>
#include <cctype>

#include "sensorlib/lmsensors/chip_families.h"

namespace kvx::lmsensors {
namespace {

std::string lowered(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        if (!std::isspace(c) && c != '_') out += static_cast<char>(std::tolower(c));
    return out;
}

bool isTemperature(const FeatureInfo& f) { return f.kind == FeatureKind::Temperature; }

// The first temperature of `chip` whose label (lower case, no spaces) starts
// with one of `labels`, tried in that order; -1 for none.
int temperatureLabelled(const ChipInfo& chip, std::initializer_list<const char*> labels) {
    for (const char* wanted : labels)
        for (std::size_t f = 0; f < chip.features.size(); ++f)
            if (isTemperature(chip.features[f]) && lowered(chip.features[f].label).rfind(wanted, 0) == 0)
                return static_cast<int>(f);
    return -1;
}

int firstTemperature(const ChipInfo& chip) {
    for (std::size_t f = 0; f < chip.features.size(); ++f)
        if (isTemperature(chip.features[f])) return static_cast<int>(f);
    return -1;
}

bool isOneOf(const std::string& prefix, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&prefix](const char* n) { return prefix == n; });
}

class Picker {
public:
    explicit Picker(const std::vector<ChipInfo>& chips) : chips_(chips) {}

    // Adds the feature unless it is already taken; true when added.
    bool take(int chip, int feature, const std::string& role) {
        if (chip < 0 || feature < 0) return false;
        const FeatureRef ref{chip, feature};
        for (const TemperatureChoice& c : list_)
            if (c.feature == ref) return false;
        const ChipInfo& info = chips_[chip];
        list_.push_back({ref, role + " (" + info.prefix + " " + info.features[feature].label + ")"});
        return true;
    }
    std::vector<TemperatureChoice> result() { return std::move(list_); }

private:
    const std::vector<ChipInfo>& chips_;
    std::vector<TemperatureChoice> list_;
};

// Every processor package: coretemp's "Package id N", AMD's Tdie (the true
// die temperature) before Tctl (which may carry a fan-control offset), and
// the thermal zone of small boards.
std::vector<FeatureRef> processorPackages(const std::vector<ChipInfo>& chips) {
    std::vector<FeatureRef> found;
    for (std::size_t c = 0; c < chips.size(); ++c) {
        const ChipInfo& chip = chips[c];
        int f = -1;
        if (chip.prefix == "coretemp") {
            f = temperatureLabelled(chip, {"packageid", "physicalid"});
            if (f < 0) f = firstTemperature(chip);
        } else if (isOneOf(chip.prefix, {"k10temp", "zenpower", "k8temp", "fam15h_power"})) {
            f = temperatureLabelled(chip, {"tdie", "tctl"});
            if (f < 0) f = firstTemperature(chip);
        } else if (isOneOf(chip.prefix, {"cpu_thermal", "cpu-thermal", "soc_thermal", "cpu0_thermal"})) {
            f = firstTemperature(chip);
        }
        if (f >= 0) found.push_back({static_cast<int>(c), f});
    }
    return found;
}

// The mainboard's own temperature: the Super-I/O chip's system sensor (by
// label, else its first temperature), else the ACPI thermal zone.
FeatureRef mainboardTemperature(const std::vector<ChipInfo>& chips, int mainChip) {
    if (mainChip >= 0) {
        const ChipInfo& chip = chips[mainChip];
        int f = temperatureLabelled(chip,
                                    {"systin", "system", "systemp", "mbtemp", "m/btemp", "motherboard", "mainboard"});
        if (f < 0) f = firstTemperature(chip);
        if (f >= 0) return {mainChip, f};
    }
    for (std::size_t c = 0; c < chips.size(); ++c)
        if (chips[c].prefix == "acpitz") {
            const int f = firstTemperature(chips[c]);
            if (f >= 0) return {static_cast<int>(c), f};
        }
    return {};
}

// A drive: NVMe's "Composite" (the controller's own summary), or drivetemp.
FeatureRef driveTemperature(const std::vector<ChipInfo>& chips) {
    for (std::size_t c = 0; c < chips.size(); ++c) {
        const ChipInfo& chip = chips[c];
        if (chip.prefix != "nvme" && chip.prefix != "drivetemp") continue;
        int f = temperatureLabelled(chip, {"composite"});
        if (f < 0) f = firstTemperature(chip);
        if (f >= 0) return {static_cast<int>(c), f};
    }
    return {};
}

}  // namespace

std::vector<TemperatureChoice> usefulTemperatures(const std::vector<ChipInfo>& chips, int mainChip) {
    Picker picker(chips);
    const std::vector<FeatureRef> packages = processorPackages(chips);
    if (!packages.empty()) picker.take(packages[0].chip, packages[0].feature, "processor");
    const FeatureRef board = mainboardTemperature(chips, mainChip);
    picker.take(board.chip, board.feature, "mainboard");
    const FeatureRef drive = driveTemperature(chips);
    picker.take(drive.chip, drive.feature, "drive");
    for (std::size_t p = 1; p < packages.size(); ++p)
        picker.take(packages[p].chip, packages[p].feature, "another processor package");
    if (mainChip >= 0)
        for (std::size_t f = 0; f < chips[mainChip].features.size(); ++f)
            if (isTemperature(chips[mainChip].features[f]))
                picker.take(mainChip, static_cast<int>(f), "mainboard chip");
    return picker.result();
}

}  // namespace kvx::lmsensors
