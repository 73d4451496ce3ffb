#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "sensorlib/sim/scenario.h"

namespace kvx::sim {

// The readings of a scenario indexed by time: a row applies from its time on
// and each value holds until a later row changes it.
class Timeline {
public:
    Timeline() = default;
    // `rows` in time order, as parseScenario() gives them.
    explicit Timeline(const std::vector<Row>& rows);

    // Readings at `ms` since program start; before the first row, no readings.
    Readings at(std::int64_t ms) const;

private:
    // The accumulated readings from each distinct row time on, in time order.
    std::vector<std::pair<std::int64_t, Readings>> steps_;
};

}  // namespace kvx::sim
