#include "sensorlib/lmsensors/sensor_listing.h"

#include <algorithm>
#include <cstdio>

#include "sensorlib/lmsensors/overrides.h"

namespace kvx::lmsensors {
namespace {

// A reading as `sensors` prints it.
std::string shownValue(FeatureKind kind, std::optional<double> value) {
    if (!value) return "N/A";
    char text[64];
    switch (kind) {
        case FeatureKind::Temperature: std::snprintf(text, sizeof text, "%+6.1f\u00B0C", *value); break;
        case FeatureKind::Voltage: std::snprintf(text, sizeof text, "%+6.2f V", *value); break;
        case FeatureKind::Fan: std::snprintf(text, sizeof text, "%4.0f RPM", *value); break;
        case FeatureKind::Other: std::snprintf(text, sizeof text, "%g", *value); break;
    }
    return text;
}

// The operation of the program that a slot feeds.
std::string operationOf(Slot slot) {
    const std::size_t s = slotIndex(slot);
    static const char* const kRailNames[] = {"core port 0", "core port 1", "+3.3V", "+5V", "+12V", "-12V", "-5V"};
    if (s <= slotIndex(Slot::N5)) return std::string("GetLM78Voltages ") + kRailNames[s];
    if (s <= slotIndex(Slot::Fan3)) return "GetLM78Fans fan " + std::to_string(s - slotIndex(Slot::Fan1) + 1);
    if (slot == Slot::Temp1) return "GetLM78Temp (sources WinBond 1, LM78, LM79)";
    if (slot == Slot::Temp2) return "GetWinBondSensor2 (source WinBond 2)";
    if (slot == Slot::Temp3) return "GetWinBondSensor3 (source WinBond 3)";
    char text[64];
    const std::size_t n = s - slotIndex(Slot::Lm75First);
    std::snprintf(text, sizeof text, "GetLMOutPut 0x%02zX (source LM75 - %zu)", 0x91 + 2 * n, n + 1);
    return text;
}

// Why a slot has no input when nothing else says so.
std::string whyNone(Slot slot, const BoardMap& map) {
    const std::size_t s = slotIndex(slot);
    if (s <= slotIndex(Slot::N5))
        return map.mainChip < 0 ? "no mainboard chip with voltage inputs"
                                : "no input of the mainboard chip is this rail";
    if (s <= slotIndex(Slot::Fan3)) return "no further fan input";
    if (s <= slotIndex(Slot::Temp3)) return "no further processor, mainboard or drive temperature";
    return "no LM75-style chip at this address";
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

std::string sensorListing(const std::vector<ChipInfo>& chips, const BoardMap& map, const FeatureReader& read,
                          const std::string& overrideFile) {
    std::string out;
    for (std::size_t c = 0; c < chips.size(); ++c) {
        const ChipInfo& chip = chips[c];
        out += chip.name + "\nAdapter: " + chip.adapter + "\n";
        std::size_t width = 0;
        for (const FeatureInfo& f : chip.features) width = std::max(width, f.label.size() + 2);
        for (std::size_t f = 0; f < chip.features.size(); ++f) {
            const FeatureInfo& feature = chip.features[f];
            if (feature.kind == FeatureKind::Other) continue;
            const FeatureRef ref{static_cast<int>(c), static_cast<int>(f)};
            std::string line = padded(feature.label + ":", width) + padded(shownValue(feature.kind, read(ref)), 10) +
                               "  (" + feature.name + ")";
            for (std::size_t s = 0; s < kSlotCount; ++s)
                if (map.slots[s] == ref) line += "  -> " + slotValueName(static_cast<Slot>(s));
            out += line + "\n";
        }
        out += "\n";
    }
    if (chips.empty()) out += "No sensors found.\n\n";

    out += "Korvex channels (override value: input, operation; why)\n";
    for (std::size_t s = 0; s < kSlotCount; ++s) {
        const Slot slot = static_cast<Slot>(s);
        const FeatureRef ref = map.slots[s];
        const std::string input = ref.bound() ? chips[ref.chip].name + "/" + chips[ref.chip].features[ref.feature].label
                                              : "none";
        std::string why = map.reasons[s];
        if (!ref.bound() && why.empty()) why = whyNone(slot, map);
        out += padded(slotValueName(slot) + ":", 8) + padded(input, 34) + "  " + operationOf(slot) + "; " + why + "\n";
    }
    out += std::string("Mainboard chip: ") + (map.mainChip >= 0 ? chips[map.mainChip].name : "none") +
           "; rails and fans are read: " + (map.hasRailsOrFans() ? "yes" : "no") + "\n";
    for (const std::string& warning : map.warnings) out += "Warning: " + warning + "\n";
    out += "Change any of these with the override key [" + std::string(kOverrideKey) + "] in " + overrideFile + "\n";
    return out;
}

}  // namespace kvx::lmsensors
