#pragma once
// One libsensors session: sensors_init() with the system configuration
// (/etc/sensors3.conf and /etc/sensors.d, so labels, compute lines and ignore
// statements apply as `sensors` shows them), the detected chips described as
// ChipInfo, and reads and writes of their features. libsensors keeps one
// process-wide state, so at most one session exists at a time.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sensorlib/lmsensors/board_model.h"

namespace kvx::lmsensors {

class LibsensorsSession {
public:
    // Starts libsensors. Returns nullptr with `error` set when sensors_init
    // fails; `configurationFault` tells whether the user's configuration was
    // at fault (then `error` names its file and line) rather than the system
    // (no sysfs, out of memory).
    static std::unique_ptr<LibsensorsSession> open(std::string& error, bool& configurationFault);
    ~LibsensorsSession();
    LibsensorsSession(const LibsensorsSession&) = delete;
    LibsensorsSession& operator=(const LibsensorsSession&) = delete;

    // The detected chips in a stable order (stableChipOrder); features skip those
    // that sensors.conf ignores.
    const std::vector<ChipInfo>& chips() const { return chips_; }

    // The feature's input value after compute lines, or nothing when it has
    // no readable input or the read fails.
    std::optional<double> read(FeatureRef ref) const;

    // Writes a fan feature's divisor. False when the fan has no writable
    // divisor or the write fails.
    bool setFanDivisor(FeatureRef ref, int divisor) const;
    // True when the fan has a writable divisor (old chips; newer drivers have none).
    bool hasFanDivisor(FeatureRef ref) const;

private:
    struct Handle;  // libsensors' own chip name and subfeature numbers
    LibsensorsSession();
    void describeChips();

    std::vector<ChipInfo> chips_;
    std::vector<Handle> handles_;  // parallel to chips_
};

}  // namespace kvx::lmsensors
