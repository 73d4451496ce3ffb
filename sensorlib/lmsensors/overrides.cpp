#include "sensorlib/lmsensors/overrides.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

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

// Reads a REGEDIT5 quoted string starting at s[pos] == '"'; advances pos past
// the closing quote. Returns false when the quote is not closed.
bool readQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    out.clear();
    for (++pos; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < s.size()) c = s[++pos];
        out += c;
    }
    return false;
}

constexpr std::array<const char*, 13> kChannelNames = {
    "Core0", "Core1", "P33", "P5", "P12", "N12", "N5",
    "Fan1", "Fan2", "Fan3", "Temp1", "Temp2", "Temp3"};

bool parseAdapter(std::string_view value, int& adapter) {
    std::string v = lowered(trimmed(value));
    if (v == "none") {
        adapter = -1;
        return true;
    }
    if (v.rfind("i2c-", 0) == 0) v.erase(0, 4);
    if (v.empty() || !std::all_of(v.begin(), v.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    adapter = std::stoi(v);
    return true;
}

}  // namespace

std::string slotValueName(Slot slot) {
    const std::size_t i = slotIndex(slot);
    if (i < kChannelNames.size()) return kChannelNames[i];
    return "LM75." + std::to_string(i - slotIndex(Slot::Lm75First) + 1);
}

OverrideValues parseOverrideText(std::string_view text, std::string_view fileName) {
    OverrideValues result;
    std::istringstream in{std::string(text)};
    std::string line;
    bool inKey = false;
    int lineNo = 0;
    const std::string wantedSection = lowered(kOverrideKey);
    auto fail = [&](const std::string& why) {
        result.values.clear();
        result.error = std::string(fileName) + ":" + std::to_string(lineNo) + ": " + why;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        std::string_view l = trimmed(line);
        if (lineNo == 1 && l.substr(0, 3) == "\xEF\xBB\xBF") l.remove_prefix(3);
        if (lineNo == 1) {
            if (l != "Windows Registry Editor Version 5.00") {
                fail("not a REGEDIT5 hive (first line must be 'Windows Registry Editor Version 5.00')");
                return result;
            }
            continue;
        }
        if (l.empty() || l.front() == ';') continue;
        if (l.front() == '[') {
            inKey = l.back() == ']' && lowered(l.substr(1, l.size() - 2)) == wantedSection;
            continue;
        }
        if (!inKey) continue;
        std::size_t pos = 0;
        std::string name, value;
        if (l.front() != '"' || !readQuoted(l, pos, name)) {
            fail("expected a quoted value name");
            return result;
        }
        std::string_view rest = trimmed(l.substr(pos));
        if (rest == "=-") continue;  // a deleted value
        if (rest.substr(0, 2) != "=\"") {
            fail("value \"" + name + "\" is not a string value");
            return result;
        }
        std::size_t vpos = 1;
        if (!readQuoted(rest, vpos, value) || !trimmed(rest.substr(vpos)).empty()) {
            fail("value \"" + name + "\" has an unterminated or malformed string");
            return result;
        }
        result.values[lowered(name)] = value;
    }
    return result;
}

OverrideValues readOverrides(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) return {{}, path + ": cannot be read"};
    return parseOverrideText(text.str(), path);
}

bool interpretOverrides(const std::map<std::string, std::string>& values, Overrides& out,
                        std::string& error) {
    Overrides result;
    for (const auto& [name, rawValue] : values) {
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
            if (!parseAdapter(value, adapter)) {
                error = "sensor override \"SMBus\" must be i2c-N or none, not \"" + value + "\"";
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
