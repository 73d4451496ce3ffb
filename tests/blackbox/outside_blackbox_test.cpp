// The outside programs as a user meets them: the shutdown program launched
// after the countdown (a recording program stands in for it), a cooler played
// by kvx-peer on the message bus, and the system information panel.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>

#include <sstream>

#include "blackbox.h"
#include "kvx_version.h"

using namespace kvx::test;

namespace {

const std::string kPeer = std::string(KVX_BIN_DIR) + "/kvx-peer";

std::string machineHive(const std::string& key, const std::string& path) {
    return "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" + key + "]\r\n\"Path\"=\"" + path +
           "\"\r\n\r\n";
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

// Sensor 1 reaches its 50 °C limit at 60 s and stays there; ShutDown NOW! (a program that
// writes its arguments to launched.txt) is on for it.
struct ShutdownRun : RunFolder {
    ProgramRun run;
    QJsonObject dump;

    explicit ShutdownRun(const std::string& extraScript) {
        const std::string recorder = file("record-shutdown");
        writeFile(recorder, "#!/bin/sh\necho \"$@\" >> '" + file("launched.txt") + "'\n");
        chmod(recorder.c_str(), 0755);
        mkdir(file("config").c_str(), 0700);
        writeFile(file("config/machine.reg"), machineHive("Software\\ShutDown NOW!", recorder));
        writeFile(file("script.txt"),
                  "at 1 click CheckBox41\nat 1 click CheckBox11\nat 1 click CheckBox8\n" + extraScript);
        run = runKorvex(headless("100", {"--scenario", dataFile("alarm-board.txt"), "--script", file("script.txt"),
                                         "--dump", file("dump.json")}));
        dump = RunFolder::dump();
    }
    std::vector<std::string> launches() const {
        std::vector<std::string> found;
        for (const auto& e : dump["events"].toArray())
            if (e.toObject()["kind"].toString() == "launch")
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
    EXPECT_EQ(r.launches(), std::vector<std::string>{"75200 /SHUTDOWN"});
    EXPECT_EQ(waitForText(r.file("launched.txt")), "/SHUTDOWN\n");
    EXPECT_EQ(caption(r.dump, "CountdownForm"), "Countdown to SHDN! Launch...");
    EXPECT_FALSE(control(r.dump, "CountdownForm")["visible"].toBool());
    EXPECT_TRUE(control(r.dump, "Form1.CheckBox3")["checked"].toBool()) << "the sensor's own alarm stays on";
    EXPECT_NE(readFile(r.file("program/kvxwarnlog.txt")).find(" - Launched ShutDown Now! on Sensor 1 Alarm"),
              std::string::npos);
    EXPECT_TRUE(r.dump["messages"].toArray().isEmpty());
}

TEST(OutsideBlackBox, CancelLaunchesNothingAndTheNextHotPollRaisesTheOrdinaryAlarm) {
    ShutdownRun r("at 50 answer CountdownForm \"&Cancel\" after 3\n");
    ASSERT_EQ(r.run.exitCode, 0) << r.run.err;
    EXPECT_TRUE(r.launches().empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(readFile(r.file("launched.txt")), "");
    EXPECT_FALSE(control(r.dump, "Form1.CheckBox11")["checked"].toBool());
    EXPECT_FALSE(control(r.dump, "Form1.CheckBox8")["enabled"].toBool());
    EXPECT_EQ(caption(r.dump, "WarningForm.Label1"),
              QString::fromUtf8("Your Sensor 1 has reached the temperature of 50°C / 122°F"));
    EXPECT_FALSE(control(r.dump, "Form1.CheckBox3")["checked"].toBool()) << "the ordinary alarm is spent";
}

// kvx-peer plays the cooler: Korvex closes it (the close request, then 0x8000)
// and answers its temperature request; the dump and the peer agree on what was posted.
TEST(OutsideBlackBox, APeerPlayingTheCoolerReceivesWhatTheDumpSaysWasPosted) {
    RunFolder f;
    const std::string runtime = f.file("runtime");
    mkdir(runtime.c_str(), 0700);
    // Korvex and the peer meet in one runtime folder, for this test only.
    ScopedEnv sharedRuntime("KVX_TEST_RUNTIME_DIR", runtime);
    mkdir(f.file("config").c_str(), 0700);
    writeFile(f.file("config/machine.reg"), machineHive("Software\\CpuIdle", "/nonexistent/cpuidle"));
    // Poll every second, close the cooler at or below 40 °C (the board shows 35 °C).
    std::string script;
    for (int i = 0; i < 9; ++i) script += "at 0.1 down GenTabIntervalSpinButton\n";
    writeFile(f.file("script.txt"), script + "at 0.2 click CheckBox78\n");

    pid_t peer = spawnWithOutput(kPeer, {"--listen", "CPUIdle", "--seconds", "20"}, f.file("peer.txt"),
                                 f.file("peer-err.txt"), runtime);
    ASSERT_GT(peer, 0);
    ASSERT_NE(waitForText(f.file("peer-err.txt")).find("listening as CPUIdle"), std::string::npos);

    int korvex = startKorvex(
        f.args({"--headless", "--run-for", "4", "--script", f.file("script.txt"), "--dump", f.file("dump.json")}),
        f.file("korvex-err.txt"));
    waitForText(f.file("config/user.reg"));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    int send = spawnWithOutput(kPeer, {"--send", "0x8192"}, f.file("send.txt"), f.file("send-err.txt"), runtime);
    EXPECT_EQ(endWithin(send, 60000), 0) << readFile(f.file("send-err.txt"));
    auto run = waitKorvex(korvex, f.file("korvex-err.txt"));
    kill(peer, SIGTERM);
    EXPECT_EQ(endWithin(peer, 60000), 0);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const QJsonObject dump = f.dump();
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
    EXPECT_EQ(readFile(f.file("peer.txt")), posted.str());
    EXPECT_NE(control(dump, "Form1.CPUIdleMemo")["text"].toString().indexOf(": CPU Idle was closed by KVX."), -1);
}

// Guards against a system information panel that lists its lines only once or copies
// something else, and against shutdown boxes offered (or a message raised) when no
// launcher program is installed.
TEST(OutsideBlackBox, SystemInfoListsElevenLinesEachTimeAndCopiesThemAndNoLauncherMeansNoShutdownBoxes) {
    RunFolder f;
    writeFile(f.file("board.txt"),
              "chip lm78\nsmbus none\nclock 733\nmemory total=134217728 available=67108864 load=37\nuser alice\n"
              "at 0 temp=35\n");
    writeFile(f.file("script.txt"),
              "at 1 select GenTabComboBox 2\nat 2 select GenTabComboBox 0\nat 3 select GenTabComboBox 2\n"
              "at 4 click GenTabCopyButton\n");
    auto run = runKorvex(f.headless(
        "5", {"--scenario", f.file("board.txt"), "--script", f.file("script.txt"), "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject dump = f.dump();
    const std::string expected = std::string(kvx::kVersionCaption) +
                                 "\nCPU Speed: 733 MHz\nUser: alice\n37% of Memory in use\n"
                                 "131072 KB of Total Physical Memory\n65536 KB of Available Physical Memory\n"
                                 "KVX launched from: " +
                                 std::string(KVX_BIN_DIR) +
                                 "/korvex\nCPUIdle detected at: \nShutDown NOW! detected at: \nChip ID: LM78\n"
                                 "SMBus: No Intel SMBus found\n";
    EXPECT_EQ(control(dump, "Form1.GenTabSystemInfoMemo")["text"].toString().toStdString(), expected);
    QJsonObject copy;
    for (const auto& e : dump["events"].toArray())
        if (e.toObject()["kind"].toString() == "copy") copy = e.toObject();
    EXPECT_EQ(copy["detail"].toString().toStdString(), expected);
    // Each showing re-runs the cooler's detection: one line at start and one per showing.
    const QString cooler = control(dump, "Form1.CPUIdleMemo")["text"].toString();
    EXPECT_EQ(cooler.count("could not be found."), 3);
    EXPECT_TRUE(cooler.endsWith(": CPU Idle could not be found.\n")) << cooler.toStdString();

    for (const char* name : {"Form1.CheckBox11", "Form1.CheckBox8", "Form1.CheckBox9", "Form1.CheckBox10",
                             "Form1.CheckBox77", "Form1.CheckBox78"})
        EXPECT_FALSE(control(dump, name)["enabled"].toBool()) << name;
    EXPECT_TRUE(dump["messages"].toArray().isEmpty()) << "no message for a missing outside program";
}
