#include "sensorlib/lmsensors/board_mapping.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>
#include <numeric>
#include <tuple>

#include "sensorlib/lmsensors/chip_families.h"
#include "sensorlib/lmsensors/useful_temperatures.h"

namespace kvx::lmsensors {
namespace {

constexpr std::array kRails = {Slot::Core0, Slot::Core1, Slot::P33, Slot::P5, Slot::P12, Slot::N12, Slot::N5};

struct RailLabels {
    Slot rail;
    std::initializer_list<const char*> labels;  // lower case, without spaces or underscores
};

const std::array<RailLabels, 7> kRailLabels = {{
    {Slot::Core0,
     {"vcore", "vcore1", "vcore0", "vcorea", "cpucore", "cpuvcore", "vcpu", "vcpu1", "core0", "cpu0vcore", "core"}},
    {Slot::Core1, {"vcore2", "vcoreb", "vcpu2", "core1", "cpu1vcore"}},
    {Slot::P33, {"+3.3v", "3.3v", "+3.3", "3.3", "3v3", "+3v3", "vcc3", "3vcc", "v3.3", "vcc3.3", "+3.3vin"}},
    {Slot::P5, {"+5v", "5v", "+5", "5vcc", "vcc5", "v5", "+5vin"}},
    {Slot::P12, {"+12v", "12v", "+12", "v12", "+12vin"}},
    {Slot::N12, {"-12v", "-12", "v-12", "-12vin"}},
    {Slot::N5, {"-5v", "-5", "v-5", "-5vin"}},
}};

std::string normalised(const std::string& label) {
    std::string out;
    for (unsigned char c : label)
        if (!std::isspace(c) && c != '_') out += static_cast<char>(std::tolower(c));
    return out;
}

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

int findFeature(const ChipInfo& chip, const std::string& name) {
    for (std::size_t i = 0; i < chip.features.size(); ++i)
        if (chip.features[i].name == name) return static_cast<int>(i);
    return -1;
}

// By feature name first, then by label, both without regard to case.
int findFeatureByNameOrLabel(const ChipInfo& chip, const std::string& wanted) {
    for (std::size_t i = 0; i < chip.features.size(); ++i)
        if (sameText(chip.features[i].name, wanted)) return static_cast<int>(i);
    for (std::size_t i = 0; i < chip.features.size(); ++i)
        if (sameText(chip.features[i].label, wanted)) return static_cast<int>(i);
    return -1;
}

void bindRails(const std::vector<ChipInfo>& chips, int chipIndex, BoardMap& map) {
    const ChipInfo& chip = chips[chipIndex];
    std::vector<bool> claimed(chip.features.size(), false);
    // A label that names a rail wins...
    for (std::size_t f = 0; f < chip.features.size(); ++f) {
        if (chip.features[f].kind != FeatureKind::Voltage) continue;
        const Slot rail = railForLabel(chip.features[f].label);
        if (rail == Slot::Count || map.slots[slotIndex(rail)].bound()) continue;
        map.slots[slotIndex(rail)] = {chipIndex, static_cast<int>(f)};
        map.reasons[slotIndex(rail)] = "labelled \"" + chip.features[f].label + "\"";
        claimed[f] = true;
    }
    // ... and where sensors.conf names rails, those names are the whole truth:
    // an unnamed in5 of a modern Super-I/O chip is no -12 V rail.
    if (std::find(claimed.begin(), claimed.end(), true) != claimed.end()) return;
    // Without any rail label, the rails take in0..in6 in library order.
    for (std::size_t r = 0; r < kRails.size(); ++r) {
        FeatureRef& slot = map.slots[slotIndex(kRails[r])];
        if (slot.bound()) continue;
        const int f = findFeature(chip, "in" + std::to_string(r));
        if (f < 0) continue;
        slot = {chipIndex, f};
        map.reasons[slotIndex(kRails[r])] = "in" + std::to_string(r) + " of the mainboard chip (no rail label)";
        claimed[f] = true;
    }
}

// Fans 1..3: the mainboard chip's fan1..fan3, then the fan inputs of any
// other chip (thinkpad, dell_smm, asus, a graphics card) in chip order.
void bindFans(const std::vector<ChipInfo>& chips, BoardMap& map) {
    constexpr std::array kFans = {Slot::Fan1, Slot::Fan2, Slot::Fan3};
    if (map.mainChip >= 0)
        for (std::size_t n = 0; n < kFans.size(); ++n) {
            const int f = findFeature(chips[map.mainChip], "fan" + std::to_string(n + 1));
            if (f < 0) continue;
            map.slots[slotIndex(kFans[n])] = {map.mainChip, f};
            map.reasons[slotIndex(kFans[n])] = "fan" + std::to_string(n + 1) + " of the mainboard chip";
        }
    std::size_t next = 0;
    for (std::size_t c = 0; c < chips.size(); ++c) {
        if (static_cast<int>(c) == map.mainChip) continue;
        for (std::size_t f = 0; f < chips[c].features.size(); ++f) {
            if (chips[c].features[f].kind != FeatureKind::Fan) continue;
            while (next < kFans.size() && map.slots[slotIndex(kFans[next])].bound()) ++next;
            if (next == kFans.size()) return;
            map.slots[slotIndex(kFans[next])] = {static_cast<int>(c), static_cast<int>(f)};
            map.reasons[slotIndex(kFans[next])] = "fan input of " + chips[c].prefix;
        }
    }
}

// Temperatures 1..3 (GetLM78Temp, GetWinBondSensor2/3) take the three most
// useful temperatures of the whole machine.
void bindTemperatures(const std::vector<ChipInfo>& chips, BoardMap& map) {
    constexpr std::array kTemps = {Slot::Temp1, Slot::Temp2, Slot::Temp3};
    const std::vector<TemperatureChoice> useful = usefulTemperatures(chips, map.mainChip);
    for (std::size_t n = 0; n < kTemps.size() && n < useful.size(); ++n) {
        map.slots[slotIndex(kTemps[n])] = useful[n].feature;
        map.reasons[slotIndex(kTemps[n])] = useful[n].reason;
    }
}

int firstMatchingChip(const std::vector<ChipInfo>& chips, const std::string& pattern) {
    for (std::size_t i = 0; i < chips.size(); ++i)
        if (globMatch(pattern, chips[i].name)) return static_cast<int>(i);
    return -1;
}

int chooseMainChip(const std::vector<ChipInfo>& chips, const Overrides& overrides, BoardMap& map) {
    if (overrides.chip) {
        if (*overrides.chip == "none") return -1;
        const int chip = firstMatchingChip(chips, *overrides.chip);
        if (chip < 0) map.warnings.push_back("override Chip: no chip matches \"" + *overrides.chip + "\"");
        return chip;
    }
    int best = -1, bestRank = 99;
    for (std::size_t i = 0; i < chips.size(); ++i) {
        const int rank = mainboardChipRank(chips[i]);
        if (rank >= 0 && rank < bestRank) {
            best = static_cast<int>(i);
            bestRank = rank;
        }
    }
    return best;
}

int chooseSmbusAdapter(const std::vector<ChipInfo>& chips, const std::vector<AdapterInfo>& adapters,
                       const Overrides& overrides) {
    if (overrides.smbusAdapter) return *overrides.smbusAdapter;
    for (const ChipInfo& chip : chips)
        if (chip.bus == BusKind::I2c && isLm75Family(chip.prefix)) return chip.busNumber;
    for (const AdapterInfo& adapter : adapters)
        if (normalised(adapter.name).find("smbus") != std::string::npos) return adapter.number;
    return -1;
}

void applyChannelOverrides(const std::vector<ChipInfo>& chips, const Overrides& overrides, BoardMap& map) {
    for (std::size_t s = 0; s < kSlotCount; ++s) {
        if (!overrides.slots[s]) continue;
        const ChannelOverride& channel = *overrides.slots[s];
        map.slots[s] = {};
        map.reasons[s] = "override \"" + slotValueName(static_cast<Slot>(s)) + "\"=\"" + channel.text + "\"";
        if (channel.none) continue;
        const std::string what = "override " + slotValueName(static_cast<Slot>(s)) + ": ";
        int chip = channel.chip.empty() ? map.mainChip : firstMatchingChip(chips, channel.chip);
        std::string feature = channel.feature;
        if (chip < 0 && !channel.chip.empty() && map.mainChip >= 0 &&
            findFeatureByNameOrLabel(chips[map.mainChip], channel.text) >= 0) {
            chip = map.mainChip;  // a label with a '/' in it, on the mainboard chip
            feature = channel.text;
        }
        if (chip < 0 && channel.chip.empty()) {
            for (std::size_t other = 0; other < chips.size() && chip < 0; ++other)
                if (findFeatureByNameOrLabel(chips[other], feature) >= 0) chip = static_cast<int>(other);
        }
        if (chip < 0) {
            map.warnings.push_back(what + (channel.chip.empty() ? "no chip has \"" + feature + "\""
                                                                : "no chip matches \"" + channel.chip + "\""));
            map.reasons[s] = map.warnings.back();
            continue;
        }
        int f = findFeatureByNameOrLabel(chips[chip], feature);
        // A bare feature not on the mainboard chip: the first chip that has it
        // ("Composite" on a machine whose mainboard chip has no such input).
        for (std::size_t other = 0; f < 0 && channel.chip.empty() && other < chips.size(); ++other) {
            f = findFeatureByNameOrLabel(chips[other], feature);
            if (f >= 0) chip = static_cast<int>(other);
        }
        if (f < 0) {
            map.warnings.push_back(what + chips[chip].name + " has no feature \"" + feature + "\"");
            map.reasons[s] = map.warnings.back();
            continue;
        }
        map.slots[s] = {chip, f};
        map.reasons[s] = "override \"" + slotValueName(static_cast<Slot>(s)) + "\"=\"" + channel.text + "\"";
    }
}

int busOrder(BusKind bus) {
    switch (bus) {
        case BusKind::Isa: return 0;
        case BusKind::I2c: return 1;
        case BusKind::Pci: return 2;
        case BusKind::Other: break;
    }
    return 3;
}

}  // namespace

Slot railForLabel(const std::string& label) {
    const std::string n = normalised(label);
    for (const RailLabels& entry : kRailLabels)
        for (const char* known : entry.labels)
            if (n == known) return entry.rail;
    return Slot::Count;
}

std::vector<std::size_t> stableChipOrder(const std::vector<ChipInfo>& chips) {
    std::vector<std::size_t> order(chips.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&chips](std::size_t x, std::size_t y) {
        const ChipInfo& a = chips[x];
        const ChipInfo& b = chips[y];
        return std::tuple(busOrder(a.bus), a.busNumber, a.address, a.name) <
               std::tuple(busOrder(b.bus), b.busNumber, b.address, b.name);
    });
    return order;
}

BoardMap mapBoard(const std::vector<ChipInfo>& chips, const std::vector<AdapterInfo>& adapters,
                  const Overrides& overrides) {
    BoardMap map;
    map.mainChip = chooseMainChip(chips, overrides, map);
    if (map.mainChip >= 0) bindRails(chips, map.mainChip, map);
    bindFans(chips, map);
    bindTemperatures(chips, map);
    map.smbusAdapter = chooseSmbusAdapter(chips, adapters, overrides);
    for (std::size_t c = 0; c < chips.size(); ++c) {
        const ChipInfo& chip = chips[c];
        if (chip.bus != BusKind::I2c || chip.busNumber != map.smbusAdapter || !isLm75Family(chip.prefix)) continue;
        const int n = chip.address - 0x48;
        const int f = findFeature(chip, "temp1");
        if (n >= 0 && n < 8 && f >= 0) {
            map.slots[slotIndex(Slot::Lm75First) + n] = {static_cast<int>(c), f};
            map.reasons[slotIndex(Slot::Lm75First) + n] = "LM75-style chip at the slot's address";
        }
    }
    applyChannelOverrides(chips, overrides, map);
    return map;
}

}  // namespace kvx::lmsensors
