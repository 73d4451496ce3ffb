#include "sensorlib/sim/timeline.h"

#include <algorithm>

namespace kvx::sim {
namespace {

void apply(const Row& row, Readings& readings) {
    if (row.temp) readings.temp = *row.temp;
    if (row.wb2) readings.wb2 = *row.wb2;
    if (row.wb3) readings.wb3 = *row.wb3;
    for (int i = 0; i < kLm75Count; ++i)
        if (row.lm75[i]) readings.lm75[i] = *row.lm75[i];
    if (row.volts) readings.volts = *row.volts;
    if (row.fans) readings.fans = *row.fans;
}

}  // namespace

Timeline::Timeline(const std::vector<Row>& rows) {
    Readings current;
    for (const Row& row : rows) {
        apply(row, current);
        // Rows at the same time merge into one step; the later row wins.
        if (!steps_.empty() && steps_.back().first == row.ms) steps_.back().second = current;
        else steps_.emplace_back(row.ms, current);
    }
}

Readings Timeline::at(std::int64_t ms) const {
    auto after = std::upper_bound(steps_.begin(), steps_.end(), ms,
                                  [](std::int64_t t, const auto& step) { return t < step.first; });
    if (after == steps_.begin()) return Readings{};
    return std::prev(after)->second;
}

}  // namespace kvx::sim
