#include "metrics/channel_sources.h"

#include <array>

namespace kvx::metrics {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The channel lines follow the heading "Korvex channels": "Temp1:  <input>  <operation>; <why>",
// columns apart by at least two blanks; an input's own label has single blanks ("Package id 0").
constexpr std::array<std::string_view, 14> kChannels = {"Temp1",  "Temp2",  "Temp3",  "Fan1",   "Fan2",
                                                        "Fan3",   "LM75.1", "LM75.2", "LM75.3", "LM75.4",
                                                        "LM75.5", "LM75.6", "LM75.7", "LM75.8"};

}  // namespace

std::string ChannelSources::sourceOf(std::string_view channel, const std::string& fallback) const {
    if (simulated) return "sim";
    auto found = inputs.find(channel);
    return found != inputs.end() ? found->second : fallback;
}

ChannelSources parseChannelSources(std::string_view listing) {
    ChannelSources sources;
    sources.chip = "none";
    sources.simulated = startsWith(listing, "SIMULATED BOARD");
    bool inChannels = false;
    while (!listing.empty()) {
        const auto end = listing.find('\n');
        const std::string_view line = listing.substr(0, end);
        listing = end == std::string_view::npos ? std::string_view{} : listing.substr(end + 1);

        if (startsWith(line, "Korvex channels")) {
            inChannels = true;
            continue;
        }
        // The simulated board says "Chip: w83781d", the libsensors one "Mainboard chip: nct6775-isa-0290; ...".
        for (std::string_view key : {std::string_view("Chip: "), std::string_view("Mainboard chip: ")})
            if (startsWith(line, key)) {
                std::string_view chip = line.substr(key.size());
                chip = trimmed(chip.substr(0, chip.find(';')));
                if (!chip.empty()) sources.chip = std::string(chip);
            }
        if (!inChannels) continue;
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view channel = line.substr(0, colon);
        bool known = false;
        for (std::string_view c : kChannels) known = known || c == channel;
        if (!known) continue;
        std::string_view rest = trimmed(line.substr(colon + 1));
        const std::string_view input = trimmed(rest.substr(0, rest.find("  ")));
        if (!input.empty() && input != "none") sources.inputs[std::string(channel)] = std::string(input);
    }
    return sources;
}

}  // namespace kvx::metrics
