// A resting korvex builds no C++ stream: the first one makes libstdc++ build its
// classic locale and all its facets (about half a MiB more of it resident), and
// <iostream> sets up the standard streams when the program loads.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>

#include "run_program.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

const std::string kBin = KVX_BIN_DIR;

struct WatchedRun {
    int exitCode = -1;
    std::string noted;  // what the preloaded watcher saw built, one line each
    std::string err;
};

// The AddressSanitizer runtime this test program carries, with a ':' after it, or nothing.
// A sanitized korvex refuses to start unless that runtime comes first among the preloaded
// libraries, and it is built with the same runtime as this test.
std::string sanitizerRuntimeFirst() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (auto at = line.find('/'); at != std::string::npos && line.find("/libasan.so", at) != std::string::npos)
            return line.substr(at) + ":";
    return {};
}

// Runs korvex with `args` under the stream watcher (tests/blackbox/stream_watch_preload.c).
WatchedRun runWatched(const std::string& environment, const std::string& args) {
    const std::string root = makeTempFolder();
    mkdir((root + "/runtime").c_str(), 0700);
    // The first-run windows of a desktop run are answered, so it runs on by itself.
    writeFile(root + "/script.txt",
              "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
              "at 0 answer Form6 \"&Ok\"\n");
    const std::string command = "XDG_RUNTIME_DIR=" + root + "/runtime KVX_STREAM_WATCH_FILE=" + root +
                                "/noted.txt LD_PRELOAD=" + sanitizerRuntimeFirst() + KVX_STREAM_WATCH + " " +
                                environment + " " + kBin + "/korvex --config-dir " + root +
                                "/config --program-folder " + root + "/program " + args + " --script " + root +
                                "/script.txt >/dev/null 2>" + root + "/err.txt";
    WatchedRun run;
    run.exitCode = runTool({"sh", "-c", command}, nullptr, 120000);
    run.noted = readFile(root + "/noted.txt");
    run.err = readFile(root + "/err.txt");
    return run;
}

}  // namespace

// Guards against: a stream (a diagnostics std::ostream, a file read with std::ifstream, a
// parse with std::istringstream, an <iostream> include) coming back into a resting run.
TEST(StreamFree, RestingRunsBuildNoStreamOrLocale) {
    const std::string sim = " --sensor-library " + kBin + "/libkvx-sim.so";
    struct Case {
        const char* what;
        std::string environment, args;
    } cases[] = {
        {"headless, virtual hour", "", "--headless --virtual-time --run-for 3600" + sim},
        {"headless, real time, simulated board", "", "--headless --run-for 2" + sim},
        {"headless, real time, lm-sensors library", "",
         "--headless --run-for 2 --sensor-library " + kBin + "/libkvx.so"},
        {"desktop (offscreen)", "QT_QPA_PLATFORM=offscreen", "--run-for 2" + sim},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WatchedRun run = runWatched(c.environment, c.args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.noted, "") << "a resting korvex built a stream or the C++ locale";
    }
}

// Guards against the watcher itself going blind (a renamed symbol, a call that no longer
// passes through the dynamic linker): --help still renders its text with a string stream.
TEST(StreamFree, TheWatcherSeesAStreamWhenOneIsBuilt) {
    const WatchedRun run = runWatched("", "--help");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.noted.find("std::locale::locale()"), std::string::npos) << run.noted;
}
