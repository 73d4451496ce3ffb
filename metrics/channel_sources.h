#pragma once
#include <map>
#include <string>
#include <string_view>

namespace kvx::metrics {

// What the sensor library's listing (KvxListSensors) says about where the
// program's readings come from, for the metrics' "source" and "chip" labels.
struct ChannelSources {
    bool simulated = false;  // the simulated board: every source is "sim"
    std::string chip;        // the mainboard chip, "none" when it names none
    // The chip input behind a channel ("Temp1" -> "coretemp-isa-0000/Package id 0").
    std::map<std::string, std::string, std::less<>> inputs;

    // The source of a channel: "sim" on the simulated board, else the chip input
    // the library names for it, else `fallback`.
    std::string sourceOf(std::string_view channel, const std::string& fallback) const;
};

// Reads a listing; an empty or unknown text gives no inputs and chip "none".
ChannelSources parseChannelSources(std::string_view listing);

}  // namespace kvx::metrics
