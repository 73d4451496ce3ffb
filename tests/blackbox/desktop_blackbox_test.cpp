// The desktop program (real windows, no --headless): from a first start to its end
// under Qt's offscreen platform, and on an X server with a window manager where a
// person's keys answer its windows. The ways out are run many times, because the
// faults they guard against struck only some runs.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>

#include "blackbox.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

constexpr int kRuns = 20;
const std::string kKeyStart =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex]\r\n\"KVX Path\"=\"" +
    std::string(KVX_BIN_DIR) + "/korvex\"\r\n";
// A settings key without "MB Tempature Scale": the first-run dialogs are due.
const std::string kFirstRunDue = kKeyStart + "\r\n";
// Settings of an earlier run: no first-run dialogs; start in the tray.
const std::string kSavedBefore = kKeyStart + "\"MB Tempature Scale\"=hex:00,00,00,00,00,00,4e,40\r\n\r\n";
const std::string kAnswerFirstRun =
    "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\nat 0 answer Form6 \"&Ok\"\n";

// One start of the desktop program in folders of its own, by default with its first run due.
struct DesktopStart : RunFolder {
    ScopedEnv environment{"XDG_CONFIG_HOME", file("xdg-config")};
    int pid = -1;

    explicit DesktopStart(const std::string& script = {}, const std::string& hive = kFirstRunDue,
                          std::vector<std::string> more = {}, const std::string& machineHive = {}) {
        mkdir(file("config").c_str(), 0700);
        writeFile(file("config/user.reg"), hive);
        if (!machineHive.empty()) writeFile(file("config/machine.reg"), machineHive);
        writeFile(file("script.txt"), script);
        more.insert(more.end(), {"--script", file("script.txt")});
        pid = startKorvex(args(more), file("err.txt"));
    }
    ~DesktopStart() {
        if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    }
    std::string userHive() const { return readFile(file("config/user.reg")); }
    bool savedAfterTheFirstRun() const { return userHive().find("\"MB Tempature Scale\"=hex:") != std::string::npos; }
    // Start-up has passed the first-run dialogs once it has made the log files.
    bool startedUp() const { return !waitForText(file("program/updown.htm"), 10000).empty(); }
    std::optional<int> end() { return endWithin(pid); }
    std::string err() const { return readFile(file("err.txt")); }
};

// An X server with openbox for each test; skipped, loudly, where the tools are not installed.
class XDesktop : public ::testing::Test {
protected:
    std::unique_ptr<XSession> x;
    void SetUp() override { startX(); }
    void startX() {
        if (auto missing = XSession::missingTools(); !missing.empty())
            GTEST_SKIP() << "NOT RUN: the X desktop test needs " << missing << " (scripts/bootstrap installs them)";
        x = std::make_unique<XSession>();
        ASSERT_EQ(x->problem(), "");
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
    }
    // Answers one window with a key (or only waits for it, without keys), as a person would.
    void answer(const std::string& title, const char* keys, int run) {
        std::string window = x->waitForVisibleWindow(title);
        ASSERT_FALSE(window.empty()) << "run " << run << ": \"" << title
                                     << "\" never came up; shown: " << x->visibleTitles();
        if (keys) ASSERT_TRUE(x->typeInto(window, keys)) << "run " << run << ": " << title;
    }
    // X, Y, WIDTH and HEIGHT of a window as the X server has it, once it has this width and the
    // window manager has settled it (the same geometry read twice): a window read while it is
    // being framed can show a passing position that is not where it stays.
    std::map<std::string, int> geometryAtWidth(const std::string& window, int width) const {
        std::map<std::string, int> g, previous;
        for (int waited = 0; waited < 10000 && (g["WIDTH"] != width || g != previous); waited += 50) {
            previous = g;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::string out;
            runTool({"xdotool", "getwindowgeometry", "--shell", window}, &out);
            std::istringstream lines(out);
            for (std::string line; std::getline(lines, line);)
                if (auto eq = line.find('='); eq != std::string::npos)
                    g[line.substr(0, eq)] = std::stoi(line.substr(eq + 1));
        }
        return g;
    }
};

// One way through the first run and out of the program, on the X desktop or offscreen.
// Windows a person answers in turn: a title and its keys (none: only wait for it).
using Keys = std::vector<std::pair<const char*, const char*>>;
const Keys kNoKeys;
const Keys kFirstRunKeys = {{"Startup Info", "alt+o"},
                            {"Korvex Agreement", "alt+y"},
                            {"Korvex Startup Settings", "alt+o"},
                            {"1st Time Information", "alt+o"}};
const Keys kExitKeys = {{"Confirm", "alt+y"}};
const Keys kDeclineKeys = {{"Startup Info", "alt+o"}, {"Korvex Agreement", "alt+n"}};
const Keys kFirstDialogShown = {{"Startup Info", nullptr}};

// One way through the first run and out of the program, on the X desktop or offscreen.
struct WayOut {
    const char* name;
    const char* fault;  // what the way guards against
    bool onX;
    std::string script;
    const Keys* keys;
    int runs;
    bool waitForStartUp;  // and keep the interval log's HTML file, which must come through unchanged
    int sigtermAfterMs;   // -1: the program ends by itself
    bool savesSettings;
};

// Test names and failure messages show a way by its name.
void PrintTo(const WayOut& way, std::ostream* out) { *out << way.name; }

const WayOut kWaysOut[] = {
    {"SigtermAfterTheScriptAnsweredTheFirstRun",
     "views outliving the models at exit (SIGSEGV in about a third of runs), and scripted answers the dialogs ignored",
     false, kAnswerFirstRun, &kNoKeys, kRuns, true, 0, true},
    {"ExitFromTheTrayMenu", "the crash at exit on the tray menu's Exit, after its question is answered", false,
     kAnswerFirstRun + "at 0 answer Form7 \"&Yes\"\nat 0.2 click Exit1\n", &kNoKeys, kRuns, false, -1, true},
    {"DecliningTheAgreement", "the crash when the agreement is declined; nothing may be saved then", false,
     "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&No\"\n", &kNoKeys, kRuns / 2, false, -1, false},
    // Offscreen windows cannot be watched from outside, so the signal comes after a pause that
    // start-up (200 ms of splash) has long passed; the X way below waits for the dialog itself.
    {"SigtermWhileTheFirstDialogWaits", "the crash when a signal ends the program while \"Startup Info\" waits", false,
     "", &kNoKeys, 5, false, 1000, false},
    {"SigtermWhileAMessageBoxWaits",
     "a SIGTERM while a message box waits leaving the program running (the box's own event loop never ended), and "
     "the box's question (erase the logs) taken as \"Yes\"",
     false, kAnswerFirstRun + "at 0.5 click SpeedButton50\n", &kNoKeys, 3, true, 1500, true},
    {"XFirstRunAnsweredByKeysThenSigterm",
     "\"Startup Info\" never mapped under a window manager (it was shown, then unmapped and mapped again as its type "
     "changed), and the crash at exit",
     true, "", &kFirstRunKeys, kRuns, true, 0, true},
    // The script answers the first-run dialogs (each only once it is on the screen) and picks
    // Exit from the tray menu; the person answers the exit question with a key.
    {"XScriptAnswersTheFirstRunAndAKeyTheExit", "scripted answers pressed on dialogs nobody could see", true,
     kAnswerFirstRun + "at 0.2 click Exit1\n", &kExitKeys, kRuns, false, -1, true},
    {"XNoOnTheAgreement", "the crash after \"&No\" on the agreement", true, "", &kDeclineKeys, kRuns / 2, false, -1,
     false},
    {"XSigtermWhileTheFirstDialogWaits", "the crash after a signal while a dialog waits", true, "", &kFirstDialogShown,
     kRuns / 2, false, 0, false},
};

struct WaysOut : XDesktop, ::testing::WithParamInterface<WayOut> {
    void SetUp() override {
        if (GetParam().onX) return startX();
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};

}  // namespace

TEST_P(WaysOut, FirstRunAndAWayOutEndWithCode0) {
    const WayOut& way = GetParam();
    SCOPED_TRACE(std::string("guards against ") + way.fault);
    for (int run = 1; run <= way.runs; ++run) {
        DesktopStart start(way.script);
        for (auto [title, keys] : *way.keys) ASSERT_NO_FATAL_FAILURE(answer(title, keys, run));
        std::string log;
        if (way.waitForStartUp) {
            ASSERT_TRUE(start.startedUp()) << "run " << run << ": " << start.err();
            log = readFile(start.file("program/kvxlog.htm"));
        }
        if (way.sigtermAfterMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(way.sigtermAfterMs));
            kill(start.pid, SIGTERM);
        }
        ASSERT_EQ(start.end(), 0) << "run " << run << ": " << start.err();
        if (way.waitForStartUp) EXPECT_EQ(readFile(start.file("program/kvxlog.htm")), log) << "run " << run;
        if (way.savesSettings) EXPECT_TRUE(start.savedAfterTheFirstRun()) << "run " << run;
        else EXPECT_EQ(start.userHive(), kFirstRunDue) << "run " << run;
    }
}

INSTANTIATE_TEST_SUITE_P(Desktop, WaysOut, ::testing::ValuesIn(kWaysOut),
                         [](const auto& info) { return std::string(info.param.name); });

// Guards against a shown window placed off-screen (a double click once put it
// at x = -100), an expand button that did not switch, and an About window that
// Escape could not close.
TEST_F(XDesktop, ShowAndExpandPlaceTheWindowOnTheScreenAndEscapeClosesAbout) {
    DesktopStart start("at 1 click Show2\nat 3 click SpeedButton3\nat 5 click About1\n", kSavedBefore);
    const std::string window = x->waitForVisibleWindow("Korvex");
    ASSERT_FALSE(window.empty()) << "the small window never came up; shown: " << x->visibleTitles() << "\n"
                                 << start.err();
    auto small = geometryAtWidth(window, 112);
    EXPECT_EQ(small["WIDTH"], 112);
    EXPECT_GE(small["X"], 0) << "the small window is off-screen";
    EXPECT_GE(small["Y"], 0);
    auto expanded = geometryAtWidth(window, 572);
    EXPECT_EQ(expanded["WIDTH"], 572) << "the expand button did not expand the window";
    EXPECT_EQ(expanded["HEIGHT"], 314);
    EXPECT_GE(expanded["X"], 0);

    const std::string about = x->waitForVisibleWindow("About Korvex");
    ASSERT_FALSE(about.empty()) << "About never came up; shown: " << x->visibleTitles();
    ASSERT_TRUE(x->typeInto(about, "Escape"));
    for (int waited = 0; waited < 10000 && !x->waitForVisibleWindow("About Korvex", 50).empty(); waited += 100) {
    }
    EXPECT_TRUE(x->waitForVisibleWindow("About Korvex", 50).empty()) << "Escape did not close About";
    kill(start.pid, SIGTERM);
    EXPECT_EQ(start.end(), 0) << start.err();
}

// Guards against a countdown window a person cannot answer: it comes up in front, "&Cancel"
// (Alt+C) launches nothing and turns the shutdown launch off, and the next hot poll raises the
// sensor's ordinary alarm.
TEST_F(XDesktop, APersonCancelsTheCountdownWindowWithAKey) {
    RunFolder outside;
    const std::string recorder = outside.file("record-shutdown");
    writeFile(recorder, "#!/bin/sh\necho \"$@\" >> '" + outside.file("launched.txt") + "'\n");
    chmod(recorder.c_str(), 0755);
    writeFile(outside.file("board.txt"), "chip w83781d\nat 0 temp=55\n");
    std::string script = kAnswerFirstRun + "at 0 answer WarningForm \"&Disable Alarm\"\n";
    for (int i = 0; i < 9; ++i) script += "at 0.1 down GenTabIntervalSpinButton\n";
    script += "at 0.2 click CheckBox11\nat 0.2 click CheckBox8\n";
    DesktopStart start(
        script, kFirstRunDue,
        {"--run-for", "12", "--scenario", outside.file("board.txt"), "--dump", outside.file("dump.json")},
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\ShutDown NOW!]\r\n\"Path\"=\"" +
            recorder + "\"\r\n\r\n");
    std::string countdown = x->waitForVisibleWindow("Countdown to SHDN! Launch...", 10000);
    ASSERT_FALSE(countdown.empty()) << "shown: " << x->visibleTitles() << "\n" << start.err();
    ASSERT_TRUE(x->typeInto(countdown, "alt+c"));
    ASSERT_EQ(start.end(), 0) << start.err();
    const QJsonObject dump = outside.dump();
    for (const auto& e : dump["events"].toArray()) EXPECT_NE(e.toObject()["kind"].toString(), "launch");
    EXPECT_EQ(readFile(outside.file("launched.txt")), "");
    EXPECT_FALSE(control(dump, "Form1.CheckBox11")["checked"].toBool());
    EXPECT_LT(control(dump, "CountdownForm.ProgressBar1")["position"].toInt(), 15000);
    EXPECT_EQ(caption(dump, "WarningForm.Label1"),
              QString::fromUtf8("Your Sensor 1 has reached the temperature of 50°C / 122°F"));
}

// Guards against: Qt aborting (code 134) when there is no display; a plain error and code 2 instead.
TEST(NoDisplay, TheDesktopProgramSaysSoAndEndsWithCode2) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    for (const char* platform : {"", "xcb"}) {
        if (*platform) setenv("QT_QPA_PLATFORM", platform, 1);
        else unsetenv("QT_QPA_PLATFORM");
        RunFolder f;
        auto run = runKorvex({"--config-dir", f.file("config"), "--program-folder", f.file("program")});
        EXPECT_EQ(run.exitCode, 2) << platform;
        EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("--headless"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line: " << run.err;
    }
}
