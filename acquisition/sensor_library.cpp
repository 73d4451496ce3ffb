#include "acquisition/sensor_library.h"

#include <cstring>

#include "sensorlib/kvx.h"

namespace kvx::acquisition {

// Resolved operations; all required ones are non-null once loaded.
struct SensorLibrary::Api {
    decltype(&::ClockRate) clockRate = nullptr;
    decltype(&::CheckLM78) checkLM78 = nullptr;
    decltype(&::RestartLM78) restartLM78 = nullptr;
    decltype(&::GetSMBAddress) getSMBAddress = nullptr;
    decltype(&::GetLM78Voltages) getLM78Voltages = nullptr;
    decltype(&::GetLM78Fans) getLM78Fans = nullptr;
    decltype(&::SetLM78FanDiv) setLM78FanDiv = nullptr;
    decltype(&::GetLM78Temp) getLM78Temp = nullptr;
    decltype(&::GetWinBondSensor2) getWinBondSensor2 = nullptr;
    decltype(&::GetWinBondSensor3) getWinBondSensor3 = nullptr;
    decltype(&::GetLMOutPut) getLMOutPut = nullptr;
    decltype(&::GetChipID) getChipID = nullptr;
    decltype(&::MemoryUse) memoryUse = nullptr;
    decltype(&::TotalPhysicalMemory) totalPhysicalMemory = nullptr;
    decltype(&::AvailablePhysicalMemory) availablePhysicalMemory = nullptr;
    decltype(&::GetCurrentUserName) getCurrentUserName = nullptr;
    decltype(&::StartPCSpeaker) startPCSpeaker = nullptr;
    decltype(&::StopPCSpeaker) stopPCSpeaker = nullptr;
    // Optional.
    decltype(&::KVX_LOGO) logo = nullptr;
    decltype(&::KvxSetTime) setTime = nullptr;
    decltype(&::KvxStartupError) startupError = nullptr;
    decltype(&::KvxListSensors) listSensors = nullptr;
};

namespace {

template <typename F>
void resolve(const platform::SharedLibrary& lib, const char* name, F& slot, std::vector<std::string>* missing) {
    slot = reinterpret_cast<F>(lib.symbol(name));
    if (!slot && missing) missing->push_back(name);
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& n : names) text += (text.empty() ? "" : ", ") + n;
    return text;
}

}  // namespace

SensorLibrary::SensorLibrary() : api_(std::make_unique<Api>()) {}
SensorLibrary::~SensorLibrary() = default;

std::unique_ptr<SensorLibrary> SensorLibrary::absent(std::string why) {
    std::unique_ptr<SensorLibrary> lib(new SensorLibrary());
    lib->status_ = Status::NotLoaded;
    lib->problem_ = std::move(why);
    return lib;
}

std::unique_ptr<SensorLibrary> SensorLibrary::load(platform::SharedLibraryLoader& loader, const std::string& path,
                                                   std::function<int64_t()> clock) {
    std::string error;
    auto handle = loader.open(path, error);
    if (!handle) return absent("cannot load sensor library " + path + ": " + error);

    std::unique_ptr<SensorLibrary> lib(new SensorLibrary());
    lib->clock_ = std::move(clock);
    Api& a = *lib->api_;
    std::vector<std::string> missing;
    resolve(*handle, "ClockRate", a.clockRate, &missing);
    resolve(*handle, "CheckLM78", a.checkLM78, &missing);
    resolve(*handle, "RestartLM78", a.restartLM78, &missing);
    resolve(*handle, "GetSMBAddress", a.getSMBAddress, &missing);
    resolve(*handle, "GetLM78Voltages", a.getLM78Voltages, &missing);
    resolve(*handle, "GetLM78Fans", a.getLM78Fans, &missing);
    resolve(*handle, "SetLM78FanDiv", a.setLM78FanDiv, &missing);
    resolve(*handle, "GetLM78Temp", a.getLM78Temp, &missing);
    resolve(*handle, "GetWinBondSensor2", a.getWinBondSensor2, &missing);
    resolve(*handle, "GetWinBondSensor3", a.getWinBondSensor3, &missing);
    resolve(*handle, "GetLMOutPut", a.getLMOutPut, &missing);
    resolve(*handle, "GetChipID", a.getChipID, &missing);
    resolve(*handle, "MemoryUse", a.memoryUse, &missing);
    resolve(*handle, "TotalPhysicalMemory", a.totalPhysicalMemory, &missing);
    resolve(*handle, "AvailablePhysicalMemory", a.availablePhysicalMemory, &missing);
    resolve(*handle, "GetCurrentUserName", a.getCurrentUserName, &missing);
    resolve(*handle, "StartPCSpeaker", a.startPCSpeaker, &missing);
    resolve(*handle, "StopPCSpeaker", a.stopPCSpeaker, &missing);
    resolve(*handle, "KVX_LOGO", a.logo, nullptr);
    resolve(*handle, "KvxSetTime", a.setTime, nullptr);
    resolve(*handle, "KvxStartupError", a.startupError, nullptr);
    resolve(*handle, "KvxListSensors", a.listSensors, nullptr);

    if (!missing.empty()) {
        // Half a library is not used at all: a board with no chip is clearer than a board that lies.
        auto refused = absent("sensor library " + path + " lacks " + joined(missing));
        refused->status_ = Status::MissingOperations;
        return refused;
    }
    lib->handle_ = std::move(handle);
    if (a.startupError) {
        lib->tellTime();
        if (const char* why = a.startupError()) {
            lib->status_ = Status::StartupError;
            lib->problem_ = why;
            return lib;
        }
    }
    lib->status_ = Status::Loaded;
    return lib;
}

void SensorLibrary::tellTime() {
    if (api_->setTime && clock_) api_->setTime(clock_());
}

int32_t SensorLibrary::clockRate() {
    if (!usable()) return 0;
    tellTime();
    return api_->clockRate();
}

bool SensorLibrary::checkLM78() {
    if (!usable()) return false;
    tellTime();
    return api_->checkLM78() != 0;
}

void SensorLibrary::restartLM78() {
    if (!usable()) return;
    tellTime();
    api_->restartLM78();
}

uint16_t SensorLibrary::smbAddress() {
    if (!usable()) return 0xFFFE;
    tellTime();
    return api_->getSMBAddress();
}

RailVoltages SensorLibrary::voltages() {
    RailVoltages v;
    if (!usable()) return v;
    tellTime();
    api_->getLM78Voltages(&v.corePort0, &v.corePort1, &v.p33, &v.p5, &v.p12, &v.n12, &v.n5);
    return v;
}

FanValues SensorLibrary::fans() {
    FanValues f;
    if (!usable()) return f;
    tellTime();
    api_->getLM78Fans(&f.fan1, &f.fan2, &f.fan3);
    return f;
}

void SensorLibrary::setFanDivisor(int32_t fan, int32_t divisor) {
    if (!usable()) return;
    tellTime();
    api_->setLM78FanDiv(fan, divisor);
}

int32_t SensorLibrary::lm78Temp() {
    if (!usable()) return -1;
    tellTime();
    return api_->getLM78Temp();
}

double SensorLibrary::winBondSensor2() {
    if (!usable()) return -1;
    tellTime();
    return api_->getWinBondSensor2();
}

double SensorLibrary::winBondSensor3() {
    if (!usable()) return -1;
    tellTime();
    return api_->getWinBondSensor3();
}

int32_t SensorLibrary::lm75Output(uint16_t smbus, int32_t readAddress) {
    if (!usable()) return -1;
    tellTime();
    return api_->getLMOutPut(smbus, readAddress);
}

int32_t SensorLibrary::chipId() {
    if (!usable()) return 0;
    tellTime();
    return api_->getChipID();
}

int32_t SensorLibrary::memoryUse() {
    if (!usable()) return 0;
    tellTime();
    return api_->memoryUse();
}

int64_t SensorLibrary::totalPhysicalMemory() {
    if (!usable()) return 0;
    tellTime();
    return api_->totalPhysicalMemory();
}

int64_t SensorLibrary::availablePhysicalMemory() {
    if (!usable()) return 0;
    tellTime();
    return api_->availablePhysicalMemory();
}

std::string SensorLibrary::currentUserName() {
    if (!usable()) return {};
    tellTime();
    uint8_t buffer[256] = {};
    api_->getCurrentUserName(buffer);
    return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
}

void SensorLibrary::startPCSpeaker(uint16_t pitch) {
    if (!usable()) return;
    tellTime();
    api_->startPCSpeaker(pitch);
}

void SensorLibrary::stopPCSpeaker() {
    if (!usable()) return;
    tellTime();
    api_->stopPCSpeaker();
}

std::vector<uint8_t> SensorLibrary::logo() {
    if (!usable() || !api_->logo) return {};
    tellTime();
    size_t size = 0;
    const uint8_t* bytes = api_->logo(&size);
    if (!bytes || size == 0) return {};
    return std::vector<uint8_t>(bytes, bytes + size);
}

std::optional<std::string> SensorLibrary::listSensors() {
    if (!handle_ || !api_->listSensors) return std::nullopt;
    tellTime();
    const char* text = api_->listSensors();
    if (!text) return std::nullopt;
    return std::string(text);
}

}  // namespace kvx::acquisition
