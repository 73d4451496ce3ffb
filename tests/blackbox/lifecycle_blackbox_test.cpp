// Start-up and exit as a user meets them: first start, first-run dialogs, two copies, a killed copy.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "run_program.h"

using namespace kvx::test;

namespace {

const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";
const std::string kKvxPathOnly =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
    "\"KVX Path\"=\"" +
    std::string(KVX_BIN_DIR) + "/korvex\"\r\n\r\n";

// Each test has its own configuration, program and runtime folders, so copies meet only within a test.
struct Folders {
    std::string root = makeTempFolder();
    Folders() {
        std::string runtime = root + "/runtime";
        mkdir(runtime.c_str(), 0700);
        setenv("KVX_TEST_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/xdg-config").c_str(), 1);
    }
    std::string file(const std::string& name) const { return root + "/" + name; }
    std::string userHive() const { return readFile(file("config/user.reg")); }
    std::vector<std::string> args(std::vector<std::string> more) const {
        std::vector<std::string> all = {
            "--headless", "--config-dir", file("config"), "--program-folder", file("program"), "--sensor-library",
            kSim};
        all.insert(all.end(), more.begin(), more.end());
        return all;
    }
};

void waitForFile(const std::string& path) {
    for (int i = 0; i < 100 && readFile(path).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace

TEST(LifecycleBlackBox, AFirstStartCreatesTheKeyWithKvxPathOnlyAndTheLogFiles) {
    Folders f;
    int pid = startKorvex(f.args({}), f.file("err.txt"));
    waitForFile(f.file("program/updown.htm"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGKILL);  // before any exit could save the settings
    auto run = waitKorvex(pid, f.file("err.txt"));
    EXPECT_EQ(run.err, "") << "no first-run dialog and no message";
    EXPECT_EQ(f.userHive(), kKvxPathOnly);
    EXPECT_EQ(readFile(f.file("program/updown.htm")), "<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n");
    EXPECT_EQ(readFile(f.file("program/kvxwarnlog.txt")), "");
}

// A key without "MB Tempature Scale" means the first run is due: the four dialogs, then everything is saved at the end.
TEST(LifecycleBlackBox, TheFirstRunShowsTheDialogsAndSavesEverythingAtTheEnd) {
    Folders f;
    mkdir(f.file("config").c_str(), 0700);
    writeFile(f.file("config/user.reg"), kKvxPathOnly);
    writeFile(f.file("script.txt"), "at 0 answer Form3 \"&Yes\" after 2\nat 0 answer Form2 \"&Ok\" after 3\n");
    auto run = runKorvex(
        f.args({"--virtual-time", "--run-for", "20", "--script", f.file("script.txt"), "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string hive = f.userHive();
    EXPECT_NE(hive.find("\"MB Tempature Scale\"=hex:"), std::string::npos);
    EXPECT_NE(hive.find("\"InterVal\"=dword:00002710"), std::string::npos);
    // The dialogs held start-up for 5 s, so the first timer poll came at 15.2 s: one poll counted by 20 s.
    auto dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(f.file("dump.json")))).object();
    EXPECT_EQ(dump["controls"].toObject()["Form1.UDTabPollsLabel"].toObject()["caption"].toString(),
              "Number of Polls: 1");
}

TEST(LifecycleBlackBox, ASecondCopyEndsWithCode3AndTheFirstComesForward) {
    Folders f;
    int first = startKorvex(f.args({"--run-for", "3", "--dump", f.file("first.json")}), f.file("first.txt"));
    waitForFile(f.file("config/user.reg"));
    auto second = runKorvex(f.args({"--run-for", "2"}));
    EXPECT_EQ(second.exitCode, 3);
    EXPECT_EQ(second.err, "korvex: Korvex is already running.\n");
    auto run = waitKorvex(first, f.file("first.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(f.file("first.json")))).object();
    auto window = dump["controls"].toObject()["Form1"].toObject();
    EXPECT_TRUE(window["visible"].toBool()) << "the first copy left the tray for its small window";
    EXPECT_EQ(window["width"].toInt(), 112);
}

TEST(LifecycleBlackBox, ACopyKilledWithSigkillDoesNotBlockTheNextStart) {
    Folders f;
    int first = startKorvex(f.args({}), f.file("first.txt"));
    waitForFile(f.file("config/user.reg"));
    kill(first, SIGKILL);
    waitKorvex(first, f.file("first.txt"));
    auto next = runKorvex(f.args({"--virtual-time", "--run-for", "10"}));
    EXPECT_EQ(next.exitCode, 0) << next.err;
}

namespace {

// The value line of one setting in a hive text, or "" when it is not there.
std::string valueLine(const std::string& hive, const std::string& name) {
    size_t at = hive.find("\r\n\"" + name + "\"=");
    return at == std::string::npos ? "" : hive.substr(at + 2, hive.find("\r\n", at + 2) - at - 2);
}

QJsonObject dumpOf(const std::string& path) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(readFile(path))).object();
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

// Guards against the stored unit flipping on every run that cannot create its
// log files, and against such a run not monitoring.
TEST(LifecycleBlackBox, ARunThatCannotCreateItsLogFilesKeepsTheStoredUnitRunAfterRun) {
    Folders f;
    mkdir(f.file("config").c_str(), 0700);
    mkdir(f.file("writable").c_str(), 0700);
    mkdir(f.file("read-only").c_str(), 0555);
    writeFile(f.file("fahrenheit.txt"), "at 1 click SpeedButton2\n");
    giveToUnprivileged(f.root);
    auto args = [&](const char* programFolder, std::vector<std::string> more) {
        std::vector<std::string> all = {
            "--headless",       "--virtual-time",      "--run-for",        "5", "--config-dir", f.file("config"),
            "--program-folder", f.file(programFolder), "--sensor-library", kSim};
        all.insert(all.end(), more.begin(), more.end());
        return all;
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
        EXPECT_EQ(dumpOf(f.file("dump.json"))["controls"].toObject()["Form1.Timer1"].toObject()["enabled"].toBool(),
                  true)
            << "monitoring runs without the log files";
        EXPECT_EQ(f.userHive(), stored) << "run " << run << " changed the stored settings";
    }
}

// Guards against a run whose final settings save fails ending with exit code 0.
TEST(LifecycleBlackBox, AFinalSaveThatFailsEndsWithCode1AndOneClearMessage) {
    Folders f;
    mkdir(f.file("config").c_str(), 0555);
    mkdir(f.file("program").c_str(), 0700);
    giveToUnprivileged(f.root);
    auto run = runKorvexUnprivileged(f.args({"--virtual-time", "--run-for", "5", "--dump", f.file("dump.json")}));
    SKIP_UNLESS_RUN_UNPRIVILEGED(run);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::string prefix = "korvex: Failed to save the settings: ";
    EXPECT_EQ(run.err.substr(0, prefix.size()), prefix) << run.err;
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line: " << run.err;
    EXPECT_EQ(messagesOf(dumpOf(f.file("dump.json"))).toStdString(), run.err.substr(8)) << "the dump has it too";
}

// Guards against a user.reg replaced during the run being moved aside at exit without a word.
TEST(LifecycleBlackBox, AUserHiveReplacedDuringTheRunIsReportedAndKeptAside) {
    Folders f;
    int pid = startKorvex(f.args({"--run-for", "2", "--dump", f.file("dump.json")}), f.file("err.txt"));
    waitForFile(f.file("config/user.reg"));
    const std::string garbage =
        "\x7f"
        "ELF not settings at all\n";
    writeFile(f.file("config/replacement"), garbage);
    ASSERT_EQ(rename(f.file("config/replacement").c_str(), f.file("config/user.reg").c_str()), 0);
    auto run = waitKorvex(pid, f.file("err.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string told = "moved aside as " + f.file("config/user.reg.bad-");
    ASSERT_NE(run.err.find(told), std::string::npos) << run.err;
    size_t at = run.err.find(told) + told.size() - std::string("user.reg.bad-").size();
    EXPECT_EQ(readFile(f.file("config/") + run.err.substr(at, run.err.find('\n', at) - at)), garbage);
    EXPECT_TRUE(messagesOf(dumpOf(f.file("dump.json"))).contains(QString::fromStdString(told)));
    EXPECT_NE(valueLine(f.userHive(), "InterVal"), "") << "the settings are saved afresh";
}

// Guards against the lock made private by changing the runtime folder itself.
TEST(LifecycleBlackBox, TheLockLivesInAFolderOfItsOwnAndTheRuntimeFolderIsLeftAlone) {
    Folders f;
    const std::string runtime = f.file("runtime");
    chmod(runtime.c_str(), 0755);
    auto run = runKorvex(f.args({"--virtual-time", "--run-for", "1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    struct stat info {};
    ASSERT_EQ(stat(runtime.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    ASSERT_EQ(stat((runtime + "/korvex-lock").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_EQ(access((runtime + "/korvex-lock/Korvex.lock").c_str(), F_OK), 0);
}

// Guards against --version and the windows showing different versions.
TEST(LifecycleBlackBox, VersionAndWindowsShowOneVersion) {
    Folders f;
    std::string out = f.file("version.txt");
    int pid = fork();
    if (pid == 0) {
        if (!freopen(out.c_str(), "w", stdout)) _exit(126);
        execl((std::string(KVX_BIN_DIR) + "/korvex").c_str(), "korvex", "--version", nullptr);
        _exit(127);
    }
    waitKorvex(pid, f.file("err.txt"));
    const std::string printed = readFile(out);
    ASSERT_TRUE(printed.starts_with("Korvex ")) << printed;
    const QString number = QString::fromStdString(printed.substr(7, printed.find('\n') - 7));
    auto run = runKorvex(f.args({"--virtual-time", "--run-for", "1", "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto controls = dumpOf(f.file("dump.json"))["controls"].toObject();
    EXPECT_EQ(controls["Form1.Label28"].toObject()["caption"].toString(), "Version " + number);
    EXPECT_EQ(controls["Splash1.Label1"].toObject()["caption"].toString(), number);
}
