#pragma once
#include <sys/types.h>
#include <cstdint>
#include <string>

namespace kvx::bench {

// What a running process has used so far, summed over all its threads.
struct ProcessUsage {
    bool valid = false;
    double cpuMs = 0;         // time on a CPU (schedstat, nanosecond resolution)
    uint64_t wakeUps = 0;     // voluntary + involuntary context switches
    uint64_t peakRssKiB = 0;  // VmHWM
    uint64_t rssKiB = 0;      // VmRSS
};

// Reads /proc/PID/task/*/schedstat and status and /proc/PID/status. Invalid
// when the process has gone.
ProcessUsage sampleUsage(pid_t pid);

// A field of a /proc status text ("VmHWM:	  1234 kB" -> 1234), 0 when absent.
uint64_t statusField(const std::string& statusText, const std::string& name);

}  // namespace kvx::bench
