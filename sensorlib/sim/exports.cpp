// The operations of sensorlib/kvx.h, answered by one SimBoard. The board is
// made at the first call, so the environment is read when the library is
// first used rather than when it is loaded.
#include <cstdlib>
#include <cstring>

#include "sensorlib/sim/sim_board.h"

// Only the operations of the contract leave the library.
#pragma GCC visibility push(default)
#include "sensorlib/kvx.h"
#pragma GCC visibility pop

namespace {

kvx::sim::SimBoard& board() {
    static const std::unique_ptr<kvx::sim::SimBoard> theBoard =
        kvx::sim::SimBoard::open(std::getenv("KVX_SIM_SCENARIO"), std::getenv("KVX_SIM_TRACE"));
    return *theBoard;
}

}  // namespace

extern "C" {

int32_t ClockRate(void) { return board().facts().clockMhz; }

uint8_t CheckLM78(void) { return board().facts().chip != kvx::sim::Chip::None ? 1 : 0; }

void RestartLM78(void) { board(); }

uint16_t GetSMBAddress(void) { return board().facts().smbus; }

void GetLM78Voltages(double* core0, double* core1, double* p33, double* p5, double* p12, double* n12,
                     double* n5) {
    const auto volts = board().readings().volts;
    double* out[] = {core0, core1, p33, p5, p12, n12, n5};
    for (int i = 0; i < kvx::sim::kRailCount; ++i)
        if (out[i]) *out[i] = volts[i];
}

void GetLM78Fans(int32_t* fan1, int32_t* fan2, int32_t* fan3) {
    const auto fans = board().readings().fans;
    int32_t* out[] = {fan1, fan2, fan3};
    for (int i = 0; i < kvx::sim::kFanCount; ++i)
        if (out[i]) *out[i] = fans[i];
}

void SetLM78FanDiv(int32_t fan, int32_t divisor) { board().setFanDivisor(fan, divisor); }

int32_t GetLM78Temp(void) { return board().readings().temp; }
double GetWinBondSensor2(void) { return board().readings().wb2; }
double GetWinBondSensor3(void) { return board().readings().wb3; }

int32_t GetLMOutPut(uint16_t smbus, int32_t readAddress) { return board().lm75(smbus, readAddress); }

int32_t GetChipID(void) { return kvx::sim::chipId(board().facts().chip); }

int32_t MemoryUse(void) { return board().facts().memoryLoad; }
int64_t TotalPhysicalMemory(void) { return board().facts().memoryTotal; }
int64_t AvailablePhysicalMemory(void) { return board().facts().memoryAvailable; }

void GetCurrentUserName(uint8_t buffer[256]) {
    if (!buffer) return;
    const std::string& user = board().facts().user;
    const std::size_t length = user.size() < 255 ? user.size() : 255;
    buffer[0] = static_cast<uint8_t>(length);
    std::memcpy(buffer + 1, user.data(), length);
}

void StartPCSpeaker(uint16_t pitch) { board().startSpeaker(pitch); }
void StopPCSpeaker(void) { board().stopSpeaker(); }

const uint8_t* KVX_LOGO(size_t* size) {
    const auto& logo = board().logo();
    if (size) *size = logo.size();
    return logo.data();
}

void KvxSetTime(int64_t msSinceStart) { board().setTime(msSinceStart); }

const char* KvxStartupError(void) { return board().startupError(); }

}  // extern "C"
