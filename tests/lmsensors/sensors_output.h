#pragma once
// Reading what `sensors -u` prints, for the black-box comparisons.
#include <map>
#include <optional>
#include <string>

namespace kvx::lmsensors::testing {

// "chip/subfeature" -> value, e.g. "w83781d-isa-0290/in0_input" -> 2.05.
std::map<std::string, double> parseSensorsRaw(const std::string& text);

// The value of `key`, or nothing when sensors did not print it.
std::optional<double> shownValue(const std::map<std::string, double>& shown, const std::string& key);

// What a shell command prints on its standard output.
std::string commandOutput(const std::string& command);

}  // namespace kvx::lmsensors::testing
