// Loads build/bin/libkvx-sim.so as the program does and talks to it through
// the exported operations. The library reads its environment once, at first
// use, so each case runs in a child process that loads it afresh.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "sensorlib/kvx.h"

namespace {

const char* const kLibrary = KVX_BIN_DIR "/libkvx-sim.so";

// clang-format cannot lay out an X-macro list (each run gives another layout).
// clang-format off
#define KVX_OPERATIONS(X)                                                                              \
    X(ClockRate) X(CheckLM78) X(RestartLM78) X(GetSMBAddress) X(GetLM78Voltages) X(GetLM78Fans)       \
    X(SetLM78FanDiv) X(GetLM78Temp) X(GetWinBondSensor2) X(GetWinBondSensor3) X(GetLMOutPut)          \
    X(GetChipID) X(MemoryUse) X(TotalPhysicalMemory) X(AvailablePhysicalMemory) X(GetCurrentUserName) \
    X(StartPCSpeaker) X(StopPCSpeaker) X(KVX_LOGO) X(KvxSetTime) X(KvxStartupError)
// clang-format on

struct Api {
#define KVX_MEMBER(name) decltype(&::name) name = nullptr;  // NOLINT(bugprone-macro-parentheses): a declaration
    KVX_OPERATIONS(KVX_MEMBER)
#undef KVX_MEMBER
};

using Probe = std::function<void(const Api&, std::ostream&)>;
using Env = std::vector<std::pair<const char*, std::string>>;  // empty value: unset

// Runs `probe` in a child that loads the library, and returns what it wrote.
std::string inChild(const Env& env, const Probe& probe) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::ostringstream out;
        for (const auto& [name, value] : env) value.empty() ? unsetenv(name) : setenv(name, value.c_str(), 1);
        void* handle = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            out << "dlopen: " << dlerror();
        } else {
            Api api;
#define KVX_RESOLVE(name)                                                 \
    api.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    if (!api.name) out << "missing " #name "\n";
            KVX_OPERATIONS(KVX_RESOLVE)
#undef KVX_RESOLVE
            if (out.str().empty()) probe(api, out);
        }
        const std::string text = out.str();
        ssize_t written = write(fds[1], text.data(), text.size());
        _exit(written == ssize_t(text.size()) ? 0 : 1);
    }
    close(fds[1]);
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) text.append(buffer, got);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) text += "[child ended abnormally]";
    return text;
}

std::string temporaryFolder() {
    std::string pattern = testing::TempDir() + "kvx-sim-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : "";
}

std::string writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void describeBoard(const Api& api, std::ostream& out) {
    const char* error = api.KvxStartupError();
    out << "error=" << (error ? error : "(none)") << "\n";
    api.KvxSetTime(0);
    out << "clock=" << api.ClockRate() << " chip=" << int(api.CheckLM78()) << " id=" << api.GetChipID()
        << " smbus=" << api.GetSMBAddress() << "\n";
    out << "memory=" << api.MemoryUse() << " " << api.TotalPhysicalMemory() << " " << api.AvailablePhysicalMemory()
        << "\n";
    uint8_t name[256];
    std::fill(std::begin(name), std::end(name), 0xAA);
    api.GetCurrentUserName(name);
    out << "user=" << std::string(reinterpret_cast<char*>(name + 1), name[0]) << "\n";
}

void describeReadings(const Api& api, std::int64_t ms, std::ostream& out) {
    api.KvxSetTime(ms);
    double v[7];
    api.GetLM78Voltages(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6]);
    int32_t f[3];
    api.GetLM78Fans(&f[0], &f[1], &f[2]);
    const uint16_t smbus = api.GetSMBAddress();
    out << ms << ": temp=" << api.GetLM78Temp() << " wb2=" << api.GetWinBondSensor2()
        << " wb3=" << api.GetWinBondSensor3() << " lm75=" << api.GetLMOutPut(smbus, 0x91) << ","
        << api.GetLMOutPut(smbus, 0x93) << "," << api.GetLMOutPut(smbus, 0x95) << " volts=";
    for (int i = 0; i < 7; ++i) out << v[i] << (i < 6 ? "," : "");
    out << " fans=" << f[0] << "," << f[1] << "," << f[2] << "\n";
}

const char* const kNoChip =
    "clock=0 chip=0 id=0 smbus=65534\nmemory=0 0 0\nuser=\n"
    "0: temp=-1 wb2=-1 wb3=-1 lm75=-1,-1,-1 volts=0,0,0,0,0,0,0 fans=255,255,255\n";

TEST(SimLibrary, FollowsTheScenarioAndTracesOperations) {
    const std::string folder = temporaryFolder();
    const std::string scenario = writeFile(
        folder + "/board.txt",
        "chip lm79\nsmbus 0x0400\nclock 733\nmemory total=8589934592 available=2147483648\nuser Jane Doe\n"
        "at 1 temp=35 wb2=40.5 wb3=38.25 volts=2.05,2.80,3.31,5.02,12.10,-11.90,-5.01 fans=4500,4400,255 lm75.1=45\n"
        "at 60 temp=71 fans=4500,0,255\n");
    const std::string trace = writeFile(folder + "/trace.txt", "earlier run\n");

    const std::string seen = inChild({{"KVX_SIM_SCENARIO", scenario}, {"KVX_SIM_TRACE", trace}},
                                     [](const Api& api, std::ostream& out) {
                                         describeBoard(api, out);
                                         api.RestartLM78();
                                         describeReadings(api, 0, out);
                                         describeReadings(api, 1000, out);
                                         api.KvxSetTime(59999);
                                         api.SetLM78FanDiv(1, 4);
                                         describeReadings(api, 59999, out);  // the divisor changes no reading
                                         describeReadings(api, 60000, out);
                                         api.StartPCSpeaker(500);
                                         api.KvxSetTime(61500);
                                         api.StopPCSpeaker();
                                     });
    EXPECT_EQ(
        seen,
        "error=(none)\nclock=733 chip=1 id=45 smbus=1024\nmemory=75 8589934592 2147483648\nuser=Jane Doe\n"
        "0: temp=-1 wb2=-1 wb3=-1 lm75=-1,-1,-1 volts=0,0,0,0,0,0,0 fans=255,255,255\n"
        "1000: temp=35 wb2=40.5 wb3=38.25 lm75=45,-1,-1 volts=2.05,2.8,3.31,5.02,12.1,-11.9,-5.01 fans=4500,4400,255\n"
        "59999: temp=35 wb2=40.5 wb3=38.25 lm75=45,-1,-1 volts=2.05,2.8,3.31,5.02,12.1,-11.9,-5.01 fans=4500,4400,255\n"
        "60000: temp=71 wb2=40.5 wb3=38.25 lm75=45,-1,-1 volts=2.05,2.8,3.31,5.02,12.1,-11.9,-5.01 fans=4500,0,255\n");
    EXPECT_EQ(readFile(trace), "earlier run\n59999 SetLM78FanDiv 1 4\n60000 StartPCSpeaker 500\n61500 StopPCSpeaker\n");
}

// Whatever stops the board from starting, the library names it and then
// answers as a board with nothing on it, without crashing.
TEST(SimLibrary, StartupFaultsAreReportedAndLeaveAnEmptyBoard) {
    const std::string folder = temporaryFolder();
    const std::string bad = writeFile(folder + "/bad.txt", "clock 450\nat 0 tmp=35\n");
    const std::string good = writeFile(folder + "/good.txt", "at 0 temp=35\n");
    struct Case {
        Env env;
        std::string error;
    };
    const Case cases[] = {
        {{{"KVX_SIM_SCENARIO", bad}, {"KVX_SIM_TRACE", ""}}, bad + ":2: unknown key 'tmp'"},
        {{{"KVX_SIM_SCENARIO", folder + "/none.txt"}, {"KVX_SIM_TRACE", ""}},
         folder + "/none.txt: cannot open: No such file or directory"},
        {{{"KVX_SIM_SCENARIO", good}, {"KVX_SIM_TRACE", folder + "/no/trace.txt"}},
         folder + "/no/trace.txt: cannot open: No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const std::string seen = inChild(c.env, [](const Api& api, std::ostream& out) {
            describeBoard(api, out);
            describeReadings(api, 0, out);
            api.SetLM78FanDiv(1, 2);
            api.StartPCSpeaker(500);
            api.StopPCSpeaker();
        });
        EXPECT_EQ(seen, "error=" + c.error + "\n" + kNoChip);
    }
}

TEST(SimLibrary, DemoBoardWithoutScenario) {
    const std::string seen = inChild({{"KVX_SIM_SCENARIO", ""}, {"KVX_SIM_TRACE", ""}},
                                     [](const Api& api, std::ostream& out) {
                                         describeBoard(api, out);
                                         api.KvxSetTime(90000);
                                         int32_t f1, f2, f3;
                                         api.GetLM78Fans(&f1, &f2, &f3);
                                         out << "fan3=" << f3 << " lm75.3=" << api.GetLMOutPut(0x5000, 0x95)
                                             << " lm75.2 present=" << (api.GetLMOutPut(0x5000, 0x93) > 0) << "\n";
                                         size_t size = 0;
                                         const uint8_t* logo = api.KVX_LOGO(&size);
                                         out << "logo=" << size << " " << char(logo[0]) << char(logo[1]) << "\n";
                                     });
    EXPECT_EQ(seen,
              "error=(none)\nclock=450 chip=1 id=16 smbus=20480\nmemory=40 134217728 80530636\nuser=korvex\n"
              "fan3=255 lm75.3=-1 lm75.2 present=1\nlogo=24630 BM\n");
}

}  // namespace
