// Loading the sensor library: a missing file or operation degrades, never crashes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "acquisition/sensor_library.h"
#include "platform/fake/fake_shared_library.h"
#include "platform/linux/dl_shared_library.h"

using kvx::acquisition::SensorLibrary;
using kvx::platform::fake::FakeSharedLibraryLoader;

namespace {

// A tiny board whose operations record the time they were told before each call.
std::vector<std::string> g_calls;
int64_t g_time = -1;
const char* g_startupError = nullptr;

void note(const char* op) { g_calls.push_back(std::to_string(g_time) + " " + op); }

extern "C" {
int32_t fClockRate() {
    note("ClockRate");
    return 450;
}
uint8_t fCheckLM78() {
    note("CheckLM78");
    return 1;
}
void fRestartLM78() { note("RestartLM78"); }
uint16_t fGetSMBAddress() {
    note("GetSMBAddress");
    return 0x5000;
}
void fGetLM78Voltages(double* a, double* b, double* c, double* d, double* e, double* f, double* g) {
    note("GetLM78Voltages");
    *a = 2.05, *b = 2.8, *c = 3.31, *d = 5.02, *e = 12.1, *f = -11.9, *g = -5.01;
}
void fGetLM78Fans(int32_t* a, int32_t* b, int32_t* c) {
    note("GetLM78Fans");
    *a = 4500, *b = 0, *c = 255;
}
void fSetLM78FanDiv(int32_t, int32_t) { note("SetLM78FanDiv"); }
int32_t fGetLM78Temp() {
    note("GetLM78Temp");
    return 35;
}
double fGetWinBondSensor2() { return 40.5; }
double fGetWinBondSensor3() { return -1; }
int32_t fGetLMOutPut(uint16_t, int32_t address) { return address == 0x91 ? 45 : -1; }
int32_t fGetChipID() { return 0x10; }
int32_t fMemoryUse() { return 37; }
int64_t fTotalPhysicalMemory() { return int64_t{6} << 30; }
int64_t fAvailablePhysicalMemory() { return int64_t{3} << 30; }
void fGetCurrentUserName(uint8_t buffer[256]) {
    buffer[0] = 5;
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result): the name is length-prefixed, not terminated.
    std::memcpy(buffer + 1, "alice", 5);
}
void fStartPCSpeaker(uint16_t) {}
void fStopPCSpeaker() {}
void fKvxSetTime(int64_t ms) { g_time = ms; }
const char* fKvxStartupError() { return g_startupError; }
}

FakeSharedLibraryLoader::SymbolTable fullBoard() {
    return {
        {"ClockRate", reinterpret_cast<void*>(fClockRate)},
        {"CheckLM78", reinterpret_cast<void*>(fCheckLM78)},
        {"RestartLM78", reinterpret_cast<void*>(fRestartLM78)},
        {"GetSMBAddress", reinterpret_cast<void*>(fGetSMBAddress)},
        {"GetLM78Voltages", reinterpret_cast<void*>(fGetLM78Voltages)},
        {"GetLM78Fans", reinterpret_cast<void*>(fGetLM78Fans)},
        {"SetLM78FanDiv", reinterpret_cast<void*>(fSetLM78FanDiv)},
        {"GetLM78Temp", reinterpret_cast<void*>(fGetLM78Temp)},
        {"GetWinBondSensor2", reinterpret_cast<void*>(fGetWinBondSensor2)},
        {"GetWinBondSensor3", reinterpret_cast<void*>(fGetWinBondSensor3)},
        {"GetLMOutPut", reinterpret_cast<void*>(fGetLMOutPut)},
        {"GetChipID", reinterpret_cast<void*>(fGetChipID)},
        {"MemoryUse", reinterpret_cast<void*>(fMemoryUse)},
        {"TotalPhysicalMemory", reinterpret_cast<void*>(fTotalPhysicalMemory)},
        {"AvailablePhysicalMemory", reinterpret_cast<void*>(fAvailablePhysicalMemory)},
        {"GetCurrentUserName", reinterpret_cast<void*>(fGetCurrentUserName)},
        {"StartPCSpeaker", reinterpret_cast<void*>(fStartPCSpeaker)},
        {"StopPCSpeaker", reinterpret_cast<void*>(fStopPCSpeaker)},
        {"KvxSetTime", reinterpret_cast<void*>(fKvxSetTime)},
        {"KvxStartupError", reinterpret_cast<void*>(fKvxStartupError)},
    };
}

void expectNoChipNoReadings(SensorLibrary& lib) {
    EXPECT_FALSE(lib.usable());
    EXPECT_FALSE(lib.checkLM78());
    EXPECT_EQ(lib.smbAddress(), 0xFFFE);
    EXPECT_EQ(lib.lm78Temp(), -1);
    EXPECT_EQ(lib.winBondSensor2(), -1);
    EXPECT_EQ(lib.winBondSensor3(), -1);
    EXPECT_EQ(lib.lm75Output(0x5000, 0x91), -1);
    EXPECT_EQ(lib.fans().fan1, 255);
    EXPECT_EQ(lib.chipId(), 0);
    EXPECT_TRUE(lib.logo().empty());
    lib.startPCSpeaker(1000);  // harmless
}

struct SensorLibraryTest : ::testing::Test {
    void SetUp() override {
        g_calls.clear();
        g_time = -1;
        g_startupError = nullptr;
    }
    int64_t now = 0;
    std::function<int64_t()> clock = [this] { return now; };
};

}  // namespace

TEST_F(SensorLibraryTest, ALoadedLibraryIsToldTheTimeBeforeEveryCall) {
    FakeSharedLibraryLoader loader;
    loader.add("board.so", fullBoard());
    auto lib = SensorLibrary::load(loader, "board.so", clock);
    ASSERT_TRUE(lib->usable()) << lib->problem();
    now = 1200;
    EXPECT_EQ(lib->clockRate(), 450);
    now = 1400;
    EXPECT_TRUE(lib->checkLM78());
    auto volts = lib->voltages();
    EXPECT_DOUBLE_EQ(volts.n12, -11.9);
    EXPECT_DOUBLE_EQ(volts.n5, -5.01);
    EXPECT_EQ(lib->fans().fan3, 255);
    EXPECT_EQ(lib->lm75Output(0x5000, 0x91), 45);
    EXPECT_EQ(lib->totalPhysicalMemory(), int64_t{6} << 30) << "sizes above 4 GiB survive";
    EXPECT_EQ(lib->currentUserName(), "alice");
    EXPECT_TRUE(lib->logo().empty()) << "KVX_LOGO is optional";
    EXPECT_EQ(g_calls, (std::vector<std::string>{"1200 ClockRate", "1400 CheckLM78", "1400 GetLM78Voltages",
                                                 "1400 GetLM78Fans"}));
}

// Guards against a crash on a missing file: the program runs on without readings.
TEST_F(SensorLibraryTest, AMissingFileGivesABoardWithoutReadings) {
    kvx::platform::linux_backend::DlSharedLibraryLoader loader;
    auto lib = SensorLibrary::load(loader, "/nonexistent/libkvx.so", clock);
    EXPECT_EQ(lib->status(), SensorLibrary::Status::NotLoaded);
    EXPECT_NE(lib->problem().find("/nonexistent/libkvx.so"), std::string::npos) << lib->problem();
    expectNoChipNoReadings(*lib);
}

// Guards against calling through a null pointer when a library lacks an operation.
TEST_F(SensorLibraryTest, ALibraryLackingOperationsIsNotUsedAndTheMessageNamesThem) {
    FakeSharedLibraryLoader loader;
    auto partial = fullBoard();
    partial.erase("GetLM78Fans");
    partial.erase("StopPCSpeaker");
    loader.add("old.so", partial);
    auto lib = SensorLibrary::load(loader, "old.so", clock);
    EXPECT_EQ(lib->status(), SensorLibrary::Status::MissingOperations);
    EXPECT_NE(lib->problem().find("GetLM78Fans, StopPCSpeaker"), std::string::npos) << lib->problem();
    expectNoChipNoReadings(*lib);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(SensorLibraryTest, AStartupErrorIsReportedWithTheLibrarysOwnWords) {
    FakeSharedLibraryLoader loader;
    loader.add("sim.so", fullBoard());
    g_startupError = "board.txt:4: unknown key 'tmp'";
    auto lib = SensorLibrary::load(loader, "sim.so", clock);
    EXPECT_EQ(lib->status(), SensorLibrary::Status::StartupError);
    EXPECT_EQ(lib->problem(), "board.txt:4: unknown key 'tmp'");
    expectNoChipNoReadings(*lib);
}
