// The operations of sensorlib/kvx.h, answered by one SimBoard. The board is
// made at the first call, so the environment is read when the library is
// first used rather than when it is loaded. No exception leaves an operation
// (sensorlib/c_boundary.h): a failing operation answers "no reading".
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "sensorlib/c_boundary.h"
#include "sensorlib/sim/sim_board.h"

// Only the operations of the contract leave the library.
#pragma GCC visibility push(default)
#include "sensorlib/kvx.h"
#pragma GCC visibility pop

namespace {

constexpr const char* kName = "kvx-sim";

// Null only when even a broken board could not be made (out of memory).
kvx::sim::SimBoard* makeBoard() noexcept {
    try {
        return kvx::sim::SimBoard::open(std::getenv("KVX_SIM_SCENARIO"), std::getenv("KVX_SIM_TRACE")).release();
    } catch (...) {
        return nullptr;
    }
}

kvx::sim::SimBoard& board() {
    static const std::unique_ptr<kvx::sim::SimBoard> theBoard(makeBoard());
    if (!theBoard) throw std::runtime_error("the simulated board cannot be made");
    return *theBoard;
}

}  // namespace

extern "C" {

int32_t ClockRate(void) { KVX_ANSWER(kName, 0, board().facts().clockMhz); }

uint8_t CheckLM78(void) {
    KVX_ANSWER(kName, uint8_t{0}, static_cast<uint8_t>(board().facts().chip != kvx::sim::Chip::None ? 1 : 0));
}

void RestartLM78(void) { KVX_RUN(kName, board()); }

uint16_t GetSMBAddress(void) { KVX_ANSWER(kName, uint16_t{kvx::sim::kNoSmbus}, board().facts().smbus); }

void GetLM78Voltages(double* core0, double* core1, double* p33, double* p5, double* p12, double* n12, double* n5) {
    double* out[] = {core0, core1, p33, p5, p12, n12, n5};
    for (double* rail : out)
        if (rail) *rail = 0;  // the board's own "before any row" value
    KVX_RUN(kName, {
        const auto volts = board().readings().volts;
        for (int i = 0; i < kvx::sim::kRailCount; ++i)
            if (out[i]) *out[i] = volts[i];
    });
}

void GetLM78Fans(int32_t* fan1, int32_t* fan2, int32_t* fan3) {
    int32_t* out[] = {fan1, fan2, fan3};
    for (int32_t* fan : out)
        if (fan) *fan = 255;
    KVX_RUN(kName, {
        const auto fans = board().readings().fans;
        for (int i = 0; i < kvx::sim::kFanCount; ++i)
            if (out[i]) *out[i] = fans[i];
    });
}

void SetLM78FanDiv(int32_t fan, int32_t divisor) { KVX_RUN(kName, board().setFanDivisor(fan, divisor)); }

int32_t GetLM78Temp(void) { KVX_ANSWER(kName, -1, board().readings().temp); }
double GetWinBondSensor2(void) { KVX_ANSWER(kName, -1.0, board().readings().wb2); }
double GetWinBondSensor3(void) { KVX_ANSWER(kName, -1.0, board().readings().wb3); }

int32_t GetLMOutPut(uint16_t smbus, int32_t readAddress) { KVX_ANSWER(kName, -1, board().lm75(smbus, readAddress)); }

int32_t GetChipID(void) { KVX_ANSWER(kName, 0, kvx::sim::chipId(board().facts().chip)); }

int32_t MemoryUse(void) { KVX_ANSWER(kName, 0, board().facts().memoryLoad); }
int64_t TotalPhysicalMemory(void) { KVX_ANSWER(kName, int64_t{0}, board().facts().memoryTotal); }
int64_t AvailablePhysicalMemory(void) { KVX_ANSWER(kName, int64_t{0}, board().facts().memoryAvailable); }

void GetCurrentUserName(uint8_t buffer[256]) {
    if (!buffer) return;
    buffer[0] = 0;
    KVX_RUN(kName, {
        const std::string& user = board().facts().user;
        const std::size_t length = user.size() < 255 ? user.size() : 255;
        buffer[0] = static_cast<uint8_t>(length);
        std::memcpy(buffer + 1, user.data(), length);
    });
}

void StartPCSpeaker(uint16_t pitch) { KVX_RUN(kName, board().startSpeaker(pitch)); }
void StopPCSpeaker(void) { KVX_RUN(kName, board().stopSpeaker()); }

const uint8_t* KVX_LOGO(size_t* size) {
    if (size) *size = 0;
    KVX_ANSWER(kName, static_cast<const uint8_t*>(nullptr), [&] {
        const auto& logo = board().logo();
        if (size) *size = logo.size();
        return logo.data();
    }());
}

void KvxSetTime(int64_t msSinceStart) { KVX_RUN(kName, board().setTime(msSinceStart)); }

const char* KvxStartupError(void) {
    KVX_ANSWER(kName, static_cast<const char*>("kvx-sim: the simulated board cannot be made"), board().startupError());
}

const char* KvxListSensors(void) {
    // Kept until the next call or until the library is unloaded.
    static std::string text;
    KVX_ANSWER(kName, static_cast<const char*>("kvx-sim: the simulated board cannot be made\n"), [&] {
        text = board().listing();
        return text.c_str();
    }());
}

}  // extern "C"
