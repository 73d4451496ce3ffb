#pragma once
// The one object that owns the library's state: the libsensors session, the
// board mapping (defaults plus the user's overrides) and the PC speaker.
// Values come back as std::optional; the exported operations turn "no
// reading" into the contract's markers.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "sensorlib/lmsensors/board_model.h"
#include "sensorlib/lmsensors/libsensors_session.h"
#include "sensorlib/lmsensors/pc_speaker.h"

namespace kvx::lmsensors {

class SensorLibrary {
public:
    struct Paths {
        std::string configDir;         // holds user.reg with the overrides
        std::string sysRoot = "/sys";  // for the i2c adapters
    };
    explicit SensorLibrary(Paths paths);
    ~SensorLibrary();

    // Empty when ready; otherwise why not (a configuration file and line).
    const std::string& startupError() const { return startupError_; }

    // A rail or fan input is bound: the program reads volts and fans.
    bool chipPresent() const { return map_.hasRailsOrFans(); }
    // Every chip and input found and which feeds which operation, as text.
    std::string listing() const;
    // Starts libsensors afresh: configuration, chips and overrides are read again.
    void restart();
    std::uint16_t smbusBase() const { return smbusBase_; }
    int chipId() const;

    std::array<std::optional<double>, 7> rails() const;   // core0, core1, +3.3, +5, +12, -12, -5
    std::array<std::optional<double>, 3> fans() const;    // RPM
    std::optional<double> temperature(int sensor) const;  // 1..3, °C
    // The LM75 slot of `readAddress` (0x91, 0x93 .. 0x9F) on the SMBus `smbus`.
    std::optional<double> lm75(std::uint16_t smbus, int readAddress) const;
    // Fan 1..3, divisor 1, 2, 4 or 8; ignored where the chip has no writable divisor.
    void setFanDivisor(int fan, int divisor);

    PcSpeaker& speaker() { return speaker_; }
    const BoardMap& boardMap() const { return map_; }
    const LibsensorsSession* session() const { return session_.get(); }

private:
    void bind();
    std::optional<double> read(Slot slot) const;

    Paths paths_;
    std::unique_ptr<LibsensorsSession> session_;
    BoardMap map_;
    std::uint16_t smbusBase_;
    std::string startupError_;
    PcSpeaker speaker_;
};

}  // namespace kvx::lmsensors
