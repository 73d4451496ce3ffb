// Prints how long a settings hive of 1k, 10k, 40k and 100k values takes to
// load (read and parse the file) and to save (serialize and replace the file
// atomically), with the values all in one key and spread over keys of ten.
// Each figure is the median of several runs. Usage: kvx-bench-hive [MAX_VALUES]
#include "platform/linux/posix_file_system.h"
#include "settings/hive_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using kvx::settings::Hive;
using kvx::settings::HiveFile;

// Every kind of value the program stores, with names as long as its own.
Hive makeHive(int values, int valuesPerKey) {
    Hive hive;
    kvx::settings::HiveKey* key = nullptr;
    for (int i = 0; i < values; ++i) {
        if (i % valuesPerKey == 0) key = &hive.key("HKEY_CURRENT_USER\\Software\\Korvex\\Bench " + std::to_string(i));
        const std::string name = "Sensor " + std::to_string(i) + " Setting";
        switch (i % 4) {
            case 0: key->setDword(name, static_cast<std::uint32_t>(i)); break;
            case 1: key->setString(name, "C:\\Program Files\\Korvex\\alarm " + std::to_string(i) + ".wav"); break;
            case 2:
                key->setString(name,
                               "Mobo \xC2\xB0"
                               "C " +
                                   std::to_string(i));
                break;
            default: key->setBinary(name, {0, 0, 0, 0, 0, 0, 0x4e, static_cast<std::uint8_t>(i)}); break;
        }
    }
    return hive;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int maxValues = argc > 1 ? std::atoi(argv[1]) : 100000;
    char pattern[] = "/tmp/kvx-bench-hive-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    kvx::platform::linux_backend::PosixFileSystem files;
    HiveFile file(files, (folder / "user.reg").string());

    std::printf("%-8s %-14s %10s %12s %12s\n", "values", "layout", "file KiB", "load ms", "save ms");
    for (const int values : {1000, 10000, 40000, 100000}) {
        if (values > maxValues) break;
        for (const int perKey : {values, 10}) {
            const Hive hive = makeHive(values, perKey);
            const int runs = values <= 10000 ? 7 : 3;
            std::vector<double> loads;
            std::vector<double> saves;
            for (int run = 0; run < runs; ++run) {
                auto start = std::chrono::steady_clock::now();
                if (!file.save(hive).ok()) {
                    std::fprintf(stderr, "save failed\n");
                    return 1;
                }
                saves.push_back(millisecondsSince(start));
                start = std::chrono::steady_clock::now();
                const kvx::settings::HiveLoad load = file.load();
                loads.push_back(millisecondsSince(start));
                if (!load.messages.empty() || load.hive != hive) {
                    std::fprintf(stderr, "the hive did not load back unchanged\n");
                    return 1;
                }
            }
            const double kib = static_cast<double>(std::filesystem::file_size(folder / "user.reg")) / 1024.0;
            std::printf("%-8d %-14s %10.0f %12.1f %12.1f\n", values, perKey == values ? "one key" : "10 per key", kib,
                        median(loads), median(saves));
            std::fflush(stdout);
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
