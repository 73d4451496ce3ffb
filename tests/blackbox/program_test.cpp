// The program as a user or a script meets it: command line, exit codes, dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <thread>

#include "blackbox.h"

using namespace kvx::test;

TEST(Program, AScriptDrivesControlsAndDumpsAtItsTimesAndAtTheEndOfAVirtualHour) {
    RunFolder f;
    writeFile(f.file("board.txt"),
              "chip w83781d\nsmbus 0x5000\n"
              "at 0   temp=35 wb2=40.5 volts=2.05,2.80,3.31,5.02,12.10,-11.90,-5.01 fans=4500,4400,255\n"
              "at 600 temp=36\n");
    writeFile(f.file("script.txt"), "at 29 dump " + f.file("at29.json") +
                                        "\nat 30 up GenTabIntervalSpinButton\nat 30 up GenTabIntervalSpinButton\n"
                                        "at 31 dump " +
                                        f.file("at31.json") + "\nat 40 down Form1.GenTabIntervalSpinButton\n");
    auto run = runKorvex(f.headless(
        "3600", {"--scenario", f.file("board.txt"), "--script", f.file("script.txt"), "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const QJsonObject at29 = f.dump("at29.json");
    EXPECT_EQ(caption(at29, "Form1"), "Korvex");
    EXPECT_EQ(caption(at29, "Form1.GenTabIntervalLabel"), "Check at Intervals of 10 seconds");
    EXPECT_EQ(control(at29, "Form1.Timer1")["interval"].toInt(), 10000);
    EXPECT_TRUE(control(at29, "Form1.Timer1")["enabled"].toBool());
    const QJsonObject at31 = f.dump("at31.json");
    EXPECT_EQ(at31["time_ms"].toInteger(), 31000);
    EXPECT_EQ(caption(at31, "Form1.GenTabIntervalLabel"), "Check at Intervals of 12 seconds");
    EXPECT_EQ(control(at31, "Form1.Timer1")["interval"].toInt(), 12000);
    const QJsonObject end = f.dump();
    EXPECT_EQ(end["time_ms"].toInteger(), 3600000);
    EXPECT_EQ(caption(end, "Form1.GenTabIntervalLabel"), "Check at Intervals of 11 seconds");
    EXPECT_TRUE(end["messages"].isArray());
}

TEST(Program, BadInputGetsOneLineAndExitCodeTwo) {
    RunFolder f;
    writeFile(f.file("bad-board.txt"), "chip w83781d\nat 0 temp=35 tmp=3\n");
    writeFile(f.file("bad-script.txt"), "# first\nat 5 click NoSuchBox\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--headless", "--script", f.file("missing.txt")}, "missing.txt: No such file or directory"},
        {{"--headless", "--scenario", f.file("missing.txt")}, "cannot read scenario"},
        {{"--headless", "--sensor-library", f.file("missing.so")}, "missing.so does not exist"},
        {{"--headless", "--virtual-time", "--run-for", "1", "--sensor-library", kSim, "--scenario",
          f.file("bad-board.txt")},
         "bad-board.txt:2: "},
        {{"--headless", "--virtual-time", "--run-for", "1", "--sensor-library", kSim, "--script",
          f.file("bad-script.txt")},
         "bad-script.txt:2: unknown control 'NoSuchBox'"},
    };
    for (auto [args, expected] : cases) {
        args.insert(args.end(), {"--config-dir", f.file("config"), "--program-folder", f.file("program")});
        auto run = runKorvex(args);
        EXPECT_EQ(run.exitCode, 2) << expected;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    }
}

// Guards against a crash when the default library is missing: the program runs on without readings.
TEST(Program, WithoutASensorLibraryItRunsOnAndSaysWhy) {
    RunFolder f;
    auto run = runKorvex({"--headless", "--virtual-time", "--run-for", "30", "--config-dir", f.file("config"),
                          "--program-folder", f.file("program"), "--sensor-library", "/dev/null", "--dump",
                          f.file("dump.json")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("running without sensor readings"), std::string::npos) << run.err;
    EXPECT_EQ(f.dump()["time_ms"].toInteger(), 30000);
}

// SIGTERM takes the same way out as --run-for: the dump is written and the exit is clean.
TEST(Program, SigtermEndsARealTimeRunCleanly) {
    RunFolder f;
    int pid = startKorvex(f.args({"--headless", "--dump", f.file("dump.json")}), f.file("err.txt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    kill(pid, SIGTERM);
    auto run = waitKorvex(pid, f.file("err.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_GE(f.dump()["time_ms"].toInteger(), 200) << "start-up waited for the clock before the end";
}
