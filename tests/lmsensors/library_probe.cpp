#include "library_probe.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "sensorlib/kvx.h"

namespace kvx::lmsensors::testing {
namespace {

std::string fixed(double value, int decimals) {
    if (std::isnan(value)) return "nan";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

template <class F>
F* op(void* handle, const char* name) {
    return reinterpret_cast<F*>(dlsym(handle, name));
}

std::string collect(const std::function<void(const SymbolLookup&)>& before) {
    void* handle = dlopen(KVX_BIN_DIR "/libkvx.so", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return std::string("error=dlopen: ") + dlerror() + "\n";
    std::ostringstream out;
    const char* startup = op<decltype(KvxStartupError)>(handle, "KvxStartupError")();
    out << "startup=" << (startup ? startup : "") << "\n";
    if (before) before([handle](const char* name) { return dlsym(handle, name); });
    out << "check=" << int(op<decltype(CheckLM78)>(handle, "CheckLM78")()) << "\n";
    out << "chipid=" << op<decltype(GetChipID)>(handle, "GetChipID")() << "\n";
    const uint16_t smbus = op<decltype(GetSMBAddress)>(handle, "GetSMBAddress")();
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", smbus);
    out << "smbus=" << hex << "\n";
    double rails[7];
    op<decltype(GetLM78Voltages)>(handle, "GetLM78Voltages")(&rails[0], &rails[1], &rails[2], &rails[3], &rails[4],
                                                             &rails[5], &rails[6]);
    const char* railNames[] = {"core0", "core1", "p33", "p5", "p12", "n12", "n5"};
    for (int i = 0; i < 7; ++i) out << railNames[i] << "=" << fixed(rails[i], 3) << "\n";
    int32_t fans[3];
    op<decltype(GetLM78Fans)>(handle, "GetLM78Fans")(&fans[0], &fans[1], &fans[2]);
    for (int i = 0; i < 3; ++i) out << "fan" << i + 1 << "=" << fans[i] << "\n";
    out << "temp1=" << op<decltype(GetLM78Temp)>(handle, "GetLM78Temp")() << "\n";
    out << "wb2=" << fixed(op<decltype(GetWinBondSensor2)>(handle, "GetWinBondSensor2")(), 2) << "\n";
    out << "wb3=" << fixed(op<decltype(GetWinBondSensor3)>(handle, "GetWinBondSensor3")(), 2) << "\n";
    auto lm75 = op<decltype(GetLMOutPut)>(handle, "GetLMOutPut");
    for (int address = 0x91; address <= 0x9F; address += 2) {
        std::snprintf(hex, sizeof hex, "%02x", address);
        out << "lm75." << hex << "=" << lm75(smbus, address) << "\n";
    }
    out << "lm75.90=" << lm75(smbus, 0x90) << "\n";
    out << "lm75.otherbus=" << lm75(static_cast<uint16_t>(smbus ^ 0x10), 0x91) << "\n";
    dlclose(handle);
    return out.str();
}

}  // namespace

LibraryAnswers probeLibrary(const FakeSysfsTree& tree, const std::function<void(const SymbolLookup&)>& before) {
    const std::string configDir = tree.configDir();
    NamespaceRun run = runInFakeSysfs(tree.root(), [&]() {
        setenv("KORVEX_CONFIG_DIR", configDir.c_str(), 1);
        return collect(before);
    });
    LibraryAnswers answers;
    answers.skipped = run.skipped;
    answers.ok = run.ok;
    if (!run.ok) {
        answers.error = run.output;
        return answers;
    }
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) answers.values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return answers;
}

}  // namespace kvx::lmsensors::testing
