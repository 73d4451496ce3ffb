// The outside programs as a user meets them: the shutdown program launched
// after the countdown (a recording program stands in for it), a cooler played
// by kvx-peer on the message bus, and the system information panel.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "kvx_version.h"
#include "run_program.h"
#include "x_session.h"

using namespace kvx::test;

namespace {

const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";
const std::string kPeer = std::string(KVX_BIN_DIR) + "/kvx-peer";

QJsonObject readDump(const std::string& path) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(readFile(path))).object();
}

QJsonObject control(const QJsonObject& dump, const char* name) { return dump["controls"].toObject()[name].toObject(); }

std::string machineHive(const std::string& key, const std::string& path) {
    return "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" + key + "]\r\n\"Path\"=\"" + path +
           "\"\r\n\r\n";
}

// A stand-in for the shutdown program: it appends its arguments to a file and does nothing else.
std::string writeRecorder(const std::string& folder) {
    std::string recorder = folder + "/record-shutdown";
    writeFile(recorder, "#!/bin/sh\necho \"$@\" >> '" + folder + "/launched.txt'\n");
    chmod(recorder.c_str(), 0755);
    return recorder;
}

std::string waitForText(const std::string& path, int tenthsOfSeconds = 50) {
    for (int i = 0; i < tenthsOfSeconds && readFile(path).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return readFile(path);
}

// Starts `program` with `args`, its output to `out` and `err`, in the runtime folder `runtime`.
pid_t spawnWithOutput(const std::string& program, std::vector<std::string> args, const std::string& out,
                      const std::string& err, const std::string& runtime) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string runtimeVariable = "XDG_RUNTIME_DIR=" + runtime;
    std::vector<char*> env{runtimeVariable.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), env.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct ShutdownRun {
    std::string folder = makeTempFolder();
    QJsonObject dump;
    std::string launched;
    ProgramRun run;

    // Sensor 1 reaches its 50 °C limit at 60 s and stays there; ShutDown NOW! is on for it.
    explicit ShutdownRun(const std::string& extraScript) {
        std::string recorder = writeRecorder(folder);
        mkdir((folder + "/config").c_str(), 0700);
        writeFile(folder + "/config/machine.reg", machineHive("Software\\ShutDown NOW!", recorder));
        writeFile(folder + "/script.txt",
                  "at 1 click CheckBox41\nat 1 click CheckBox11\nat 1 click CheckBox8\n" + extraScript);
        run = runKorvex({"--headless", "--virtual-time", "--run-for", "100", "--config-dir", folder + "/config",
                         "--program-folder", folder + "/program", "--sensor-library", kSim, "--scenario",
                         std::string(KVX_TEST_DATA_DIR) + "/alarm-board.txt", "--script", folder + "/script.txt",
                         "--dump", folder + "/dump.json"});
        dump = readDump(folder + "/dump.json");
    }

    std::vector<std::string> events(const char* kind) const {
        std::vector<std::string> found;
        for (const auto& e : dump["events"].toArray())
            if (e.toObject()["kind"].toString() == kind)
                found.push_back(std::to_string(e.toObject()["time_ms"].toInteger()) + " " +
                                e.toObject()["switch"].toString().toStdString());
        return found;
    }
};

}  // namespace

TEST(OutsideBlackBox, AHotSensorLaunchesTheShutdownProgramAfterTheCountdown) {
    ShutdownRun r("");
    ASSERT_EQ(r.run.exitCode, 0) << r.run.err;
    // The alarm at 60.2 s counts 15 s down; the second countdown (85.2 s) is cut short by the end at 100 s.
    EXPECT_EQ(r.events("launch"), std::vector<std::string>{"75200 /SHUTDOWN"});
    EXPECT_EQ(waitForText(r.folder + "/launched.txt"), "/SHUTDOWN\n");
    EXPECT_EQ(control(r.dump, "CountdownForm")["caption"].toString(), "Countdown to SHDN! Launch...");
    EXPECT_FALSE(control(r.dump, "CountdownForm")["visible"].toBool());
    EXPECT_TRUE(control(r.dump, "Form1.CheckBox3")["checked"].toBool()) << "the sensor's own alarm stays on";
    EXPECT_NE(readFile(r.folder + "/program/kvxwarnlog.txt").find(" - Launched ShutDown Now! on Sensor 1 Alarm"),
              std::string::npos);
    EXPECT_TRUE(r.dump["messages"].toArray().isEmpty());
}

TEST(OutsideBlackBox, CancelLaunchesNothingAndTheNextHotPollRaisesTheOrdinaryAlarm) {
    ShutdownRun r("at 50 answer CountdownForm \"&Cancel\" after 3\n");
    ASSERT_EQ(r.run.exitCode, 0) << r.run.err;
    EXPECT_TRUE(r.events("launch").empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(readFile(r.folder + "/launched.txt"), "");
    EXPECT_FALSE(control(r.dump, "Form1.CheckBox11")["checked"].toBool());
    EXPECT_FALSE(control(r.dump, "Form1.CheckBox8")["enabled"].toBool());
    EXPECT_EQ(control(r.dump, "WarningForm.Label1")["caption"].toString(),
              QString::fromUtf8("Your Sensor 1 has reached the temperature of 50°C / 122°F"));
    EXPECT_FALSE(control(r.dump, "Form1.CheckBox3")["checked"].toBool()) << "the ordinary alarm is spent";
}

TEST(OutsideBlackBox, WithoutTheLauncherProgramTheShutdownBoxesAreUnavailable) {
    std::string folder = makeTempFolder();
    auto run = runKorvex({"--headless", "--virtual-time", "--run-for", "5", "--config-dir", folder + "/config",
                          "--program-folder", folder + "/program", "--sensor-library", kSim, "--dump",
                          folder + "/dump.json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonObject dump = readDump(folder + "/dump.json");
    for (const char* name : {"Form1.CheckBox11", "Form1.CheckBox8", "Form1.CheckBox9", "Form1.CheckBox10",
                             "Form1.CheckBox77", "Form1.CheckBox78"})
        EXPECT_FALSE(control(dump, name)["enabled"].toBool()) << name;
    EXPECT_TRUE(control(dump, "Form1.CPUIdleMemo")["text"].toString().endsWith(": CPU Idle could not be found.\n"));
    EXPECT_TRUE(dump["messages"].toArray().isEmpty()) << "no message for a missing outside program";
}

// kvx-peer plays the cooler: Korvex closes it (the close request, then 0x8000)
// and answers its temperature request; the dump and the peer agree on what was posted.
TEST(OutsideBlackBox, APeerPlayingTheCoolerReceivesWhatTheDumpSaysWasPosted) {
    std::string folder = makeTempFolder();
    std::string runtime = folder + "/runtime";
    mkdir(runtime.c_str(), 0700);
    // Korvex and the peer meet in one runtime folder, for this test only.
    setenv("KVX_TEST_RUNTIME_DIR", runtime.c_str(), 1);
    struct SharedRuntime {
        ~SharedRuntime() { unsetenv("KVX_TEST_RUNTIME_DIR"); }
    } sharedRuntime;
    mkdir((folder + "/config").c_str(), 0700);
    writeFile(folder + "/config/machine.reg", machineHive("Software\\CpuIdle", "/nonexistent/cpuidle"));
    // Poll every second, close the cooler at or below 40 °C (the board shows 35 °C).
    std::string script;
    for (int i = 0; i < 9; ++i) script += "at 0.1 down GenTabIntervalSpinButton\n";
    script += "at 0.2 click CheckBox78\n";
    writeFile(folder + "/script.txt", script);

    pid_t peer = spawnWithOutput(kPeer, {"--listen", "CPUIdle", "--seconds", "20"}, folder + "/peer.txt",
                                 folder + "/peer-err.txt", runtime);
    ASSERT_GT(peer, 0);
    ASSERT_NE(waitForText(folder + "/peer-err.txt").find("listening as CPUIdle"), std::string::npos);

    int korvex = startKorvex(
        {"--headless", "--run-for", "4", "--config-dir", folder + "/config", "--program-folder", folder + "/program",
         "--sensor-library", kSim, "--script", folder + "/script.txt", "--dump", folder + "/dump.json"},
        folder + "/korvex-err.txt");
    waitForText(folder + "/config/user.reg");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    pid_t send = spawnWithOutput(kPeer, {"--send", "0x8192"}, folder + "/send.txt", folder + "/send-err.txt", runtime);
    EXPECT_EQ(waitFor(send), 0) << readFile(folder + "/send-err.txt");
    auto run = waitKorvex(korvex, folder + "/korvex-err.txt");
    kill(peer, SIGTERM);
    EXPECT_EQ(waitFor(peer), 0);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    QJsonObject dump = readDump(folder + "/dump.json");
    std::ostringstream posted;
    int answers = 0, closes = 0;
    for (const auto& value : dump["events"].toArray()) {
        QJsonObject e = value.toObject();
        if (e["kind"].toString() != "post") continue;
        EXPECT_EQ(e["window"].toString(), "CPUIdle");
        posted << e["message"].toInteger() << " " << e["wParam"].toInteger() << " " << e["lParam"].toInteger() << "\n";
        if (e["message"].toInteger() == 0x8190) ++answers;
        if (e["message"].toInteger() == 16) ++closes;
    }
    EXPECT_EQ(answers, 1) << posted.str();
    EXPECT_GE(closes, 1) << posted.str();
    EXPECT_NE(posted.str().find("16 0 0\n32768 0 0\n"), std::string::npos) << "the close request, then 0x8000";
    EXPECT_NE(posted.str().find("33168 0 35\n"), std::string::npos) << "sensor 1 at 35 °C";
    EXPECT_EQ(readFile(folder + "/peer.txt"), posted.str());
    EXPECT_NE(control(dump, "Form1.CPUIdleMemo")["text"].toString().indexOf(": CPU Idle was closed by KVX."), -1);
}

TEST(OutsideBlackBox, SystemInfoListsElevenLinesEachTimeAndCopiesThem) {
    std::string folder = makeTempFolder();
    writeFile(folder + "/board.txt",
              "chip lm78\nsmbus none\nclock 733\nmemory total=134217728 available=67108864 "
              "load=37\nuser alice\nat 0 temp=35\n");
    writeFile(folder + "/script.txt",
              "at 1 select GenTabComboBox 2\nat 2 select GenTabComboBox 0\nat 3 select GenTabComboBox 2\n"
              "at 4 click GenTabCopyButton\n");
    auto run = runKorvex({"--headless", "--virtual-time", "--run-for", "5", "--config-dir", folder + "/config",
                          "--program-folder", folder + "/program", "--sensor-library", kSim, "--scenario",
                          folder + "/board.txt", "--script", folder + "/script.txt", "--dump", folder + "/dump.json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonObject dump = readDump(folder + "/dump.json");
    std::string text = control(dump, "Form1.GenTabSystemInfoMemo")["text"].toString().toStdString();
    std::string expected = std::string(kvx::kVersionCaption) +
                           "\nCPU Speed: 733 MHz\nUser: alice\n37% of Memory in use\n"
                           "131072 KB of Total Physical Memory\n65536 KB of Available Physical Memory\n"
                           "KVX launched from: " +
                           std::string(KVX_BIN_DIR) +
                           "/korvex\nCPUIdle detected at: \nShutDown NOW! detected at: \nChip ID: LM78\n"
                           "SMBus: No Intel SMBus found\n";
    EXPECT_EQ(text, expected);
    QJsonObject copy;
    for (const auto& e : dump["events"].toArray())
        if (e.toObject()["kind"].toString() == "copy") copy = e.toObject();
    EXPECT_EQ(copy["detail"].toString().toStdString(), expected);
    // Each showing re-runs the cooler's detection: one line at start and one per showing.
    EXPECT_EQ(control(dump, "Form1.CPUIdleMemo")["text"].toString().count("could not be found."), 3);
}

// On a real X desktop the countdown window comes up in front of the person, who
// presses "&Cancel" (Alt+C): nothing is launched and the shutdown launch is off.
TEST(OutsideDesktop, APersonCancelsTheCountdownWindowWithAKey) {
    if (auto missing = XSession::missingTools(); !missing.empty())
        GTEST_SKIP() << "NOT RUN: the X desktop test needs " << missing << " (scripts/bootstrap installs them)";
    XSession x;
    ASSERT_EQ(x.problem(), "");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("WAYLAND_DISPLAY");
    std::string folder = makeTempFolder();
    mkdir((folder + "/config").c_str(), 0700);
    writeFile(folder + "/config/machine.reg", machineHive("Software\\ShutDown NOW!", writeRecorder(folder)));
    writeFile(folder + "/board.txt", "chip w83781d\nat 0 temp=55\n");
    std::string script =
        "at 0 answer Form9 \"&Ok\"\nat 0 answer Form3 \"&Yes\"\nat 0 answer Form2 \"&Ok\"\nat 0 answer Form6 \"&Ok\"\n"
        "at 0 answer WarningForm \"&Disable Alarm\"\n";
    for (int i = 0; i < 9; ++i) script += "at 0.1 down GenTabIntervalSpinButton\n";
    script += "at 0.2 click CheckBox11\nat 0.2 click CheckBox8\n";
    writeFile(folder + "/script.txt", script);
    int pid = startKorvex({"--run-for", "12", "--config-dir", folder + "/config", "--program-folder",
                           folder + "/program", "--sensor-library", kSim, "--scenario", folder + "/board.txt",
                           "--script", folder + "/script.txt", "--dump", folder + "/dump.json"},
                          folder + "/err.txt");
    std::string countdown = x.waitForVisibleWindow("Countdown to SHDN! Launch...", 10000);
    ASSERT_FALSE(countdown.empty()) << "shown: " << x.visibleTitles() << "\n" << readFile(folder + "/err.txt");
    ASSERT_TRUE(x.typeInto(countdown, "alt+c"));
    auto run = waitKorvex(pid, folder + "/err.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonObject dump = readDump(folder + "/dump.json");
    for (const auto& e : dump["events"].toArray()) EXPECT_NE(e.toObject()["kind"].toString(), "launch");
    EXPECT_EQ(readFile(folder + "/launched.txt"), "");
    EXPECT_FALSE(control(dump, "Form1.CheckBox11")["checked"].toBool());
    EXPECT_LT(control(dump, "CountdownForm.ProgressBar1")["position"].toInt(), 15000);
    // The next hot poll raised the sensor's ordinary alarm.
    EXPECT_EQ(control(dump, "WarningForm.Label1")["caption"].toString(),
              QString::fromUtf8("Your Sensor 1 has reached the temperature of 50°C / 122°F"));
}
