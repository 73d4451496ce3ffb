// Prints how long headless runs in virtual time take in real time: an hour
// and a day of polling on the simulated board, each the median of several runs.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

extern char** environ;

namespace {

double runOnce(const std::string& seconds, const std::string& folder) {
    std::string program = std::string(KVX_BIN_DIR) + "/korvex";
    std::string library = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";
    std::vector<std::string> args = {program,
                                     "--headless",
                                     "--virtual-time",
                                     "--run-for",
                                     seconds,
                                     "--sensor-library",
                                     library,
                                     "--config-dir",
                                     folder + "/config",
                                     "--program-folder",
                                     folder + "/program"};
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "korvex failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    char pattern[] = "/tmp/korvex-bench-XXXXXX";
    std::string folder = mkdtemp(pattern);
    std::printf("%-28s %12s %12s\n", "virtual run", "median ms", "polls/s");
    struct Case {
        const char* label;
        std::string seconds;
        int polls;
    };
    for (const Case& c : {Case{"1 hour (360 polls)", "3600", 360}, Case{"1 day (8640 polls)", "86400", 8640}}) {
        const auto& [label, seconds, polls] = c;
        constexpr int kRuns = 7;
        std::vector<double> times;
        times.reserve(kRuns);
        for (int i = 0; i < kRuns; ++i) times.push_back(runOnce(seconds, folder));
        std::sort(times.begin(), times.end());
        double median = times[times.size() / 2];
        std::printf("%-28s %12.1f %12.0f\n", label, median, polls / (median / 1000.0));
    }
    return 0;
}
