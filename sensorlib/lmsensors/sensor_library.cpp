#include "sensorlib/lmsensors/sensor_library.h"

#include <cstdio>

#include "sensorlib/lmsensors/board_mapping.h"
#include "sensorlib/lmsensors/chip_families.h"
#include "sensorlib/lmsensors/overrides.h"
#include "sensorlib/lmsensors/sensor_listing.h"
#include "sensorlib/lmsensors/smbus.h"

namespace kvx::lmsensors {
namespace {

void warn(const std::string& text) { std::fprintf(stderr, "korvex sensor library: %s\n", text.c_str()); }

}  // namespace

SensorLibrary::SensorLibrary(Paths paths) : paths_(std::move(paths)), smbusBase_(kNoSmbus) { bind(); }

SensorLibrary::~SensorLibrary() = default;

void SensorLibrary::restart() {
    session_.reset();
    bind();
    if (!startupError_.empty()) warn(startupError_);
}

void SensorLibrary::bind() {
    map_ = {};
    smbusBase_ = kNoSmbus;
    startupError_.clear();

    const std::string hive = paths_.configDir.empty() ? "" : paths_.configDir + "/user.reg";
    OverrideValues values = hive.empty() ? OverrideValues{} : readOverrides(hive);
    Overrides overrides;
    std::string error;
    if (!values.error.empty()) {
        startupError_ = values.error;
        return;
    }
    std::string faultyName;
    if (!interpretOverrides(values.values, overrides, error, &faultyName)) {
        const auto line = values.lines.find(faultyName);
        const bool known = line != values.lines.end() && line->second > 0;
        startupError_ = hive + (known ? ":" + std::to_string(line->second) : "") + ": " + error;
        return;
    }

    bool configurationFault = false;
    session_ = LibsensorsSession::open(error, configurationFault);
    if (!session_) {
        if (configurationFault) startupError_ = error;
        else warn(error + "; running without sensor chips");
        return;
    }

    const std::vector<AdapterInfo> adapters = listI2cAdapters(paths_.sysRoot);
    map_ = mapBoard(session_->chips(), adapters, overrides);
    for (const std::string& warning : map_.warnings) warn(warning);

    if (map_.smbusAdapter >= 0) {
        AdapterInfo adapter{map_.smbusAdapter, ""};
        for (const AdapterInfo& a : adapters)
            if (a.number == map_.smbusAdapter) adapter = a;
        smbusBase_ = kvx::lmsensors::smbusBase(paths_.sysRoot, adapter);
    } else {
        // LM75 slots bound by override to chips off any SMBus still need a
        // base, or the program would hide them.
        for (std::size_t i = slotIndex(Slot::Lm75First); i <= slotIndex(Slot::Lm75Last); ++i)
            if (map_.slots[i].bound()) smbusBase_ = 0;
    }
}

std::optional<double> SensorLibrary::read(Slot slot) const {
    if (!session_) return std::nullopt;
    return session_->read(map_.slots[slotIndex(slot)]);
}

std::string SensorLibrary::listing() const {
    const std::string hive = (paths_.configDir.empty() ? std::string(".") : paths_.configDir) + "/user.reg";
    if (!session_) return "No sensors found (libsensors is not in use).\n" + startupError_;
    return sensorListing(
        session_->chips(), map_, [this](FeatureRef ref) { return session_->read(ref); }, hive);
}

int SensorLibrary::chipId() const {
    if (!session_ || map_.mainChip < 0) return 0;
    return chipIdFor(session_->chips()[map_.mainChip].prefix);
}

std::array<std::optional<double>, 7> SensorLibrary::rails() const {
    return {read(Slot::Core0), read(Slot::Core1), read(Slot::P33), read(Slot::P5),
            read(Slot::P12),   read(Slot::N12),   read(Slot::N5)};
}

std::array<std::optional<double>, 3> SensorLibrary::fans() const {
    return {read(Slot::Fan1), read(Slot::Fan2), read(Slot::Fan3)};
}

std::optional<double> SensorLibrary::temperature(int sensor) const {
    if (sensor < 1 || sensor > 3) return std::nullopt;
    return read(static_cast<Slot>(slotIndex(Slot::Temp1) + sensor - 1));
}

std::optional<double> SensorLibrary::lm75(std::uint16_t smbus, int readAddress) const {
    if (smbus == kNoSmbus || smbus != smbusBase_) return std::nullopt;
    if (readAddress < 0x91 || readAddress > 0x9F || readAddress % 2 == 0) return std::nullopt;
    return read(static_cast<Slot>(slotIndex(Slot::Lm75First) + (readAddress - 0x91) / 2));
}

void SensorLibrary::setFanDivisor(int fan, int divisor) {
    if (!session_ || fan < 1 || fan > 3) return;
    if (divisor != 1 && divisor != 2 && divisor != 4 && divisor != 8) return;
    const FeatureRef ref = map_.slots[slotIndex(Slot::Fan1) + fan - 1];
    // A fan without a divisor (thinkpad, nct6775, a graphics card) counts in
    // RPM by itself: nothing to set, nothing to say.
    if (!ref.bound() || !session_->hasFanDivisor(ref)) return;
    if (!session_->setFanDivisor(ref, divisor))
        warn("fan " + std::to_string(fan) + ": the divisor could not be written");
}

}  // namespace kvx::lmsensors
