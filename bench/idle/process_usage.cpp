#include "process_usage.h"

#include <dirent.h>

#include <fstream>
#include <sstream>

namespace kvx::bench {
namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

uint64_t statusField(const std::string& statusText, const std::string& name) {
    const std::string key = "\n" + name + ":";
    size_t at = ("\n" + statusText).find(key);
    if (at == std::string::npos) return 0;
    std::istringstream value(statusText.substr(at + key.size() - 1));
    uint64_t number = 0;
    value >> number;
    return number;
}

ProcessUsage sampleUsage(pid_t pid) {
    ProcessUsage usage;
    const std::string root = "/proc/" + std::to_string(pid);
    const std::string status = readText(root + "/status");
    if (status.empty()) return usage;
    usage.peakRssKiB = statusField(status, "VmHWM");
    usage.rssKiB = statusField(status, "VmRSS");
    DIR* tasks = opendir((root + "/task").c_str());
    if (!tasks) return usage;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') continue;
        const std::string task = root + "/task/" + entry->d_name;
        std::istringstream schedstat(readText(task + "/schedstat"));
        uint64_t onCpuNs = 0;
        schedstat >> onCpuNs;
        usage.cpuMs += static_cast<double>(onCpuNs) / 1e6;
        const std::string taskStatus = readText(task + "/status");
        usage.wakeUps += statusField(taskStatus, "voluntary_ctxt_switches") +
                         statusField(taskStatus, "nonvoluntary_ctxt_switches");
    }
    closedir(tasks);
    usage.valid = true;
    return usage;
}

}  // namespace kvx::bench
