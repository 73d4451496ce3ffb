#pragma once
#include <array>
#include <cstdint>
#include <limits>

#include "acquisition/channels.h"
#include "acquisition/sensor_library.h"

namespace kvx::acquisition {

// The values of the latest poll, kept between polls, and what start-up learnt
// of the board. The current temperatures live in the sensors' gauges.
struct TReadingSet {
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    // Source value plus compensation, °C; exactly -1 means no reading.
    std::array<double, kSensorCount> sensorReading{};
    RailVoltages rails;
    // Each rail as the voltage step judged it, by Rail: the value (the core's from
    // the chosen port; NaN when there was none) and whether it was out of band.
    std::array<double, kRailCount> railVolts{kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    std::array<bool, kRailCount> railOutOfBand{};
    // Raw fan values; 255 means not available. Zero until the first poll.
    std::array<int32_t, kFanCount> fanRaw{};
    // False for the rest of the run when the chip test answered no at start.
    bool chipPresent = true;
    uint16_t smbusBase = kNoSmbus;
    int32_t cpuClockMHz = 0;
};

}  // namespace kvx::acquisition
