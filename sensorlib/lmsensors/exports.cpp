// The operations of kvx.h over the one SensorLibrary object. Here "no
// reading" becomes the contract's markers: -1 for temperatures, 255 for fans,
// NaN for a rail (the contract has no marker for volts, and 0 V would be a
// false reading).
#pragma GCC visibility push(default)
#include "sensorlib/kvx.h"
#pragma GCC visibility pop

#include <cmath>
#include <cstring>
#include <limits>

#include "sensorlib/lmsensors/config_dir.h"
#include "sensorlib/lmsensors/sensor_library.h"
#include "sensorlib/lmsensors/system_info.h"

namespace {

using kvx::lmsensors::SensorLibrary;

// Created on first use, so that KORVEX_CONFIG_DIR set by the program before
// loading is seen; destroyed when the library is unloaded.
SensorLibrary& library() {
    static SensorLibrary instance(SensorLibrary::Paths{kvx::lmsensors::configDir(), "/sys"});
    return instance;
}

int32_t wholeDegrees(std::optional<double> celsius) {
    return celsius ? static_cast<int32_t>(std::lround(*celsius)) : -1;
}

double volts(std::optional<double> value) {
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

int32_t rpm(std::optional<double> value) {
    return value && *value >= 0 ? static_cast<int32_t>(std::lround(*value)) : 255;
}

}  // namespace

extern "C" {

int32_t ClockRate(void) { return kvx::lmsensors::processorClockMhz(); }

uint8_t CheckLM78(void) { return library().chipPresent() ? 1 : 0; }

void RestartLM78(void) { library().restart(); }

uint16_t GetSMBAddress(void) { return library().smbusBase(); }

void GetLM78Voltages(double* core0, double* core1, double* p33, double* p5, double* p12, double* n12,
                     double* n5) {
    const auto rails = library().rails();
    double* out[] = {core0, core1, p33, p5, p12, n12, n5};
    for (std::size_t i = 0; i < rails.size(); ++i)
        if (out[i]) *out[i] = volts(rails[i]);
}

void GetLM78Fans(int32_t* fan1, int32_t* fan2, int32_t* fan3) {
    const auto fans = library().fans();
    int32_t* out[] = {fan1, fan2, fan3};
    for (std::size_t i = 0; i < fans.size(); ++i)
        if (out[i]) *out[i] = rpm(fans[i]);
}

void SetLM78FanDiv(int32_t fan, int32_t divisor) { library().setFanDivisor(fan, divisor); }

int32_t GetLM78Temp(void) { return wholeDegrees(library().temperature(1)); }

double GetWinBondSensor2(void) { return library().temperature(2).value_or(-1.0); }

double GetWinBondSensor3(void) { return library().temperature(3).value_or(-1.0); }

int32_t GetLMOutPut(uint16_t smbus, int32_t readAddress) {
    return wholeDegrees(library().lm75(smbus, readAddress));
}

int32_t GetChipID(void) { return library().chipId(); }

int32_t MemoryUse(void) { return kvx::lmsensors::memoryUsePercent(kvx::lmsensors::systemMemory()); }

int64_t TotalPhysicalMemory(void) { return kvx::lmsensors::systemMemory().totalBytes; }

int64_t AvailablePhysicalMemory(void) { return kvx::lmsensors::systemMemory().availableBytes; }

void GetCurrentUserName(uint8_t buffer[256]) {
    if (!buffer) return;
    const std::string name = kvx::lmsensors::currentUserName();
    const std::size_t length = name.size() < 255 ? name.size() : 255;
    buffer[0] = static_cast<uint8_t>(length);
    std::memcpy(buffer + 1, name.data(), length);
}

void StartPCSpeaker(uint16_t pitch) { library().speaker().start(pitch); }

void StopPCSpeaker(void) { library().speaker().stop(); }

const char* KvxStartupError(void) {
    const std::string& error = library().startupError();
    return error.empty() ? nullptr : error.c_str();
}

}  // extern "C"
