#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kvx::acquisition {

// The twelve watched channels, in the order of the Up/Down page.
enum class TChannel {
    Sensor1,
    Sensor2,
    Sensor3,
    CoreVoltage,
    P33Voltage,
    P5Voltage,
    N5Voltage,
    P12Voltage,
    N12Voltage,
    Fan1,
    Fan2,
    Fan3,
};
inline constexpr int kChannelCount = 12;
inline constexpr int kSensorCount = 3;
inline constexpr int kFanCount = 3;

// What a temperature sensor reads, stored as its index 0..13.
enum class TTemperatureSource {
    None = 0,
    WinBond1,
    WinBond2,
    WinBond3,
    LM78,
    LM79,
    LM75_1,
    LM75_2,
    LM75_3,
    LM75_4,
    LM75_5,
    LM75_6,
    LM75_7,
    LM75_8,
};
inline constexpr int kSourceCount = 14;
// Without an SMBus the eight LM75 entries are left out of the lists.
inline constexpr int kSourcesWithoutSmbus = 6;

// The captions of the source lists, by index.
const std::array<std::string, kSourceCount>& sourceCaptions();

// The SMBus read address of an LM75 source: 0x91, 0x93 .. 0x9F.
inline int32_t lm75ReadAddress(TTemperatureSource source) {
    return 0x91 + 2 * (static_cast<int>(source) - static_cast<int>(TTemperatureSource::LM75_1));
}

inline bool isLm75(TTemperatureSource source) { return source >= TTemperatureSource::LM75_1; }

// Rails as the voltage step and its tables list them.
enum class Rail { Core, P33, P5, P12, N12, N5 };
inline constexpr int kRailCount = 6;

inline constexpr uint16_t kNoSmbus = 0xFFFE;
inline constexpr int32_t kFanNotAvailable = 255;
inline constexpr double kNoReading = -1.0;

}  // namespace kvx::acquisition
