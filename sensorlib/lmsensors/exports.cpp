// The operations of kvx.h over the one SensorLibrary object. Here "no
// reading" becomes the contract's markers: -1 for temperatures, 255 for fans,
// NaN for a rail (the contract has no marker for volts, and 0 V would be a
// false reading). No exception leaves an operation (sensorlib/c_boundary.h):
// a library that could not be made reports why through KvxStartupError, and
// an operation that fails answers "no reading".
#pragma GCC visibility push(default)
#include "sensorlib/kvx.h"
#pragma GCC visibility pop

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "sensorlib/c_boundary.h"
#include "sensorlib/lmsensors/config_dir.h"
#include "sensorlib/lmsensors/sensor_library.h"
#include "sensorlib/lmsensors/system_info.h"

namespace {

using kvx::lmsensors::SensorLibrary;

constexpr const char* kName = "korvex sensor library";

// The library, or why it could not be made.
struct Instance {
    std::unique_ptr<SensorLibrary> library;
    std::string error;
};

Instance makeInstance() noexcept {
    Instance made;
    try {
        made.library = std::make_unique<SensorLibrary>(SensorLibrary::Paths{kvx::lmsensors::configDir(), "/sys"});
    } catch (const std::exception& e) {
        made.library.reset();
        made.error = std::string("sensor library cannot start: ") + e.what();
    } catch (...) {
        made.library.reset();
        made.error = "sensor library cannot start";
    }
    return made;
}

// Created on first use, so that KORVEX_CONFIG_DIR set by the program before
// loading is seen; destroyed when the library is unloaded.
Instance& instance() {
    static Instance made = makeInstance();
    return made;
}

// The library for an operation; throws when it could not be made, so that
// the operation answers "no reading".
SensorLibrary& library() {
    Instance& made = instance();
    if (!made.library) throw std::runtime_error(made.error);
    return *made.library;
}

// A value rounded to a whole int32, or `fallback` when it does not fit one
// (a `compute` line can make any double; casting one out of range is undefined).
int32_t whole(double value, int32_t fallback) {
    const double rounded = std::round(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
        return fallback;
    return static_cast<int32_t>(rounded);
}

int32_t wholeDegrees(std::optional<double> celsius) { return celsius ? whole(*celsius, -1) : -1; }

double volts(std::optional<double> value) { return value ? *value : std::numeric_limits<double>::quiet_NaN(); }

int32_t rpm(std::optional<double> value) { return value && *value >= 0 ? whole(*value, 255) : 255; }

}  // namespace

extern "C" {

int32_t ClockRate(void) { KVX_ANSWER(kName, 0, kvx::lmsensors::processorClockMhz()); }

uint8_t CheckLM78(void) { KVX_ANSWER(kName, uint8_t{0}, static_cast<uint8_t>(library().chipPresent() ? 1 : 0)); }

void RestartLM78(void) { KVX_RUN(kName, library().restart()); }

uint16_t GetSMBAddress(void) { KVX_ANSWER(kName, uint16_t{0xFFFE}, library().smbusBase()); }

void GetLM78Voltages(double* core0, double* core1, double* p33, double* p5, double* p12, double* n12, double* n5) {
    double* out[] = {core0, core1, p33, p5, p12, n12, n5};
    for (double* rail : out)
        if (rail) *rail = std::numeric_limits<double>::quiet_NaN();
    KVX_RUN(kName, {
        const auto rails = library().rails();
        for (std::size_t i = 0; i < rails.size(); ++i)
            if (out[i]) *out[i] = volts(rails[i]);
    });
}

void GetLM78Fans(int32_t* fan1, int32_t* fan2, int32_t* fan3) {
    int32_t* out[] = {fan1, fan2, fan3};
    for (int32_t* fan : out)
        if (fan) *fan = 255;
    KVX_RUN(kName, {
        const auto fans = library().fans();
        for (std::size_t i = 0; i < fans.size(); ++i)
            if (out[i]) *out[i] = rpm(fans[i]);
    });
}

void SetLM78FanDiv(int32_t fan, int32_t divisor) { KVX_RUN(kName, library().setFanDivisor(fan, divisor)); }

int32_t GetLM78Temp(void) { KVX_ANSWER(kName, -1, wholeDegrees(library().temperature(1))); }

double GetWinBondSensor2(void) { KVX_ANSWER(kName, -1.0, library().temperature(2).value_or(-1.0)); }

double GetWinBondSensor3(void) { KVX_ANSWER(kName, -1.0, library().temperature(3).value_or(-1.0)); }

int32_t GetLMOutPut(uint16_t smbus, int32_t readAddress) {
    KVX_ANSWER(kName, -1, wholeDegrees(library().lm75(smbus, readAddress)));
}

int32_t GetChipID(void) { KVX_ANSWER(kName, 0, library().chipId()); }

int32_t MemoryUse(void) { KVX_ANSWER(kName, 0, kvx::lmsensors::memoryUsePercent(kvx::lmsensors::systemMemory())); }

int64_t TotalPhysicalMemory(void) { KVX_ANSWER(kName, int64_t{0}, kvx::lmsensors::systemMemory().totalBytes); }

int64_t AvailablePhysicalMemory(void) { KVX_ANSWER(kName, int64_t{0}, kvx::lmsensors::systemMemory().availableBytes); }

void GetCurrentUserName(uint8_t buffer[256]) {
    if (!buffer) return;
    buffer[0] = 0;
    KVX_RUN(kName, {
        const std::string name = kvx::lmsensors::currentUserName();
        const std::size_t length = name.size() < 255 ? name.size() : 255;
        buffer[0] = static_cast<uint8_t>(length);
        std::memcpy(buffer + 1, name.data(), length);
    });
}

void StartPCSpeaker(uint16_t pitch) { KVX_RUN(kName, library().speaker().start(kvx::lmsensors::pitchToHz(pitch))); }

void StopPCSpeaker(void) { KVX_RUN(kName, library().speaker().stop()); }

const char* KvxStartupError(void) {
    KVX_ANSWER(kName, static_cast<const char*>("sensor library cannot start"), [&]() -> const char* {
        const Instance& made = instance();
        if (!made.library) return made.error.c_str();
        const std::string& error = made.library->startupError();
        return error.empty() ? nullptr : error.c_str();
    }());
}

const char* KvxListSensors(void) {
    // Kept until the next call or until the library is unloaded.
    static std::string text;
    KVX_ANSWER(kName, static_cast<const char*>("sensor library cannot list its sensors\n"), [&]() -> const char* {
        const Instance& made = instance();
        text = made.library ? made.library->listing() : made.error + "\n";
        return text.c_str();
    }());
}

}  // extern "C"
