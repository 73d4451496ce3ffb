// SimBoard::listing: the simulated board described in the style of the real
// library's --list-sensors text, so a user can always tell it apart.
#include <cstdio>

#include "sensorlib/sim/sim_board.h"

namespace kvx::sim {
namespace {

const char* chipName(Chip chip) {
    switch (chip) {
        case Chip::LM78: return "lm78";
        case Chip::LM79: return "lm79";
        case Chip::W83781D: return "w83781d";
        case Chip::None: break;
    }
    return "none";
}

std::string line(const char* format, double value) {
    char text[96];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string SimBoard::listing() const {
    std::string out = "SIMULATED BOARD (kvx-sim): no real sensor is read; ";
    out += source_ == Source::Scenario ? "readings follow the scenario file.\n"
           : source_ == Source::Demo   ? "readings follow the built-in demo.\n"
                                       : "the board is broken: " + error_ + "\n";
    out += std::string("Chip: ") + chipName(facts_.chip) + "\n";
    const Readings now = readings();
    static const char* const kRails[] = {"Core0", "Core1", "P33", "P5", "P12", "N12", "N5"};
    for (int r = 0; r < kRailCount; ++r) out += line((std::string(kRails[r]) + ":  %+6.2f V\n").c_str(), now.volts[r]);
    for (int f = 0; f < kFanCount; ++f)
        out += "Fan" + std::to_string(f + 1) + ":  " +
               (now.fans[f] == kNoFan ? std::string("N/A") : std::to_string(now.fans[f]) + " RPM") + "\n";
    auto temperature = [](double value) {
        return value == kNoTemperature ? std::string("N/A") : line("%+.1f\u00B0C", value);
    };
    out += "Temp1:  " + temperature(now.temp) + "\n";
    out += "Temp2:  " + temperature(now.wb2) + "\n";
    out += "Temp3:  " + temperature(now.wb3) + "\n";
    for (int n = 0; n < kLm75Count; ++n)
        out += "LM75." + std::to_string(n + 1) + ":  " + temperature(now.lm75[n]) + "\n";
    return out;
}

}  // namespace kvx::sim
