#include "fake_board.h"

#include <cstring>

namespace kvx::test {
namespace {

FakeBoard g_board;

extern "C" {
int32_t bClockRate() { return 450; }
uint8_t bCheckLM78() { return g_board.chip ? 1 : 0; }
void bRestartLM78() {}
uint16_t bGetSMBAddress() { return g_board.smbus; }
void bGetLM78Voltages(double* a, double* b, double* c, double* d, double* e, double* f, double* g) {
    double* out[7] = {a, b, c, d, e, f, g};
    for (int i = 0; i < 7; ++i) *out[i] = g_board.volts[i];
}
void bGetLM78Fans(int32_t* a, int32_t* b, int32_t* c) {
    *a = g_board.fans[0], *b = g_board.fans[1], *c = g_board.fans[2];
}
void bSetLM78FanDiv(int32_t fan, int32_t divisor) {
    g_board.calls.push_back("SetLM78FanDiv " + std::to_string(fan) + " " + std::to_string(divisor));
}
int32_t bGetLM78Temp() {
    g_board.calls.emplace_back("GetLM78Temp");
    return g_board.lm78;
}
double bGetWinBondSensor2() {
    g_board.calls.emplace_back("GetWinBondSensor2");
    return g_board.wb2;
}
double bGetWinBondSensor3() {
    g_board.calls.emplace_back("GetWinBondSensor3");
    return g_board.wb3;
}
int32_t bGetLMOutPut(uint16_t, int32_t address) {
    g_board.calls.push_back("GetLMOutPut " + std::to_string(address));
    auto it = g_board.lm75.find(address);
    return it == g_board.lm75.end() ? -1 : it->second;
}
int32_t bGetChipID() { return 0x10; }
int32_t bMemoryUse() { return 37; }
int64_t bTotalPhysicalMemory() { return 1 << 30; }
int64_t bAvailablePhysicalMemory() { return 1 << 29; }
void bGetCurrentUserName(uint8_t buffer[256]) { buffer[0] = 0; }
void bStartPCSpeaker(uint16_t) {}
void bStopPCSpeaker() {}
}

}  // namespace

FakeBoard& FakeBoard::current() { return g_board; }

std::unique_ptr<acquisition::SensorLibrary> FakeBoard::library() {
    static platform::fake::FakeSharedLibraryLoader loader = [] {
        platform::fake::FakeSharedLibraryLoader l;
        l.add("fake-board.so", {
                                   {"ClockRate", reinterpret_cast<void*>(bClockRate)},
                                   {"CheckLM78", reinterpret_cast<void*>(bCheckLM78)},
                                   {"RestartLM78", reinterpret_cast<void*>(bRestartLM78)},
                                   {"GetSMBAddress", reinterpret_cast<void*>(bGetSMBAddress)},
                                   {"GetLM78Voltages", reinterpret_cast<void*>(bGetLM78Voltages)},
                                   {"GetLM78Fans", reinterpret_cast<void*>(bGetLM78Fans)},
                                   {"SetLM78FanDiv", reinterpret_cast<void*>(bSetLM78FanDiv)},
                                   {"GetLM78Temp", reinterpret_cast<void*>(bGetLM78Temp)},
                                   {"GetWinBondSensor2", reinterpret_cast<void*>(bGetWinBondSensor2)},
                                   {"GetWinBondSensor3", reinterpret_cast<void*>(bGetWinBondSensor3)},
                                   {"GetLMOutPut", reinterpret_cast<void*>(bGetLMOutPut)},
                                   {"GetChipID", reinterpret_cast<void*>(bGetChipID)},
                                   {"MemoryUse", reinterpret_cast<void*>(bMemoryUse)},
                                   {"TotalPhysicalMemory", reinterpret_cast<void*>(bTotalPhysicalMemory)},
                                   {"AvailablePhysicalMemory", reinterpret_cast<void*>(bAvailablePhysicalMemory)},
                                   {"GetCurrentUserName", reinterpret_cast<void*>(bGetCurrentUserName)},
                                   {"StartPCSpeaker", reinterpret_cast<void*>(bStartPCSpeaker)},
                                   {"StopPCSpeaker", reinterpret_cast<void*>(bStopPCSpeaker)},
                               });
        return l;
    }();
    return acquisition::SensorLibrary::load(loader, "fake-board.so", [] { return int64_t{0}; });
}

}  // namespace kvx::test
