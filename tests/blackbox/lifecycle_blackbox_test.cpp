// Start-up and exit as a user meets them: first start, first-run dialogs, two copies, a killed copy.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "blackbox.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

const std::string kKvxPathOnly =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
    "\"KVX Path\"=\"" +
    std::string(KVX_BIN_DIR) + "/korvex\"\r\n\r\n";

// Each test has its own configuration, program and runtime folders, so copies meet only within a test.
struct Folders : RunFolder {
    ScopedEnv environment;
    Folders() {
        mkdir(file("runtime").c_str(), 0700);
        environment.set("KVX_TEST_RUNTIME_DIR", file("runtime"));
        environment.set("XDG_CONFIG_HOME", file("xdg-config"));
    }
    std::string userHive() const { return readFile(file("config/user.reg")); }
};

// The value line of one setting in a hive text, or "" when it is not there.
std::string valueLine(const std::string& hive, const std::string& name) {
    size_t at = hive.find("\r\n\"" + name + "\"=");
    return at == std::string::npos ? "" : hive.substr(at + 2, hive.find("\r\n", at + 2) - at - 2);
}

QString messagesOf(const QJsonObject& dump) {
    QString all;
    for (const auto& message : dump["messages"].toArray()) all += message.toObject()["text"].toString() + "\n";
    return all;
}

#define SKIP_UNLESS_RUN_UNPRIVILEGED(run)                                                                        \
    if ((run).exitCode == kCouldNotRunUnprivileged)                                                              \
    GTEST_SKIP() << "SKIPPED: running as root, and user nobody could not be taken on or cannot run " KVX_BIN_DIR \
                    "/korvex (a build folder nobody can reach?): the read-only folder cannot be made real"

}  // namespace

// Guards against a first start that saves more than "KVX Path" before its exit, a copy killed
// with SIGKILL blocking the next start, a lock made private by changing the runtime folder
// itself, and --version and the windows showing different versions.
TEST(LifecycleBlackBox, AFirstStartKilledEarlyLeavesKvxPathOnlyAndTheNextStartRuns) {
    Folders f;
    chmod(f.file("runtime").c_str(), 0755);
    int pid = startKorvex(f.args({"--headless"}), f.file("err.txt"));
    waitForText(f.file("program/updown.htm"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGKILL);  // before any exit could save the settings
    auto killed = waitKorvex(pid, f.file("err.txt"));
    EXPECT_EQ(killed.err, "") << "no first-run dialog and no message";
    EXPECT_EQ(f.userHive(), kKvxPathOnly);
    EXPECT_EQ(readFile(f.file("program/updown.htm")), "<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n");
    EXPECT_EQ(readFile(f.file("program/kvxwarnlog.txt")), "");

    auto next = runKorvex(f.headless("10", {"--dump", f.file("dump.json")}));
    ASSERT_EQ(next.exitCode, 0) << next.err;
    struct stat info {};
    ASSERT_EQ(stat(f.file("runtime").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    ASSERT_EQ(stat(f.file("runtime/korvex-lock").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_EQ(access(f.file("runtime/korvex-lock/Korvex.lock").c_str(), F_OK), 0);

    std::string printed;
    ASSERT_EQ(runTool({std::string(KVX_BIN_DIR) + "/korvex", "--version"}, &printed), 0);
    ASSERT_TRUE(printed.starts_with("Korvex ")) << printed;
    const QString number = QString::fromStdString(printed.substr(7, printed.find('\n') - 7));
    EXPECT_EQ(caption(f.dump(), "Form1.Label28"), "Version " + number);
    EXPECT_EQ(caption(f.dump(), "Splash1.Label1"), number);
}

// A key without "MB Tempature Scale" means the first run is due: the four dialogs, then everything is saved at the end.
TEST(LifecycleBlackBox, TheFirstRunShowsTheDialogsAndSavesEverythingAtTheEnd) {
    Folders f;
    mkdir(f.file("config").c_str(), 0700);
    writeFile(f.file("config/user.reg"), kKvxPathOnly);
    writeFile(f.file("script.txt"), "at 0 answer Form3 \"&Yes\" after 2\nat 0 answer Form2 \"&Ok\" after 3\n");
    auto run = runKorvex(f.headless("20", {"--script", f.file("script.txt"), "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(f.userHive().find("\"MB Tempature Scale\"=hex:"), std::string::npos);
    EXPECT_NE(f.userHive().find("\"InterVal\"=dword:00002710"), std::string::npos);
    // The dialogs held start-up for 5 s, so the first timer poll came at 15.2 s: one poll counted by 20 s.
    EXPECT_EQ(caption(f.dump(), "Form1.UDTabPollsLabel"), "Number of Polls: 1");
}

// Guards against a second copy that runs on, and a user.reg replaced during the run being
// moved aside at exit without a word.
TEST(LifecycleBlackBox, ASecondCopyEndsWithCode3AndAReplacedUserHiveIsReportedAndKeptAside) {
    Folders f;
    int first = startKorvex(f.args({"--headless", "--run-for", "3", "--dump", f.file("dump.json")}), f.file("err.txt"));
    waitForText(f.file("config/user.reg"));
    auto second = runKorvex(f.args({"--headless", "--run-for", "2"}));
    EXPECT_EQ(second.exitCode, 3);
    EXPECT_EQ(second.err, "korvex: Korvex is already running.\n");

    const std::string garbage =
        "\x7f"
        "ELF not settings at all\n";
    writeFile(f.file("config/replacement"), garbage);
    ASSERT_EQ(rename(f.file("config/replacement").c_str(), f.file("config/user.reg").c_str()), 0);
    auto run = waitKorvex(first, f.file("err.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject window = control(f.dump(), "Form1");
    EXPECT_TRUE(window["visible"].toBool()) << "the first copy left the tray for its small window";
    EXPECT_EQ(window["width"].toInt(), 112);

    const std::string told = "moved aside as " + f.file("config/user.reg.bad-");
    ASSERT_NE(run.err.find(told), std::string::npos) << run.err;
    size_t at = run.err.find(told) + told.size() - std::string("user.reg.bad-").size();
    EXPECT_EQ(readFile(f.file("config/") + run.err.substr(at, run.err.find('\n', at) - at)), garbage);
    EXPECT_TRUE(messagesOf(f.dump()).contains(QString::fromStdString(told)));
    EXPECT_NE(valueLine(f.userHive(), "InterVal"), "") << "the settings are saved afresh";
}

// Guards against the stored unit flipping on every run that cannot create its
// log files, and against such a run not monitoring.
TEST(LifecycleBlackBox, ARunThatCannotCreateItsLogFilesKeepsTheStoredUnitRunAfterRun) {
    Folders f;
    for (const char* folder : {"config", "writable"}) mkdir(f.file(folder).c_str(), 0700);
    mkdir(f.file("read-only").c_str(), 0555);
    writeFile(f.file("fahrenheit.txt"), "at 1 click SpeedButton2\n");
    giveToUnprivileged(f.path);
    auto args = [&](const char* programFolder, std::vector<std::string> more) {
        more.insert(more.begin(), {"--headless", "--virtual-time", "--run-for", "5", "--config-dir", f.file("config"),
                                   "--program-folder", f.file(programFolder), "--sensor-library", kSim});
        return more;
    };
    auto first = runKorvexUnprivileged(args("writable", {"--script", f.file("fahrenheit.txt")}));
    SKIP_UNLESS_RUN_UNPRIVILEGED(first);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::string stored = f.userHive();
    ASSERT_EQ(valueLine(stored, "C or F"), "\"C or F\"=\"F\"");

    for (int run = 1; run <= 3; ++run) {
        auto next = runKorvexUnprivileged(args("read-only", {"--dump", f.file("dump.json")}));
        ASSERT_EQ(next.exitCode, 0) << next.err;
        EXPECT_NE(next.err.find("kvxlog.txt"), std::string::npos) << "the log file's error is shown: " << next.err;
        EXPECT_TRUE(control(f.dump(), "Form1.Timer1")["enabled"].toBool()) << "monitoring runs without the log files";
        EXPECT_EQ(f.userHive(), stored) << "run " << run << " changed the stored settings";
    }
}

// Guards against a run whose final settings save fails ending with exit code 0.
TEST(LifecycleBlackBox, AFinalSaveThatFailsEndsWithCode1AndOneClearMessage) {
    Folders f;
    mkdir(f.file("config").c_str(), 0555);
    mkdir(f.file("program").c_str(), 0700);
    giveToUnprivileged(f.path);
    auto run = runKorvexUnprivileged(f.headless("5", {"--dump", f.file("dump.json")}));
    SKIP_UNLESS_RUN_UNPRIVILEGED(run);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("korvex: Failed to save the settings: ")) << run.err;
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line: " << run.err;
    EXPECT_EQ(messagesOf(f.dump()).toStdString(), run.err.substr(8)) << "the dump has it too";
}
