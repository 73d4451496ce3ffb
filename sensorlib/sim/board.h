#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kvx::sim {

// The monitor chip a board carries; it decides CheckLM78 and GetChipID.
enum class Chip { None, LM78, LM79, W83781D };

inline constexpr std::uint16_t kNoSmbus = 0xFFFE;
inline constexpr std::int32_t kNoTemperature = -1;
inline constexpr std::int32_t kNoFan = 255;
inline constexpr int kLm75Count = 8;
inline constexpr int kRailCount = 7;
inline constexpr int kFanCount = 3;

// What never changes while the program runs: the board's fixed facts.
struct BoardFacts {
    Chip chip = Chip::W83781D;
    std::uint16_t smbus = 0x5000;
    std::int32_t clockMhz = 450;
    std::int64_t memoryTotal = 134217728;     // 128 MiB
    std::int64_t memoryAvailable = 67108864;  // 64 MiB
    std::int32_t memoryLoad = 50;             // percent in use
    std::string user = "korvex";
};

// The readings of one moment. The defaults are "no reading yet".
struct Readings {
    std::int32_t temp = kNoTemperature;
    double wb2 = kNoTemperature;
    double wb3 = kNoTemperature;
    std::array<std::int32_t, kLm75Count> lm75 = {-1, -1, -1, -1, -1, -1, -1, -1};
    // core 0, core 1, +3.3, +5, +12, -12, -5
    std::array<double, kRailCount> volts = {};
    std::array<std::int32_t, kFanCount> fans = {kNoFan, kNoFan, kNoFan};

    bool operator==(const Readings&) const = default;
};

// 0x2D for LM78/LM79, 0x10 for W83781D, 0 without a chip.
std::int32_t chipId(Chip chip);

// What the library reports at one moment: without a chip, none of the chip's
// readings exist whatever the board's rows say; the LM75 sensors sit on the
// SMBus and stay.
Readings visibleReadings(const BoardFacts& facts, const Readings& readings);

// The LM75 reading at `readAddress` (0x91, 0x93 .. 0x9F) on the SMBus at
// `smbus`, or -1 when the board has no SMBus, the base is not the board's,
// or nothing answers at that address.
std::int32_t lm75At(const BoardFacts& facts, const Readings& readings, std::uint16_t smbus, std::int32_t readAddress);

}  // namespace kvx::sim
