#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/shared_library.h"

namespace kvx::acquisition {

// The seven rails in the library's order.
struct RailVoltages {
    double corePort0 = 0, corePort1 = 0, p33 = 0, p5 = 0, p12 = 0, n12 = 0, n5 = 0;
};

// Raw fan values; 255 means no reading.
struct FanValues {
    int32_t fan1 = 255, fan2 = 255, fan3 = 255;
};

// The sensor library as the program uses it: the operations of kvx.h, each
// preceded by KvxSetTime when the library exports it. A library that could not
// be loaded, or that lacks an operation, is replaced by a board with no chip
// and no readings, so the program runs on.
class SensorLibrary {
public:
    enum class Status { Loaded, NotLoaded, MissingOperations, StartupError };

    // Loads `path`. `clock` gives the program's time for KvxSetTime.
    static std::unique_ptr<SensorLibrary> load(platform::SharedLibraryLoader& loader, const std::string& path,
                                               std::function<int64_t()> clock);
    // A board with no chip and no readings.
    static std::unique_ptr<SensorLibrary> absent(std::string why);
    ~SensorLibrary();

    Status status() const { return status_; }
    bool usable() const { return status_ == Status::Loaded; }
    // One line saying why the library is not in use ("" when it is).
    const std::string& problem() const { return problem_; }

    int32_t clockRate();
    bool checkLM78();
    void restartLM78();
    uint16_t smbAddress();
    RailVoltages voltages();
    FanValues fans();
    void setFanDivisor(int32_t fan, int32_t divisor);
    int32_t lm78Temp();
    double winBondSensor2();
    double winBondSensor3();
    int32_t lm75Output(uint16_t smbus, int32_t readAddress);
    int32_t chipId();
    int32_t memoryUse();
    int64_t totalPhysicalMemory();
    int64_t availablePhysicalMemory();
    std::string currentUserName();
    void startPCSpeaker(uint16_t pitch);
    void stopPCSpeaker();
    // The splash logo bytes (PNG or BMP), empty when the library has none.
    std::vector<uint8_t> logo();
    // What the library found and which input feeds which operation, as text
    // (KvxListSensors); nothing when the library was not loaded or does not
    // tell. Answers also after a start-up error.
    std::optional<std::string> listSensors();

    struct Api;

private:
    SensorLibrary();
    void tellTime();

    std::unique_ptr<platform::SharedLibrary> handle_;
    std::unique_ptr<Api> api_;
    std::function<int64_t()> clock_;
    Status status_ = Status::NotLoaded;
    std::string problem_;
};

}  // namespace kvx::acquisition
