#include "sensorlib/lmsensors/chip_families.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kvx::lmsensors {
namespace {

// Super-I/O and i2c hardware monitors found on mainboards, as the kernel names them.
constexpr std::array kMainboardFamilies = {
    "w83*",    "it87*",   "it86*",    "nct6*",   "nct7*",   "f71*",     "f8000",   "sis5595", "via686a",
    "vt1211",  "vt8231",  "smsc47m*", "pc87360", "pc87427", "lm80",     "lm81",    "lm85",    "lm87",
    "lm93",    "adm1025", "adm1026",  "adm1027", "adm9240", "adt7463",  "adt7476", "asb100",  "as99127f",
    "gl518sm", "gl520sm", "dme1737",  "sch56*",  "asc7621", "emc6d10*",
};

constexpr std::array kLm75Family = {
    "lm75",    "lm75a",   "lm75b",   "ds75",   "ds1775", "ds7505",  "tmp75",  "tmp75b",  "tmp75c",
    "tmp100",  "tmp101",  "tmp105",  "tmp112", "tmp175", "tmp275",  "adt75",  "stds75",  "stlm75",
    "mcp980x", "max6625", "max6626", "g751",   "tcn75",  "pct2075", "as6200", "tmp1075",
};

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool hasAtLeast(const ChipInfo& chip, FeatureKind kind, int count) {
    return std::count_if(chip.features.begin(), chip.features.end(),
                         [kind](const FeatureInfo& f) { return f.kind == kind; }) >= count;
}

}  // namespace

bool globMatch(std::string_view pattern, std::string_view text) {
    std::size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(text[t]))) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

int mainboardChipRank(const ChipInfo& chip) {
    if (chip.prefix == "lm78" || chip.prefix == "lm79" || chip.prefix == "w83781d") return 0;
    for (const char* family : kMainboardFamilies)
        if (globMatch(family, chip.prefix)) return 1;
    const bool mainboardBus = chip.bus == BusKind::Isa || chip.bus == BusKind::I2c;
    if (mainboardBus && hasAtLeast(chip, FeatureKind::Voltage, 3) && hasAtLeast(chip, FeatureKind::Fan, 1)) return 2;
    return -1;
}

bool isLm75Family(std::string_view prefix) {
    return std::any_of(kLm75Family.begin(), kLm75Family.end(), [prefix](const char* name) { return prefix == name; });
}

int chipIdFor(std::string_view prefix) {
    if (prefix == "w83781d") return 0x10;
    if (prefix == "lm78" || prefix == "lm79") return 0x2D;
    return 0;
}

}  // namespace kvx::lmsensors
