#include "sensorlib/lmsensors/overrides.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "sensorlib/lmsensors/file_text.h"
#include "sensorlib/lmsensors/hive_key_lines.h"
#include "sensorlib/number_text.h"
#include "settings/hive.h"

namespace kvx::lmsensors {
namespace {

std::string lowered(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

constexpr std::array<const char*, 13> kChannelNames = {"Core0", "Core1", "P33",  "P5",    "P12",   "N12",  "N5",
                                                       "Fan1",  "Fan2",  "Fan3", "Temp1", "Temp2", "Temp3"};

// "i2c-N" (or plain "N") with N a kernel adapter number, or "none" (-1).
bool parseAdapter(std::string_view value, int& adapter, std::string& why) {
    std::string v = lowered(trimmed(value));
    if (v == "none") {
        adapter = -1;
        return true;
    }
    if (v.rfind("i2c-", 0) == 0) v.erase(0, 4);
    if (v.empty() || !std::all_of(v.begin(), v.end(), [](unsigned char c) { return std::isdigit(c); })) {
        why = "must be i2c-N or none, not \"" + std::string(trimmed(value)) + "\"";
        return false;
    }
    const auto number = number_text::parseWhole<int>(v, 0, std::numeric_limits<int>::max(), why);
    if (!number) {
        why = "= \"" + std::string(trimmed(value)) + "\": the adapter number " + why;
        return false;
    }
    adapter = *number;
    return true;
}

}  // namespace

std::string slotValueName(Slot slot) {
    const std::size_t i = slotIndex(slot);
    if (i < kChannelNames.size()) return kChannelNames[i];
    return "LM75." + std::to_string(i - slotIndex(Slot::Lm75First) + 1);
}

OverrideValues parseOverrideText(std::string_view text, std::string_view fileName) {
    // An empty file (as a fresh configuration folder may hold) sets nothing.
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return {};
    const settings::HiveParseResult parsed = settings::Hive::parse(text, fileName);
    if (parsed.fatal()) return {{}, parsed.problems.front().text(), {}};

    // Lines the hive reader could not understand are skipped by it; inside our
    // key such a line is a lost override, so nothing is applied and it is
    // reported. Problems elsewhere belong to the program's own settings.
    const HiveKeyLines keyLines(text, kOverrideKey);
    for (const settings::HiveProblem& problem : parsed.problems)
        if (keyLines.contains(problem.line)) return {{}, problem.text(), {}};

    OverrideValues result;
    const settings::HiveKey* key = parsed.hive->findKey(kOverrideKey);
    if (!key) return result;
    for (const settings::HiveValue& value : *key) {
        if (value.type != settings::HiveValueType::String) {
            const int line = keyLines.lineOf(value.name);
            const std::string where = std::string(fileName) + (line > 0 ? ":" + std::to_string(line) : "");
            return {{}, where + ": value \"" + value.name + "\" is not a string value", {}};
        }
        result.values[lowered(value.name)] = value.text;
        result.lines[lowered(value.name)] = keyLines.lineOf(value.name);
    }
    return result;
}

OverrideValues readOverrides(const std::string& path) {
    const FileText file = readFileText(path);
    if (!file.opened) return {};
    if (!file.complete) return {{}, path + ": cannot be read", {}};
    return parseOverrideText(file.text, path);
}

bool interpretOverrides(const std::map<std::string, std::string>& values, Overrides& out, std::string& error,
                        std::string* faultyName) {
    Overrides result;
    for (const auto& [name, rawValue] : values) {
        if (faultyName) *faultyName = name;
        const std::string value(trimmed(rawValue));
        if (name == "chip") {
            if (value.empty()) {
                error = "sensor override \"Chip\" is empty";
                return false;
            }
            result.chip = lowered(value) == "none" ? "none" : value;
            continue;
        }
        if (name == "smbus") {
            int adapter = -1;
            std::string why;
            if (!parseAdapter(value, adapter, why)) {
                error = "sensor override \"SMBus\" " + why;
                return false;
            }
            result.smbusAdapter = adapter;
            continue;
        }
        std::size_t slot = kSlotCount;
        for (std::size_t i = 0; i < kSlotCount; ++i)
            if (lowered(slotValueName(static_cast<Slot>(i))) == name) slot = i;
        if (slot == kSlotCount) {
            error = "unknown sensor override \"" + name + "\"";
            return false;
        }
        ChannelOverride channel;
        channel.text = value;
        const std::size_t slash = value.find('/');
        if (lowered(value) == "none") {
            channel.none = true;
        } else if (slash == std::string::npos) {
            channel.feature = value;
        } else {
            channel.chip = std::string(trimmed(std::string_view(value).substr(0, slash)));
            channel.feature = std::string(trimmed(std::string_view(value).substr(slash + 1)));
        }
        if (!channel.none && (channel.feature.empty() || (slash != std::string::npos && channel.chip.empty()))) {
            error = "sensor override \"" + slotValueName(static_cast<Slot>(slot)) +
                    "\" must be none, FEATURE or CHIP/FEATURE, not \"" + value + "\"";
            return false;
        }
        result.slots[slot] = channel;
    }
    out = std::move(result);
    return true;
}

}  // namespace kvx::lmsensors
