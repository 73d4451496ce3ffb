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

// Records the operation with the time the board was told, and gives `answer`.
template <class T>
T noted(const char* op, T answer) {
    g_calls.push_back(std::to_string(g_time) + " " + op);
    return answer;
}

// A captureless lambda as the symbol the loader hands out.
template <class F>
void* symbol(F f) {
    return reinterpret_cast<void*>(+f);
}

FakeSharedLibraryLoader::SymbolTable fullBoard() {
    return {
        {"ClockRate", symbol([] { return noted("ClockRate", int32_t{450}); })},
        {"CheckLM78", symbol([] { return noted("CheckLM78", uint8_t{1}); })},
        {"RestartLM78", symbol([] { noted("RestartLM78", 0); })},
        {"GetSMBAddress", symbol([] { return noted("GetSMBAddress", uint16_t{0x5000}); })},
        {"GetLM78Voltages", symbol([](double* a, double* b, double* c, double* d, double* e, double* f, double* g) {
             noted("GetLM78Voltages", 0);
             *a = 2.05, *b = 2.8, *c = 3.31, *d = 5.02, *e = 12.1, *f = -11.9, *g = -5.01;
         })},
        {"GetLM78Fans", symbol([](int32_t* a, int32_t* b, int32_t* c) {
             noted("GetLM78Fans", 0);
             *a = 4500, *b = 0, *c = 255;
         })},
        {"SetLM78FanDiv", symbol([](int32_t, int32_t) { noted("SetLM78FanDiv", 0); })},
        {"GetLM78Temp", symbol([] { return noted("GetLM78Temp", int32_t{35}); })},
        {"GetWinBondSensor2", symbol([] { return 40.5; })},
        {"GetWinBondSensor3", symbol([] { return -1.0; })},
        {"GetLMOutPut", symbol([](uint16_t, int32_t address) { return int32_t{address == 0x91 ? 45 : -1}; })},
        {"GetChipID", symbol([] { return int32_t{0x10}; })},
        {"MemoryUse", symbol([] { return int32_t{37}; })},
        {"TotalPhysicalMemory", symbol([] { return int64_t{6} << 30; })},
        {"AvailablePhysicalMemory", symbol([] { return int64_t{3} << 30; })},
        {"GetCurrentUserName", symbol([](uint8_t buffer[256]) {
             buffer[0] = 5;
             // NOLINTNEXTLINE(bugprone-not-null-terminated-result): the name is length-prefixed, not terminated.
             std::memcpy(buffer + 1, "alice", 5);
         })},
        {"StartPCSpeaker", symbol([](uint16_t) {})},
        {"StopPCSpeaker", symbol([] {})},
        {"KvxSetTime", symbol([](int64_t ms) { g_time = ms; })},
        {"KvxStartupError", symbol([] { return g_startupError; })},
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
