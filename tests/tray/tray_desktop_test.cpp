// The desktop program on an X server with a real notification area (trayer):
// its tray icon appears with the temperature drawn exactly as the painter
// draws it, and follows the board when the reading changes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "tests/blackbox/run_program.h"
#include "tests/blackbox/x_session.h"
#include "tests/ui_qt/qt_application.h"
#include "tray/tray_text.h"
#include "ui/qt/tray_icon_painter.h"

// Xlib last: its macros (Bool, Status) break Qt's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace kvx;
using namespace kvx::test;

namespace {

using Clock = std::chrono::steady_clock;

// A process of this test, ended (by its id) when the test ends.
struct Child {
    pid_t pid = -1;
    explicit Child(const std::vector<std::string>& argv) {
        pid = fork();
        if (pid == 0) {
            // Its output must not hold the test runner's pipe open.
            int devnull = open("/dev/null", O_RDWR);
            dup2(devnull, 1), dup2(devnull, 2);
            std::vector<char*> args;
            args.reserve(argv.size() + 1);
            for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execvp(args[0], args.data());
            _exit(127);
        }
    }
    Child(Child&& other) noexcept : pid(std::exchange(other.pid, -1)) {}
    ~Child() {
        if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
    }
};

// The pixels of every window of korvex that the notification area has taken in.
struct TrayGrab {
    std::vector<QImage> icons;
    std::vector<Window> windows;
};

bool isKorvex(Display* display, Window window) {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return false;
    bool ours = hint.res_name && std::string(hint.res_name) == "korvex";
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return ours;
}

void collect(Display* display, Window window, bool insideTray, TrayGrab& grab) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return;
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        insideTray = insideTray || std::string(name) == "panel";  // trayer's tray
        XFree(name);
    }
    if (insideTray && attributes.map_state == IsViewable && isKorvex(display, window)) {
        XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
        if (image) {
            QImage copy(attributes.width, attributes.height, QImage::Format_RGB32);
            for (int y = 0; y < attributes.height; ++y)
                for (int x = 0; x < attributes.width; ++x)
                    copy.setPixel(x, y, 0xFF000000 | (XGetPixel(image, x, y) & 0xFFFFFF));
            XDestroyImage(image);
            grab.icons.push_back(copy);
            grab.windows.push_back(window);
        }
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) collect(display, children[i], insideTray, grab);
    if (children) XFree(children);
}

// A window that closes while the tree is walked is skipped, not fatal.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

TrayGrab grabTray(const std::string& displayName) {
    TrayGrab grab;
    XSetErrorHandler(&ignoreXErrors);
    Display* display = XOpenDisplay(displayName.c_str());
    if (!display) return grab;
    collect(display, DefaultRootWindow(display), false, grab);
    XCloseDisplay(display);
    return grab;
}

// Whether `icon` holds `drawing` pixel for pixel somewhere inside it.
bool shows(const QImage& icon, const QImage& drawing) {
    for (int top = 0; top + drawing.height() <= icon.height(); ++top)
        for (int left = 0; left + drawing.width() <= icon.width(); ++left) {
            bool same = true;
            for (int y = 0; same && y < drawing.height(); ++y)
                for (int x = 0; same && x < drawing.width(); ++x)
                    same = (icon.pixel(left + x, top + y) & 0xFFFFFF) == (drawing.pixel(x, y) & 0xFFFFFF);
            if (same) return true;
        }
    return false;
}

// Waits until some tray icon of korvex shows `drawing`.
bool waitForIcon(const std::string& display, const QImage& drawing, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        for (const QImage& icon : grabTray(display).icons)
            if (shows(icon, drawing)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// korvex on the session's display, first-run dialogs answered, with `script` after them.
struct DesktopKorvex {
    std::string folder = makeTempFolder();
    int pid = -1;
    explicit DesktopKorvex(const std::string& script) {
        writeFile(folder + "/board.txt",
                  "chip w83781d\n"
                  "at 0 temp=35 fans=4500,4400,255 volts=2.05,2.80,3.31,5.02,12.10,-11.90,-5.01\n"
                  "at 4 temp=100\n");
        writeFile(folder + "/script.txt",
                  "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\n"
                  "at 0 answer Form6 \"&Ok\"\n" +
                      script);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("XDG_CONFIG_HOME", (folder + "/xdg").c_str(), 1);
        pid = startKorvex({"--config-dir", folder + "/config", "--program-folder", folder + "/program",
                           "--sensor-library", std::string(KVX_BIN_DIR) + "/libkvx-sim.so", "--scenario",
                           folder + "/board.txt", "--script", folder + "/script.txt", "--run-for", "30"},
                          folder + "/err.txt");
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ~DesktopKorvex() {
        if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
    }
    std::string err() const { return readFile(folder + "/err.txt"); }
};

std::string missingDesktopTools() {
    std::string missing = XSession::missingTools();
    if (!onPath("trayer")) missing += missing.empty() ? "trayer" : ", trayer";
    return missing;
}

const std::string kDeg = "\xC2\xB0";

// A private X server with a window manager; skipped, loudly, without the tools.
struct TrayDesktop : ::testing::Test {
    std::unique_ptr<XSession> session;
    void SetUp() override {
        std::string missing = missingDesktopTools();
        if (!missing.empty()) GTEST_SKIP() << "NOT TESTED: missing " << missing << " (scripts/bootstrap installs them)";
        kvx::test::qtApplication();
        session = std::make_unique<XSession>();
        ASSERT_TRUE(session->problem().empty()) << session->problem();
    }
    // The notification area, top right, once its panel is up: a program started
    // before it would rightly find no tray.
    Child startTrayHost() {
        Child tray({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24"});
        EXPECT_FALSE(session->waitForVisibleWindow("panel").empty()) << "trayer's panel never came up";
        return tray;
    }
    // The icon of a sensor reading `degrees` °C, as the program draws it.
    static QImage iconShowing(const std::string& degrees) {
        return ui::qt::paintTrayDrawing(tray::sensorDrawing(degrees + kDeg + "C", true, true, {}));
    }
};

}  // namespace

// Guards against a program that runs unseen where the desktop has no tray, and
// against one that never uses a tray started after it or puts its inactive icons there.
TEST_F(TrayDesktop, WithoutATrayTheWindowShowsAndATrayStartedLaterGetsTheIcons) {
    DesktopKorvex korvex("");
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while (korvex.err().find("no notification area") == std::string::npos && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(session->waitForVisibleWindow("Korvex", 20000).empty())
        << "no window without a tray; shown: " << session->visibleTitles() << "; korvex said: " << korvex.err();
    std::string said = korvex.err();
    EXPECT_NE(said.find("no notification area"), std::string::npos) << said;

    Child tray = startTrayHost();
    EXPECT_TRUE(waitForIcon(session->display(), iconShowing("35"), 20000)) << "korvex said: " << korvex.err();
    EXPECT_EQ(grabTray(session->display()).icons.size(), 1u) << "the inactive icons stay out of the new tray";
    said = korvex.err();
    size_t first = said.find("no notification area");
    EXPECT_EQ(said.find("no notification area", first + 1), std::string::npos) << "said once: " << said;
}

// Whether a window titled "Korvex" is shown within `timeoutMs` (false: it stayed hidden).
bool korvexWindowShown(const XSession& session, int timeoutMs) {
    return !session.waitForVisibleWindow("Korvex", timeoutMs).empty();
}

// Guards against tray icons that never reach a real notification area, show
// something else than the temperature or stop following the readings; a double
// click on the real icon that opens nothing; and a minimised window that is
// neither shown nor in the tray.
TEST_F(TrayDesktop, IconsFollowTheBoardAndTheDoubleClickShowsTheWindowThatMinimisingHides) {
    Child tray = startTrayHost();
    // The board reaches 100 at 4 s; at 6 s a suspend and resume polls at once and
    // the temperature alarm's warning is dismissed.
    DesktopKorvex korvex("at 0 answer WarningForm \"&Disable Alarm\"\nat 6 click pause1\nat 6.5 click pause1\n");
    EXPECT_TRUE(waitForIcon(session->display(), iconShowing("35"), 20000))
        << "no icon with 35° in the tray; korvex said: " << korvex.err();
    EXPECT_FALSE(korvexWindowShown(*session, 500)) << "started in the tray";
    ASSERT_TRUE(waitForIcon(session->display(), iconShowing("100"), 20000))
        << "the icon did not follow the board to 100°; korvex said: " << korvex.err();
    EXPECT_EQ(korvex.err().find("no notification area"), std::string::npos) << "with a tray there is nothing to say";

    std::string icon = std::to_string(grabTray(session->display()).windows.at(0));
    auto doubleClick = [&] {
        return runTool(
            {"xdotool", "mousemove", "--window", icon, "8", "8", "click", "--repeat", "2", "--delay", "80", "1"});
    };
    ASSERT_EQ(doubleClick(), 0);
    std::string window = session->waitForVisibleWindow("Korvex", 10000);
    ASSERT_FALSE(window.empty()) << "the double click showed no window; " << session->visibleTitles();
    std::string geometry;
    runTool({"xdotool", "getwindowgeometry", window}, &geometry);
    // The small window is 112 wide; its height follows the gauges that are on.
    EXPECT_NE(geometry.find("Geometry: 112x"), std::string::npos) << "the small window: " << geometry;

    ASSERT_EQ(runTool({"xdotool", "windowminimize", window}), 0);
    auto deadline = Clock::now() + std::chrono::seconds(10);
    while (korvexWindowShown(*session, 100) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(korvexWindowShown(*session, 100)) << "minimised: hidden to the tray";
    ASSERT_EQ(doubleClick(), 0);
    EXPECT_TRUE(korvexWindowShown(*session, 10000)) << "the tray brings it back: " << session->visibleTitles();
}
