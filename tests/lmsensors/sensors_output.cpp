#include "sensors_output.h"

#include <cstdio>
#include <sstream>

namespace kvx::lmsensors::testing {

std::map<std::string, double> parseSensorsRaw(const std::string& text) {
    std::map<std::string, double> values;
    std::istringstream in(text);
    std::string line, chip;
    while (std::getline(in, line)) {
        if (line.empty()) {
            chip.clear();
        } else if (line[0] != ' ') {
            if (chip.empty()) chip = line;  // the first line of a block names the chip
        } else {
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos) continue;
            const std::size_t start = line.find_first_not_of(' ');
            values[chip + "/" + line.substr(start, colon - start)] = std::stod(line.substr(colon + 1));
        }
    }
    return values;
}

std::optional<double> shownValue(const std::map<std::string, double>& shown, const std::string& key) {
    const auto found = shown.find(key);
    if (found == shown.end()) return std::nullopt;
    return found->second;
}

std::string commandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
    return out;
}

}  // namespace kvx::lmsensors::testing
