// The program as a user or a script meets it: command line, exit codes, dump.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <thread>

#include "run_program.h"

using namespace kvx::test;

namespace {

const std::string kSim = std::string(KVX_BIN_DIR) + "/libkvx-sim.so";

const char* kBoard =
    "chip w83781d\n"
    "smbus 0x5000\n"
    "at 0   temp=35 wb2=40.5 volts=2.05,2.80,3.31,5.02,12.10,-11.90,-5.01 fans=4500,4400,255\n"
    "at 600 temp=36\n";

struct Folder {
    std::string path = makeTempFolder();
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::vector<std::string> base() const {
        return {"--headless", "--config-dir", file("config"), "--program-folder", file("program"), "--sensor-library",
                kSim};
    }
};

QJsonObject loadDump(const std::string& path) {
    QJsonParseError error{};
    auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(path)), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QJsonObject control(const QJsonObject& dump, const char* name) { return dump["controls"].toObject()[name].toObject(); }

// The number of lines in a text.
int lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST(Program, AVirtualHourEndsWithAValidDumpOfTheMainWindow) {
    Folder f;
    writeFile(f.file("board.txt"), kBoard);
    auto args = f.base();
    args.insert(args.end(), {"--virtual-time", "--run-for", "3600", "--scenario", f.file("board.txt"), "--dump",
                             f.file("dump.json")});
    auto run = runKorvex(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    auto dump = loadDump(f.file("dump.json"));
    EXPECT_EQ(dump["time_ms"].toInteger(), 3600000);
    EXPECT_EQ(control(dump, "Form1.GenTabIntervalLabel")["caption"].toString(), "Check at Intervals of 10 seconds");
    EXPECT_EQ(control(dump, "Form1.Timer1")["interval"].toInt(), 10000);
    EXPECT_EQ(control(dump, "Form1.Timer1")["enabled"].toBool(), true);
    EXPECT_EQ(control(dump, "Form1")["caption"].toString(), "Korvex");
    EXPECT_TRUE(dump["messages"].isArray());
}

TEST(Program, AScriptDrivesControlsAndDumpsAtItsTimes) {
    Folder f;
    writeFile(f.file("script.txt"),
              "at 30 up GenTabIntervalSpinButton\n"
              "at 30 up GenTabIntervalSpinButton\n"
              "at 31 dump " +
                  f.file("at31.json") +
                  "\n"
                  "at 40 down Form1.GenTabIntervalSpinButton\n");
    auto args = f.base();
    args.insert(args.end(),
                {"--virtual-time", "--run-for", "60", "--script", f.file("script.txt"), "--dump", f.file("end.json")});
    auto run = runKorvex(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto at31 = loadDump(f.file("at31.json"));
    EXPECT_EQ(at31["time_ms"].toInteger(), 31000);
    EXPECT_EQ(control(at31, "Form1.GenTabIntervalLabel")["caption"].toString(), "Check at Intervals of 12 seconds");
    EXPECT_EQ(control(at31, "Form1.Timer1")["interval"].toInt(), 12000);
    auto end = loadDump(f.file("end.json"));
    EXPECT_EQ(control(end, "Form1.GenTabIntervalLabel")["caption"].toString(), "Check at Intervals of 11 seconds");
}

TEST(Program, BadInputGetsOneLineAndExitCodeTwo) {
    Folder f;
    writeFile(f.file("bad-board.txt"), "chip w83781d\nat 0 temp=35 tmp=3\n");
    writeFile(f.file("bad-script.txt"), "# first\nat 5 click NoSuchBox\n");
    struct Case {
        std::vector<std::string> args;
        std::string expected;  // part of the one line
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--config-dir", f.file("config"), "--program-folder", f.file("program")});
        auto run = runKorvex(args);
        EXPECT_EQ(run.exitCode, 2) << c.expected;
        EXPECT_EQ(lines(run.err), 1) << run.err;
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
    }
}

// Guards against a crash when the default library is missing: the program runs on without readings.
TEST(Program, WithoutASensorLibraryItRunsOnAndSaysWhy) {
    Folder f;
    auto run = runKorvex({"--headless", "--virtual-time", "--run-for", "30", "--config-dir", f.file("config"),
                          "--program-folder", f.file("program"), "--sensor-library", "/dev/null", "--dump",
                          f.file("d.json")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("running without sensor readings"), std::string::npos) << run.err;
    EXPECT_EQ(loadDump(f.file("d.json"))["time_ms"].toInteger(), 30000);
}

// SIGTERM takes the same way out as --run-for: the dump is written and the exit is clean.
TEST(Program, SigtermEndsARealTimeRunCleanly) {
    Folder f;
    auto args = f.base();
    args.insert(args.end(), {"--dump", f.file("d.json")});
    std::string errFile = f.file("err.txt");
    int pid = startKorvex(args, errFile);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    kill(pid, SIGTERM);
    auto run = waitKorvex(pid, errFile);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto dump = loadDump(f.file("d.json"));
    EXPECT_GE(dump["time_ms"].toInteger(), 200) << "start-up waited for the clock before the end";
}
