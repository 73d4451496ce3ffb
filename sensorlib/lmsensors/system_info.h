#pragma once
// Processor clock, memory and user name, read from the system.
#include <cstdint>
#include <optional>
#include <string>

namespace kvx::lmsensors {

struct MemoryInfo {
    std::int64_t totalBytes = 0;
    std::int64_t availableBytes = 0;
};

// The clock in MHz from the text of /proc/cpuinfo ("cpu MHz" of the first
// processor), or nothing.
std::optional<int> clockFromCpuinfo(const std::string& text);

// The clock in MHz: /proc/cpuinfo, else cpufreq's cpuinfo_max_freq of cpu0;
// 0 when neither tells.
int processorClockMhz();

// MemTotal and MemAvailable (MemFree + Buffers + Cached on kernels without
// it) from the text of /proc/meminfo; nothing when MemTotal is missing.
std::optional<MemoryInfo> memoryFromMeminfo(const std::string& text);

// From /proc/meminfo; zeros when it cannot be read.
MemoryInfo systemMemory();

// Percent of memory in use, rounded; 0 when the total is unknown.
int memoryUsePercent(const MemoryInfo& memory);

// The login name of the effective user (passwd), else $USER or $LOGNAME.
std::string currentUserName();

}  // namespace kvx::lmsensors
