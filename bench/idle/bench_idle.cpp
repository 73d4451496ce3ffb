// Prints what korvex costs at rest over real minutes: headless, in the tray
// only, and with its window shown, each beside a bare Qt tray (built here,
// bare_tray.cpp) measured over the same minutes, so that the ratios hold on a
// busy machine. Readings change at every poll (a scenario with a new row every
// second). Figures: CPU ms a minute and wake-ups (context switches) a minute
// over the measured window, the peak resident memory (VmHWM) and the resident
// memory at the end of the window (VmRSS).
//
//   kvx-bench-idle [MINUTES [MODE...]]    MINUTES may have a fraction (default 1);
//                                         MODE: headless, tray, window (default all)
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "process_usage.h"
#include "x_session.h"

extern char** environ;

namespace {

using namespace kvx;

const std::string kBin = KVX_BIN_DIR;
constexpr int kPollMs = 10000;      // the program's default poll interval
constexpr int kSettleSeconds = 15;  // start-up, splash and first polls before measuring

// Ctrl+C or SIGTERM: stop measuring, end what was started and remove the folder.
volatile sig_atomic_t interrupted = 0;

// Sleeps `ms`, in steps, unless interrupted; false when interrupted.
bool pause(int64_t ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!interrupted && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(200), end - std::chrono::steady_clock::now()));
    return !interrupted;
}

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "kvx-bench-idle: %s\n", why.c_str());
    std::exit(1);
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) fail("cannot write " + path);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

pid_t start(const std::vector<std::string>& args, const std::string& errFile) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (pid < 0) fail("cannot start " + args[0]);
    return pid;
}

int finish(pid_t pid, int signal) {
    if (signal) kill(pid, signal);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A board whose readings change every second, for `seconds` seconds.
std::string changingBoard(int seconds) {
    std::string text = "chip w83781d\n";
    for (int t = 0; t <= seconds; ++t) {
        int step = t % 17;
        text += "at " + std::to_string(t) + " temp=" + std::to_string(40 + step) + " wb2=" + std::to_string(45 + step) +
                ".5 wb3=" + std::to_string(50 - step) + ".25 volts=2.0" + std::to_string(step % 10) + ",2.80,3.3" +
                std::to_string(step % 10) + ",5.02,12.10,-11.90,-5.01 fans=" + std::to_string(4000 + 10 * step) + "," +
                std::to_string(3000 + 10 * step) + ",255\n";
    }
    return text;
}

// Settings of a program that has been through its first run, with the window
// shown at start or not.
void makeSettings(const std::string& base, const std::string& folder, bool startInTray) {
    mkdir(folder.c_str(), 0700);
    std::string hive = readFile(base + "/user.reg");
    const std::string key = "\"Startup Minimized\"=dword:0000000";
    size_t at = hive.find(key);
    if (at == std::string::npos) fail("no \"Startup Minimized\" in " + base + "/user.reg");
    hive[at + key.size()] = startInTray ? '1' : '0';
    writeFile(folder + "/user.reg", hive);
}

struct Figures {
    double cpuMsPerMin = 0;
    double wakeUpsPerMin = 0;
    double peakRssMiB = 0;
    double endRssMiB = 0;
};

struct Mode {
    std::string name;
    bool headless;
    bool startInTray;
};

void printRow(const char* who, const Figures& f) {
    std::printf("  %-10s %10.2f %12.1f %10.1f %10.1f\n", who, f.cpuMsPerMin, f.wakeUpsPerMin, f.peakRssMiB,
                f.endRssMiB);
}

double ratio(double a, double b) { return b > 0 ? a / b : 0; }

}  // namespace

int main(int argc, char** argv) {
    double minutes = argc > 1 ? std::atof(argv[1]) : 1.0;
    if (minutes <= 0) fail("MINUTES must be more than 0");
    std::vector<Mode> all = {{"headless", true, true}, {"tray", false, true}, {"window", false, false}};
    std::vector<Mode> modes;
    for (int i = 2; i < argc; ++i) {
        bool known = false;
        for (const auto& m : all)
            if (m.name == argv[i]) modes.push_back(m), known = true;
        if (!known) fail(std::string("unknown mode ") + argv[i] + " (headless, tray, window)");
    }
    if (modes.empty()) modes = all;

    struct sigaction onStop {};
    onStop.sa_handler = [](int) { interrupted = 1; };
    sigaction(SIGINT, &onStop, nullptr);
    sigaction(SIGTERM, &onStop, nullptr);

    char pattern[] = "/tmp/kvx-bench-idle-XXXXXX";
    if (!mkdtemp(pattern)) fail("no temporary folder");
    const std::string root = pattern;
    // korvex's one-copy lock lives in XDG_RUNTIME_DIR: a private one, so that a korvex
    // the person (or another benchmark) runs does not stop these runs as "already running".
    setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
    const int measuredSeconds = static_cast<int>(minutes * 60);
    const std::string board = root + "/board.txt";
    writeFile(board, changingBoard(kSettleSeconds + measuredSeconds + 120));
    const std::string korvex = kBin + "/korvex";
    const std::string sim = kBin + "/libkvx-sim.so";

    // One short headless run through the first-run dialogs gives the settings every mode starts from.
    writeFile(root + "/first-run.txt",
              "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\nat 0 answer Form6 "
              "\"&Ok\"\n");
    pid_t first = start(
        {korvex, "--headless", "--virtual-time", "--run-for", "20", "--config-dir", root + "/base", "--program-folder",
         root + "/base-program", "--sensor-library", sim, "--scenario", board, "--script", root + "/first-run.txt"},
        root + "/base.err");
    if (finish(first, 0) != 0) fail("the first run failed: " + readFile(root + "/base.err"));

    // The desktop runs (and the yardstick, always) need a display: a private X server.
    if (std::string missing = test::XSession::missingTools(); !missing.empty()) fail("missing tools: " + missing);
    test::XSession session;
    if (!session.problem().empty()) fail(session.problem());
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // A system tray on the X server, so that the tray icons are embedded and drawn as on a desktop.
    pid_t trayHost = -1;
    std::string trayHostName = "none installed (the tray icons have no host to show in)";
    if (test::onPath("trayer")) {
        trayHost = start(
            {"/usr/bin/env", "trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24"},
            root + "/tray-host.err");
        trayHostName = "trayer";
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    std::printf(
        "kvx-bench-idle: %.2f measured minutes a mode after %d s to settle; poll every %d s, readings change "
        "every poll; X: Xvfb %s with openbox; tray host: %s\n",
        minutes, kSettleSeconds, kPollMs / 1000, session.display().c_str(), trayHostName.c_str());

    for (const Mode& mode : modes) {
        const std::string folder = root + "/" + mode.name;
        mkdir(folder.c_str(), 0700);
        makeSettings(root + "/base", folder + "/config", mode.startInTray);
        std::vector<std::string> args = {korvex,
                                         "--config-dir",
                                         folder + "/config",
                                         "--program-folder",
                                         folder + "/program",
                                         "--sensor-library",
                                         sim,
                                         "--scenario",
                                         board};
        if (mode.headless) args.insert(args.begin() + 1, "--headless");
        pid_t program = start(args, folder + "/korvex.err");
        pid_t yardstick = start({kBin + "/kvx-bench-idle-bare-tray", std::to_string(kPollMs)}, folder + "/bare.err");

        if (!pause(int64_t{kSettleSeconds} * 1000)) {
            finish(program, SIGTERM), finish(yardstick, SIGTERM);
            break;
        }
        auto p0 = bench::sampleUsage(program), y0 = bench::sampleUsage(yardstick);
        auto t0 = std::chrono::steady_clock::now();
        if (!pause(static_cast<int64_t>(minutes * 60000))) {
            finish(program, SIGTERM), finish(yardstick, SIGTERM);
            break;
        }
        auto p1 = bench::sampleUsage(program), y1 = bench::sampleUsage(yardstick);
        double elapsedMin = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / 60;
        if (!p0.valid || !p1.valid) fail(mode.name + ": korvex ended early: " + readFile(folder + "/korvex.err"));
        if (!y0.valid || !y1.valid) fail(mode.name + ": the bare tray ended early: " + readFile(folder + "/bare.err"));
        int code = finish(program, SIGTERM);
        finish(yardstick, SIGTERM);
        if (code != 0)
            fail(mode.name + ": korvex ended with " + std::to_string(code) + ": " + readFile(folder + "/korvex.err"));

        auto figures = [elapsedMin](const bench::ProcessUsage& a, const bench::ProcessUsage& b) {
            return Figures{(b.cpuMs - a.cpuMs) / elapsedMin, static_cast<double>(b.wakeUps - a.wakeUps) / elapsedMin,
                           static_cast<double>(b.peakRssKiB) / 1024, static_cast<double>(b.rssKiB) / 1024};
        };
        Figures k = figures(p0, p1), y = figures(y0, y1);
        std::printf("%s\n  %-10s %10s %12s %10s %10s\n", mode.name.c_str(), "", "CPU ms/min", "wake-ups/min",
                    "peak MiB", "end MiB");
        printRow("korvex", k);
        printRow("bare tray", y);
        std::printf("  %-10s %10.2f %12.2f %10.2f %10.2f\n", "ratio", ratio(k.cpuMsPerMin, y.cpuMsPerMin),
                    ratio(k.wakeUpsPerMin, y.wakeUpsPerMin), ratio(k.peakRssMiB, y.peakRssMiB),
                    ratio(k.endRssMiB, y.endRssMiB));
        std::fflush(stdout);
    }
    if (trayHost > 0) finish(trayHost, SIGTERM);
    std::string cleanup = "rm -rf '" + root + "'";
    if (std::system(cleanup.c_str()) != 0) std::fprintf(stderr, "kvx-bench-idle: could not remove %s\n", root.c_str());
    return 0;
}
