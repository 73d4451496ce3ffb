// The main window on a real X desktop (Xvfb with a window manager): where it
// appears in its states, and the About window closed with Escape.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include "run_program.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

using Clock = std::chrono::steady_clock;

// Settings of an earlier run: no first-run dialogs; start in the tray.
std::string savedSettings() {
    return "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
           "\"KVX Path\"=\"" +
           std::string(KVX_BIN_DIR) +
           "/korvex\"\r\n"
           "\"MB Tempature Scale\"=hex:00,00,00,00,00,00,4e,40\r\n\r\n";
}

struct WindowDesktop : ::testing::Test {
    std::unique_ptr<XSession> x;
    std::string root = makeTempFolder();
    int pid = -1;

    void SetUp() override {
        if (auto missing = XSession::missingTools(); !missing.empty())
            GTEST_SKIP() << "NOT RUN: the X desktop test needs " << missing << " (scripts/bootstrap installs them)";
        x = std::make_unique<XSession>();
        ASSERT_EQ(x->problem(), "");
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override {
        if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    }
    std::string file(const std::string& name) const { return root + "/" + name; }
    void start(const std::string& script) {
        mkdir(file("config").c_str(), 0700);
        writeFile(file("config/user.reg"), savedSettings());
        writeFile(file("script.txt"), script);
        setenv("XDG_CONFIG_HOME", file("xdg-config").c_str(), 1);
        pid = startKorvex({"--config-dir", file("config"), "--program-folder", file("program"), "--sensor-library",
                           std::string(KVX_BIN_DIR) + "/libkvx-sim.so", "--script", file("script.txt")},
                          file("err.txt"));
    }
    // X, Y, WIDTH and HEIGHT of a window as the X server has it.
    std::map<std::string, int> geometry(const std::string& window) const {
        std::string out;
        runTool({"xdotool", "getwindowgeometry", "--shell", window}, &out);
        std::map<std::string, int> values;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);)
            if (auto eq = line.find('='); eq != std::string::npos)
                values[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
        return values;
    }
    // Waits until the window has this width; the last geometry seen.
    std::map<std::string, int> waitForWidth(const std::string& window, int width) const {
        auto deadline = Clock::now() + std::chrono::seconds(10);
        std::map<std::string, int> g;
        do {
            g = geometry(window);
            if (g["WIDTH"] == width) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (Clock::now() < deadline);
        return g;
    }
    std::optional<int> end() {
        auto deadline = Clock::now() + std::chrono::seconds(15);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

}  // namespace

// Guards against a shown window placed off-screen (a double click once put it
// at x = -100), an expand button that did not switch, and an About window that
// Escape could not close.
TEST_F(WindowDesktop, ShowAndExpandPlaceTheWindowOnTheScreenAndEscapeClosesAbout) {
    start("at 1 click Show2\nat 3 click SpeedButton3\nat 5 click About1\n");
    const std::string window = x->waitForVisibleWindow("Korvex");
    ASSERT_FALSE(window.empty()) << "the small window never came up; shown: " << x->visibleTitles() << "\n"
                                 << readFile(file("err.txt"));
    auto small = waitForWidth(window, 112);
    EXPECT_EQ(small["WIDTH"], 112);
    EXPECT_GE(small["X"], 0) << "the small window is off-screen";
    EXPECT_GE(small["Y"], 0);

    auto expanded = waitForWidth(window, 572);
    EXPECT_EQ(expanded["WIDTH"], 572) << "the expand button did not expand the window";
    EXPECT_EQ(expanded["HEIGHT"], 314);
    EXPECT_GE(expanded["X"], 0);

    const std::string about = x->waitForVisibleWindow("About Korvex");
    ASSERT_FALSE(about.empty()) << "About never came up; shown: " << x->visibleTitles();
    ASSERT_TRUE(x->typeInto(about, "Escape"));
    auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!x->waitForVisibleWindow("About Korvex", 50).empty() && Clock::now() < deadline) {
    }
    EXPECT_TRUE(x->waitForVisibleWindow("About Korvex", 50).empty()) << "Escape did not close About";

    kill(pid, SIGTERM);
    EXPECT_EQ(end(), 0) << readFile(file("err.txt"));
}
