#include "sensorlib/sim/board.h"

namespace kvx::sim {

std::int32_t chipId(Chip chip) {
    switch (chip) {
        case Chip::LM78:
        case Chip::LM79: return 0x2D;
        case Chip::W83781D: return 0x10;
        case Chip::None: break;
    }
    return 0;
}

Readings visibleReadings(const BoardFacts& facts, const Readings& readings) {
    if (facts.chip != Chip::None) return readings;
    Readings visible;
    visible.lm75 = readings.lm75;
    return visible;
}

std::int32_t lm75At(const BoardFacts& facts, const Readings& readings, std::uint16_t smbus, std::int32_t readAddress) {
    if (facts.smbus == kNoSmbus || smbus != facts.smbus) return kNoTemperature;
    const std::int32_t offset = readAddress - 0x91;
    if (offset < 0 || offset % 2 != 0 || offset / 2 >= kLm75Count) return kNoTemperature;
    return readings.lm75[offset / 2];
}

}  // namespace kvx::sim
