#include "sensorlib/sim/demo_board.h"

#include <algorithm>
#include <cmath>

namespace kvx::sim {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// A repeatable pseudo-random value in [-1, 1] for one second and one channel.
double noise(std::int64_t second, int channel) {
    std::uint64_t x = static_cast<std::uint64_t>(second) * 0x9E3779B97F4A7C15ULL +
                      static_cast<std::uint64_t>(channel) * 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return static_cast<double>(x >> 11) / static_cast<double>(1ULL << 52) - 1.0;
}

double wave(double seconds, double period) { return std::sin(kTwoPi * seconds / period); }

// How busy the machine is, 0..1: a working burst every two and a half
// minutes with smaller ripples in between.
double load(double seconds) {
    double burst = std::max(0.0, wave(seconds, 150.0));
    double ripple = 0.5 + 0.5 * wave(seconds + 11.0, 37.0);
    return std::min(1.0, 0.75 * burst * burst + 0.25 * ripple);
}

double halfDegrees(double celsius) { return std::round(celsius * 2.0) / 2.0; }
std::int32_t wholeDegrees(double celsius) { return static_cast<std::int32_t>(std::lround(celsius)); }

}  // namespace

BoardFacts demoFacts() {
    BoardFacts facts;
    facts.chip = Chip::W83781D;
    facts.smbus = 0x5000;
    facts.clockMhz = 450;
    facts.memoryTotal = 134217728;
    facts.memoryAvailable = 80530636;
    facts.memoryLoad = 40;
    facts.user = "korvex";
    return facts;
}

Readings demoReadingsAt(std::int64_t ms) {
    const double t = static_cast<double>(ms) / 1000.0;
    const std::int64_t second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    const double drift = wave(t, 600.0);  // the room warming and cooling slowly

    Readings r;
    // Heat follows load after a while: the further from the processor, the later.
    r.temp = wholeDegrees(35.0 + 11.0 * load(t - 20.0) + 2.0 * drift);
    r.wb2 = halfDegrees(38.0 + 14.0 * load(t - 5.0) + 1.0 * drift);
    r.wb3 = halfDegrees(32.0 + 6.0 * load(t - 45.0) + 2.0 * drift);
    r.lm75[0] = wholeDegrees(32.0 + 5.0 * load(t - 60.0) + 2.0 * drift);
    r.lm75[1] = wholeDegrees(37.0 + 12.0 * load(t - 10.0) + 1.0 * drift);

    static constexpr double nominal[kRailCount] = {2.80, 2.05, 3.31, 5.02, 12.10, -11.90, -5.01};
    static constexpr double spread[kRailCount] = {0.02, 0.02, 0.02, 0.03, 0.06, 0.06, 0.03};
    for (int i = 0; i < kRailCount; ++i) {
        double volts = nominal[i] + spread[i] * noise(second, i);
        if (i == 0) volts -= 0.03 * load(t);  // the core sags a little under load
        r.volts[i] = std::round(volts * 100.0) / 100.0;
    }

    r.fans[0] = static_cast<std::int32_t>(std::lround(4250.0 + 600.0 * load(t - 3.0) + 40.0 * noise(second, 10)));
    r.fans[1] = static_cast<std::int32_t>(std::lround(4500.0 + 250.0 * wave(t, 420.0) + 40.0 * noise(second, 11)));
    r.fans[2] = kNoFan;
    return r;
}

}  // namespace kvx::sim
