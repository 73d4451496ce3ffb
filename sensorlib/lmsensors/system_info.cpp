#include "sensorlib/lmsensors/system_info.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <vector>

namespace kvx::lmsensors {
namespace {

std::string fileText(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<int> clockFromCpuinfo(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("cpu MHz", 0) != 0) continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        char* end = nullptr;
        const double mhz = std::strtod(line.c_str() + colon + 1, &end);
        // A clock that does not fit an int is no clock (the cast would be undefined).
        if (end != line.c_str() + colon + 1 && mhz > 0 && mhz < std::numeric_limits<int>::max())
            return static_cast<int>(std::lround(mhz));
    }
    return std::nullopt;
}

int processorClockMhz() {
    if (auto mhz = clockFromCpuinfo(fileText("/proc/cpuinfo"))) return *mhz;
    std::ifstream maxFreq("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
    long khz = 0;
    if (maxFreq >> khz && khz > 0 && khz / 1000 < std::numeric_limits<int>::max())
        return static_cast<int>((khz + 500) / 1000);
    return 0;
}

constexpr std::int64_t kMaxKib = std::numeric_limits<std::int64_t>::max() / 1024 / 4;

std::optional<MemoryInfo> memoryFromMeminfo(const std::string& text) {
    std::map<std::string, std::int64_t> kib;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        std::int64_t value = 0;
        // Sizes in KiB that would overflow as bytes are not believed.
        if (fields >> key >> value && !key.empty() && key.back() == ':' && value >= 0 && value <= kMaxKib) {
            key.pop_back();
            kib[key] = value;
        }
    }
    if (!kib.count("MemTotal")) return std::nullopt;
    MemoryInfo memory;
    memory.totalBytes = kib["MemTotal"] * 1024;
    // Without MemAvailable (kernels before 3.14), the sum is capped so it cannot overflow.
    memory.availableBytes = kib.count("MemAvailable")
                                ? kib["MemAvailable"] * 1024
                                : std::min(kib["MemFree"] + std::min(kib["Buffers"] + kib["Cached"], kMaxKib),
                                           kMaxKib) *
                                      1024;
    if (memory.availableBytes > memory.totalBytes) memory.availableBytes = memory.totalBytes;
    return memory;
}

MemoryInfo systemMemory() { return memoryFromMeminfo(fileText("/proc/meminfo")).value_or(MemoryInfo{}); }

int memoryUsePercent(const MemoryInfo& memory) {
    if (memory.totalBytes <= 0) return 0;
    const auto used = static_cast<double>(memory.totalBytes - memory.availableBytes);
    return static_cast<int>(std::lround(100.0 * used / static_cast<double>(memory.totalBytes)));
}

std::string currentUserName() {
    const long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name &&
        *found->pw_name)
        return found->pw_name;
    for (const char* var : {"USER", "LOGNAME"})
        if (const char* value = std::getenv(var); value && *value) return value;
    return "";
}

}  // namespace kvx::lmsensors
