#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sensorlib/sim/board.h"

namespace kvx::sim {

// One `at SECONDS key=value ...` row: the values it changes, from `ms` on.
struct Row {
    std::int64_t ms = 0;
    std::optional<std::int32_t> temp;
    std::optional<double> wb2;
    std::optional<double> wb3;
    std::array<std::optional<std::int32_t>, kLm75Count> lm75;
    std::optional<std::array<double, kRailCount>> volts;
    std::optional<std::array<std::int32_t, kFanCount>> fans;
};

// A parsed scenario file: the fixed facts and the rows in time order.
struct Scenario {
    BoardFacts facts;
    std::vector<Row> rows;
};

// Either a scenario or a one-line reason, "FILE:LINE: reason" or "FILE: reason".
struct ScenarioResult {
    std::optional<Scenario> scenario;
    std::string error;
};

// Parses scenario text; `fileName` only names the input in error messages.
// Lines that are absent keep the defaults of BoardFacts.
ScenarioResult parseScenario(std::string_view text, std::string_view fileName);

// Reads and parses the file at `path`.
ScenarioResult loadScenarioFile(const std::string& path);

}  // namespace kvx::sim
