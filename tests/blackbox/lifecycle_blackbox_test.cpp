// Start-up and exit as a user meets them: first start, first-run dialogs, two copies, a killed copy.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>

#include "run_program.h"

using namespace kvx::test;

namespace {

const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";
const std::string kKvxPathOnly =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
    "\"KVX Path\"=\"" + std::string(KVX_BIN_DIR) + "/korvex\"\r\n\r\n";

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
        std::vector<std::string> all = {"--headless", "--config-dir", file("config"), "--program-folder",
                                        file("program"), "--sensor-library", kSim};
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
    auto run = runKorvex(f.args({"--virtual-time", "--run-for", "20", "--script", f.file("script.txt"), "--dump",
                                 f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string hive = f.userHive();
    EXPECT_NE(hive.find("\"MB Tempature Scale\"=hex:"), std::string::npos);
    EXPECT_NE(hive.find("\"InterVal\"=dword:00002710"), std::string::npos);
    // The dialogs held start-up for 5 s, so the first timer poll came at 15.2 s: one poll counted by 20 s.
    auto dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(f.file("dump.json")))).object();
    EXPECT_EQ(dump["controls"].toObject()["Form1.UDTabPollsLabel"].toObject()["caption"].toString(), "Number of Polls: 1");
}

TEST(LifecycleBlackBox, ADeclinedAgreementWritesNothingAndEnds) {
    Folders f;
    mkdir(f.file("config").c_str(), 0700);
    writeFile(f.file("config/user.reg"), kKvxPathOnly);
    writeFile(f.file("script.txt"), "at 0 answer Form3 \"&No\"\n");
    auto run = runKorvex(f.args({"--virtual-time", "--run-for", "600", "--script", f.file("script.txt")}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(f.userHive(), kKvxPathOnly);
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
