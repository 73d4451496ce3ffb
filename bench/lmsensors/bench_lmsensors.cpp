// Prints what one read of the sensor library costs: the poll the program makes
// every tick, every read operation of kvx.h, and a bare libsensors sweep of the
// same features for comparison. Runs on the fake sysfs trees of the demo
// board and of today's machines (intel-laptop, amd-desktop, arm-board, server)
// in a private mount namespace (this machine may have no chips), or on the
// real chips with --real. Instructions come from valgrind's callgrind (user space
// only) when valgrind is installed; the hardware counters are not used because
// virtual machines often lack them.
//
//   kvx-bench-lmsensors [--real | --machine NAME] [--iterations N]
#include <dlfcn.h>
#include <sensors/sensors.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "demo_board.h"
#include "fake_sysfs.h"
#include "machine_trees.h"
#include "sensorlib/kvx.h"

using namespace kvx::lmsensors::testing;

namespace {

struct Input {
    const sensors_chip_name* chip;
    int number;
};

struct Operations {
    decltype(GetLM78Voltages)* voltages;
    decltype(GetLM78Fans)* fans;
    decltype(GetLM78Temp)* temp;
    decltype(GetWinBondSensor2)* wb2;
    decltype(GetWinBondSensor3)* wb3;
    decltype(GetLMOutPut)* lm75;
    decltype(ClockRate)* clock;
    decltype(CheckLM78)* check;
    decltype(GetChipID)* chipId;
    decltype(GetSMBAddress)* smbus;
    decltype(MemoryUse)* memoryUse;
    decltype(TotalPhysicalMemory)* total;
    decltype(AvailablePhysicalMemory)* available;
    decltype(GetCurrentUserName)* user;
    decltype(KvxListSensors)* list;  // optional
};

volatile double gSink;

}  // namespace

// The measured functions have C names so that callgrind can be told to count
// inside them only (--toggle-collect).
extern "C" __attribute__((noinline)) void kvx_bench_bare_sweep(const std::vector<Input>& inputs, int n) {
    for (int i = 0; i < n; ++i)
        for (const Input& input : inputs) {
            double value = 0;
            if (sensors_get_value(input.chip, input.number, &value) == 0) gSink = value;
        }
}

// The same sweep over only the inputs the library binds: the fair yardstick of its poll.
extern "C" __attribute__((noinline)) void kvx_bench_same_inputs_sweep(const std::vector<Input>& inputs, int n) {
    for (int i = 0; i < n; ++i)
        for (const Input& input : inputs) {
            double value = 0;
            if (sensors_get_value(input.chip, input.number, &value) == 0) gSink = value;
        }
}

// One tick of the program: volts and fans only when CheckLM78 answered true,
// the three temperature operations, the eight LM75s only where there is an SMBus.
extern "C" __attribute__((noinline)) void kvx_bench_poll(const Operations& op, uint16_t smbus, bool chip, int n) {
    for (int i = 0; i < n; ++i) {
        double v[7] = {};
        int32_t f[3] = {};
        if (chip) {
            op.voltages(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6]);
            op.fans(&f[0], &f[1], &f[2]);
        }
        gSink = op.temp() + op.wb2() + op.wb3() + v[0] + f[0];
        if (smbus != 0xFFFE)
            for (int address = 0x91; address <= 0x9F; address += 2) gSink = op.lm75(smbus, address);
    }
}

extern "C" __attribute__((noinline)) void kvx_bench_all_operations(const Operations& op, uint16_t smbus, bool chip,
                                                                   int n) {
    for (int i = 0; i < n; ++i) {
        kvx_bench_poll(op, smbus, chip, 1);
        uint8_t name[256];
        op.user(name);
        gSink = op.clock() + op.check() + op.chipId() + op.smbus() + op.memoryUse() + static_cast<double>(op.total()) +
                static_cast<double>(op.available()) + name[0];
    }
}

namespace {

std::vector<Input> libsensorsInputs() {
    std::vector<Input> inputs;
    int chipNr = 0;
    while (const sensors_chip_name* chip = sensors_get_detected_chips(nullptr, &chipNr)) {
        int featureNr = 0;
        while (const sensors_feature* feature = sensors_get_features(chip, &featureNr)) {
            sensors_subfeature_type type = feature->type == SENSORS_FEATURE_IN     ? SENSORS_SUBFEATURE_IN_INPUT
                                           : feature->type == SENSORS_FEATURE_FAN  ? SENSORS_SUBFEATURE_FAN_INPUT
                                           : feature->type == SENSORS_FEATURE_TEMP ? SENSORS_SUBFEATURE_TEMP_INPUT
                                                                                   : SENSORS_SUBFEATURE_UNKNOWN;
            if (const sensors_subfeature* sub = sensors_get_subfeature(chip, feature, type))
                inputs.push_back({chip, sub->number});
        }
    }
    return inputs;
}

template <class F>
F* symbol(void* handle, const char* name) {
    auto* f = reinterpret_cast<F*>(dlsym(handle, name));
    if (!f) {
        std::fprintf(stderr, "libkvx.so lacks %s\n", name);
        std::exit(1);
    }
    return f;
}

Operations loadOperations(void* h) {
    return {symbol<decltype(GetLM78Voltages)>(h, "GetLM78Voltages"),
            symbol<decltype(GetLM78Fans)>(h, "GetLM78Fans"),
            symbol<decltype(GetLM78Temp)>(h, "GetLM78Temp"),
            symbol<decltype(GetWinBondSensor2)>(h, "GetWinBondSensor2"),
            symbol<decltype(GetWinBondSensor3)>(h, "GetWinBondSensor3"),
            symbol<decltype(GetLMOutPut)>(h, "GetLMOutPut"),
            symbol<decltype(ClockRate)>(h, "ClockRate"),
            symbol<decltype(CheckLM78)>(h, "CheckLM78"),
            symbol<decltype(GetChipID)>(h, "GetChipID"),
            symbol<decltype(GetSMBAddress)>(h, "GetSMBAddress"),
            symbol<decltype(MemoryUse)>(h, "MemoryUse"),
            symbol<decltype(TotalPhysicalMemory)>(h, "TotalPhysicalMemory"),
            symbol<decltype(AvailablePhysicalMemory)>(h, "AvailablePhysicalMemory"),
            symbol<decltype(GetCurrentUserName)>(h, "GetCurrentUserName"),
            reinterpret_cast<decltype(KvxListSensors)*>(dlsym(h, "KvxListSensors"))};
}

// The inputs that feed an operation, read from the library's own listing
// (chip name lines, then input lines "LABEL: VALUE (FEATURE)  -> SLOT"),
// found in the libsensors state the library set up.
std::vector<Input> boundInputs(const Operations& op) {
    std::vector<Input> inputs;
    if (!op.list) return inputs;
    std::istringstream lines(op.list());
    std::string previous, chipName;
    for (std::string line; std::getline(lines, line); previous = line) {
        if (line.rfind("Adapter: ", 0) == 0) chipName = previous;
        const std::size_t arrow = line.find("  -> ");
        if (arrow == std::string::npos || chipName.empty()) continue;
        const std::size_t open = line.rfind('(', arrow), close = line.find(')', open);
        if (open == std::string::npos || close == std::string::npos) continue;
        const std::string featureName = line.substr(open + 1, close - open - 1);
        int chipNr = 0;
        while (const sensors_chip_name* chip = sensors_get_detected_chips(nullptr, &chipNr)) {
            char name[256];
            sensors_snprintf_chip_name(name, sizeof name, chip);
            if (chipName != name) continue;
            int featureNr = 0;
            while (const sensors_feature* feature = sensors_get_features(chip, &featureNr)) {
                if (featureName != feature->name) continue;
                for (auto type :
                     {SENSORS_SUBFEATURE_IN_INPUT, SENSORS_SUBFEATURE_FAN_INPUT, SENSORS_SUBFEATURE_TEMP_INPUT})
                    if (const sensors_subfeature* sub = sensors_get_subfeature(chip, feature, type))
                        inputs.push_back({chip, sub->number});
            }
        }
    }
    return inputs;
}

// Microseconds per sweep: the best of five batches of n sweeps.
template <class F>
double microsecondsPerSweep(F&& batch, int n) {
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        batch(n);
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / n);
    }
    return best;
}

struct Figures {
    double bareUs = 0, sameUs = 0, pollUs = 0, allUs = 0;
    std::size_t features = 0, bound = 0;
};

// Measures inside the current process, which already sees the chips.
Figures measure(int n) {
    Figures figures;
    if (sensors_init(nullptr) != 0) {
        std::fprintf(stderr, "sensors_init failed\n");
        std::exit(1);
    }
    const std::vector<Input> inputs = libsensorsInputs();
    figures.features = inputs.size();
    kvx_bench_bare_sweep(inputs, 10);
    figures.bareUs = microsecondsPerSweep([&](int k) { kvx_bench_bare_sweep(inputs, k); }, n);
    sensors_cleanup();  // libkvx.so shares this libsensors and starts its own session

    void* handle = dlopen(KVX_BIN_DIR "/libkvx.so", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "dlopen: %s\n", dlerror());
        std::exit(1);
    }
    const Operations op = loadOperations(handle);
    const uint16_t smbus = op.smbus();
    const bool chip = op.check() != 0;
    const std::vector<Input> bound = boundInputs(op);
    figures.bound = bound.size();
    kvx_bench_same_inputs_sweep(bound, 10);
    figures.sameUs = microsecondsPerSweep([&](int k) { kvx_bench_same_inputs_sweep(bound, k); }, n);
    kvx_bench_all_operations(op, smbus, chip, 10);
    figures.pollUs = microsecondsPerSweep([&](int k) { kvx_bench_poll(op, smbus, chip, k); }, n);
    figures.allUs = microsecondsPerSweep([&](int k) { kvx_bench_all_operations(op, smbus, chip, k); }, n);
    dlclose(handle);
    return figures;
}

// The fake tree of `machine` ("demo" or a name of machines()); none with --real.
std::unique_ptr<FakeSysfsTree> machineTree(bool real, const std::string& machine) {
    if (real) return nullptr;
    auto tree = std::make_unique<FakeSysfsTree>();
    if (machine == "demo") buildDemoBoard(*tree);
    else findMachine(machine)->build(*tree);
    return tree;
}

// Shows the demo tree to this process (nothing to do with --real).
bool enterMachine(const FakeSysfsTree* tree) {
    if (!tree) return true;
    bool refused = false;
    const std::string error = enterFakeSysfs(tree->root(), refused);
    if (!error.empty()) {
        std::fprintf(stderr, "cannot show the fake tree: %s%s\n", error.c_str(),
                     refused ? " (no private mount namespace here; try --real)" : "");
        return false;
    }
    return true;
}

// Instructions per sweep of `function`, counted by callgrind in a child run of
// this program; -1 when valgrind is missing or fails.
double callgrindInstructions(const char* self, const char* function, bool real, const std::string& machine, int n) {
    if (system("command -v valgrind >/dev/null 2>&1") != 0) return -1;
    char outFile[] = "/tmp/kvx-bench-callgrind-XXXXXX";
    const int fd = mkstemp(outFile);
    if (fd < 0) return -1;
    close(fd);
    const std::string command = std::string("valgrind --tool=callgrind --callgrind-out-file=") + outFile +
                                " --toggle-collect=" + function + " " + self + " --inner" +
                                (real ? " --real" : " --machine " + machine) + " --iterations " + std::to_string(n) +
                                " >/dev/null 2>&1";
    const int rc = system(command.c_str());
    double total = -1;
    std::ifstream in(outFile);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("totals:", 0) == 0 || line.rfind("summary:", 0) == 0)
            total = std::atof(line.c_str() + line.find(':') + 1);
    std::remove(outFile);
    if (rc != 0 || total < 0) return -1;
    // Each measured function runs 10 warm-up sweeps and 5 timed batches of n;
    // the poll also runs once inside every sweep of all operations.
    const double sweeps = std::strcmp(function, "kvx_bench_poll") == 0 ? 10 + 10.0 * n : 10 + 5.0 * n;
    return total / sweeps;
}

// Measures one machine and prints its figures.
int benchMachine(const char* self, bool real, const std::string& machine, int n) {
    const std::unique_ptr<FakeSysfsTree> tree = machineTree(real, machine);
    // The timing runs in a child, so that the namespace ends with it.
    int fds[2];
    if (pipe(fds) != 0) return 1;
    if (fork() == 0) {
        close(fds[0]);
        if (!enterMachine(tree.get())) _exit(1);
        const Figures f = measure(n);
        if (write(fds[1], &f, sizeof f) != sizeof f) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    Figures f;
    const bool got = read(fds[0], &f, sizeof f) == sizeof f;
    close(fds[0]);
    int status = 0;
    wait(&status);
    if (!got) return 1;

    const int cgIterations = 50;
    const double bareIr = callgrindInstructions(self, "kvx_bench_bare_sweep", real, machine, cgIterations);
    const double sameIr = callgrindInstructions(self, "kvx_bench_same_inputs_sweep", real, machine, cgIterations);
    const double pollIr = callgrindInstructions(self, "kvx_bench_poll", real, machine, cgIterations);
    const double allIr = callgrindInstructions(self, "kvx_bench_all_operations", real, machine, cgIterations);
    auto ir = [](double v) { return v < 0 ? std::string("n/a") : std::to_string(std::llround(v)); };
    auto ratio = [](double a, double b) { return b > 0 && a >= 0 ? a / b : -1.0; };

    std::printf("\nmachine: %s, %zu libsensors inputs (in/fan/temp), %zu of them feed the program\n",
                real ? "real chips" : (machine + " on fake sysfs").c_str(), f.features, f.bound);
    std::printf("%-52s %10s %16s\n", "one sweep", "us", "instructions(u)");
    std::printf("%-52s %10.2f %16s\n", "bare libsensors: sensors_get_value on every input", f.bareUs,
                ir(bareIr).c_str());
    std::printf("%-52s %10.2f %16s\n", "bare libsensors: the same inputs libkvx reads", f.sameUs, ir(sameIr).c_str());
    std::printf("%-52s %10.2f %16s\n", "libkvx poll: what the program reads every tick", f.pollUs, ir(pollIr).c_str());
    std::printf("%-52s %10.2f %16s\n", "libkvx every read operation (poll + clock, memory...)", f.allUs,
                ir(allIr).c_str());
    std::printf("%-52s %10.2f %16.2f\n", "poll / bare sweep of the same inputs (goal: <= 1.2)",
                ratio(f.pollUs, f.sameUs), ratio(pollIr, sameIr));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool real = false, inner = false;
    std::string only;
    int n = 2000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--real")) real = true;
        else if (!std::strcmp(argv[i], "--inner")) inner = true;
        else if (!std::strcmp(argv[i], "--machine") && i + 1 < argc) only = argv[++i];
        else if (!std::strcmp(argv[i], "--iterations") && i + 1 < argc) n = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: kvx-bench-lmsensors [--real | --machine NAME] [--iterations N]\n");
            return 2;
        }
    }
    std::vector<std::string> names = {"demo"};
    for (const Machine& m : machines()) names.emplace_back(m.name);
    if (!only.empty()) {
        if (only != "demo" && !findMachine(only)) {
            std::fprintf(stderr, "unknown machine %s\n", only.c_str());
            return 2;
        }
        names = {only};
    }
    if (inner) {
        const std::unique_ptr<FakeSysfsTree> tree = machineTree(real, names.front());
        if (!enterMachine(tree.get())) return 1;
        measure(n);
        return 0;
    }
    if (real) return benchMachine(argv[0], true, "", n);
    for (const std::string& name : names)
        if (benchMachine(argv[0], false, name, n) != 0) return 1;
    return 0;
}
