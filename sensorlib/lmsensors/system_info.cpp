#include "sensorlib/lmsensors/system_info.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

#include "sensorlib/lmsensors/file_text.h"

namespace kvx::lmsensors {
namespace {

std::string fileText(const char* path) { return readFileText(path).text; }

// Calls `each` with every line of `text`, without its "\n".
template <typename Each>
void forEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        each(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The next blank-separated word of `line`, which moves past it.
std::string_view nextWord(std::string_view& line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    std::size_t length = 0;
    while (length < line.size() && !isBlank(line[length])) ++length;
    const std::string_view word = line.substr(0, length);
    line.remove_prefix(length);
    return word;
}

}  // namespace

std::optional<int> clockFromCpuinfo(const std::string& text) {
    std::optional<int> clock;
    forEachLine(text, [&clock](std::string_view view) {
        if (clock || !view.starts_with("cpu MHz")) return;
        const std::string line(view);
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) return;
        char* end = nullptr;
        const double mhz = std::strtod(line.c_str() + colon + 1, &end);
        // A clock that does not fit an int is no clock (the cast would be undefined).
        if (end != line.c_str() + colon + 1 && mhz > 0 && mhz < std::numeric_limits<int>::max())
            clock = static_cast<int>(std::lround(mhz));
    });
    return clock;
}

int processorClockMhz() {
    if (auto mhz = clockFromCpuinfo(fileText("/proc/cpuinfo"))) return *mhz;
    const std::string maxFreq = fileText("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
    char* end = nullptr;
    errno = 0;
    const long khz = std::strtol(maxFreq.c_str(), &end, 10);
    if (end != maxFreq.c_str() && errno != ERANGE && khz > 0 && khz / 1000 < std::numeric_limits<int>::max())
        return static_cast<int>((khz + 500) / 1000);
    return 0;
}

constexpr std::int64_t kMaxKib = std::numeric_limits<std::int64_t>::max() / 1024 / 4;

std::optional<MemoryInfo> memoryFromMeminfo(const std::string& text) {
    std::map<std::string, std::int64_t> kib;
    forEachLine(text, [&kib](std::string_view line) {
        const std::string_view key = nextWord(line);
        const std::string_view number = nextWord(line);
        std::int64_t value = 0;
        const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
        // Sizes in KiB that would overflow as bytes are not believed.
        if (!number.empty() && parsed.ec == std::errc{} && !key.empty() && key.back() == ':' && value >= 0 &&
            value <= kMaxKib)
            kib[std::string(key.substr(0, key.size() - 1))] = value;
    });
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
