#include "sensorlib/lmsensors/hive_key_lines.h"

#include <algorithm>
#include <cstdint>

#include "settings/hive_names.h"
#include "settings/hive_utf16.h"

namespace kvx::lmsensors {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The name a value line stores: "@" is the default value; a quoted name has
// \\ and \" undone as the hive reader does. False for a line that stores no value.
bool storedName(std::string_view line, std::string& name) {
    name.clear();
    if (line.starts_with('@')) return true;
    if (!line.starts_with('"')) return false;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '"') return true;
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) ++i;
        name += line[i];
    }
    return false;
}

}  // namespace

HiveKeyLines::HiveKeyLines(std::string_view hiveText, std::string_view keyPath) {
    // Decoded as the hive reader decodes, so line numbers agree with its problems.
    std::string decoded;
    if (hiveText.starts_with("\xFF\xFE")) {
        decoded = settings::hive_utf16::toUtf8(reinterpret_cast<const std::uint8_t*>(hiveText.data()) + 2,
                                               hiveText.size() - 2);
        hiveText = decoded;
    }
    const std::string wanted = settings::hive_names::normalizedPath(keyPath);
    bool inKey = false;
    int number = 0;
    while (!hiveText.empty()) {
        const std::size_t end = hiveText.find('\n');
        const std::string_view line = trimmed(hiveText.substr(0, end));
        ++number;
        if (line.starts_with('[')) {
            inKey = line.size() >= 2 && line.back() == ']' &&
                    settings::hive_names::same(settings::hive_names::normalizedPath(line.substr(1, line.size() - 2)),
                                               wanted);
        } else if (inKey) {
            lines_.emplace_back(number, std::string(line));
        }
        if (end == std::string_view::npos) break;
        hiveText.remove_prefix(end + 1);
    }
}

bool HiveKeyLines::contains(int number) const {
    return std::any_of(lines_.begin(), lines_.end(), [number](const auto& line) { return line.first == number; });
}

int HiveKeyLines::lineOf(std::string_view valueName) const {
    int found = 0;
    std::string name;
    for (const auto& [number, text] : lines_)
        if (storedName(text, name) && settings::hive_names::same(name, valueName)) found = number;
    return found;
}

}  // namespace kvx::lmsensors
