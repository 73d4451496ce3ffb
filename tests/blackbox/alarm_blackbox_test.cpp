// Alarms in a scenario run of korvex: the warning window, one-shot alarms and the warning log.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "run_program.h"

using namespace kvx::test;

namespace {

QJsonObject control(const QJsonObject& dump, const char* name) { return dump["controls"].toObject()[name].toObject(); }

// The text column of every entry of the text warning log, each line checked for its frame.
std::vector<std::string> textLogEntries(const std::string& bytes) {
    static const std::string border = "+--------+--------+------------------------------------------------------+";
    static const std::regex row(R"(\|[^|]{8,}\|[^|]{8,}\|(.{54,})\|)");
    std::vector<std::string> entries, lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line, '\n');) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << "CR LF line ends: " << line;
        lines.push_back(line.substr(0, line.size() - 1));
    }
    EXPECT_EQ(lines.size() % 3, 0u);
    for (size_t i = 0; i + 2 < lines.size(); i += 3) {
        EXPECT_EQ(lines[i], border);
        EXPECT_EQ(lines[i + 2], border);
        std::smatch m;
        if (!std::regex_match(lines[i + 1], m, row)) {
            ADD_FAILURE() << "not an entry: " << lines[i + 1];
            continue;
        }
        std::string text = m[1];
        entries.push_back(text.substr(0, text.find_last_not_of(' ') + 1));
    }
    return entries;
}

}  // namespace

// The core rail stays out of band from 30 s on and the -5 V rail with it; sensor 1 reaches its
// limit at 60 s, the first alarm is answered "&Enable Alarm" and the second is dismissed.
TEST(AlarmBlackBox, AlarmsActOnceShowTheirWarningAndWriteTheWarningLog) {
    std::string folder = makeTempFolder();
    std::string dumpFile = folder + "/dump.json";
    auto run = runKorvex({"--headless", "--virtual-time", "--run-for", "100", "--config-dir", folder + "/config",
                          "--program-folder", folder + "/program", "--sensor-library",
                          std::string(KVX_BIN_DIR) + "/libkvx-sim.so", "--scenario",
                          std::string(KVX_TEST_DATA_DIR) + "/alarm-board.txt", "--script",
                          std::string(KVX_TEST_DATA_DIR) + "/alarm-script.txt", "--dump", dumpFile});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dumpFile))).object();
    ASSERT_FALSE(dump.isEmpty());

    // One voltage alarm for both rails and all later polls; two temperature alarms, the second left off.
    const std::vector<std::string> expected = {
        "WARNING: Core Voltage has reached: 3.20V",
        "WARNING: Sensor 1 has reached: 50\xB0"
        "C / 122\xB0"
        "F",
        "WARNING: Sensor 1 has reached: 50\xB0"
        "C / 122\xB0"
        "F",
    };
    const std::string textLog = readFile(folder + "/program/kvxwarnlog.txt");
    EXPECT_EQ(textLogEntries(textLog), expected);
    const std::string htmlLog = readFile(folder + "/program/kvxwarnlog.htm");
    EXPECT_TRUE(htmlLog.starts_with("<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n<table border=\"1\"> \r\n<tr><td>"))
        << htmlLog;
    EXPECT_TRUE(htmlLog.ends_with("<td>" + expected[2] + "</td>\x1A</tr></table>\r\n")) << htmlLog;

    EXPECT_EQ(control(dump, "WarningForm.Label1")["caption"].toString(),
              QString::fromUtf8("Your Sensor 1 has reached the temperature of 50°C / 122°F"));
    EXPECT_FALSE(control(dump, "WarningForm")["visible"].toBool());
    EXPECT_FALSE(control(dump, "Form1.CheckBox2")["checked"].toBool()) << "voltage alarm spent";
    EXPECT_FALSE(control(dump, "Form1.CheckBox3")["checked"].toBool()) << "sensor 1 alarm spent";
    // 2.52 V is the lower edge of 2.8 V +- 10 %: in band, drawn black.
    EXPECT_EQ(control(dump, "Form1.Label10")["caption"].toString(), ": 2.52");
    EXPECT_EQ(control(dump, "Form1.Label10")["color"].toString(), "clBlack");
    EXPECT_EQ(control(dump, "Form8.AlarmLabel")["caption"].toString(), QString::fromUtf8("Sound Alarm at: 50°C/122°F"));
    EXPECT_EQ(control(dump, "Form8.AlarmStateLabel")["caption"].toString(), "Alarm Disabled");

    // Each alarm ends its sound when its window closes and once more when the alarm is done.
    std::vector<std::string> events;
    for (const auto& e : dump["events"].toArray())
        events.push_back(std::to_string(e.toObject()["time_ms"].toInteger()) + " " +
                         e.toObject()["kind"].toString().toStdString());
    std::vector<std::string> expectedEvents;
    for (const char* time : {"30200", "60200", "70200"})
        for (const char* kind : {"stopSound", "stopWave", "stopSound"})
            expectedEvents.push_back(std::string(time) + " " + kind);
    EXPECT_EQ(events, expectedEvents);
}

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

// A first run writes the settings; the voltage alarm is then set to run a program and
// play a wave that exist, and a second run raises it.
TEST(AlarmBlackBox, AVoltageAlarmRunsItsProgramAndPlaysItsWave) {
    std::string folder = makeTempFolder();
    std::vector<std::string> common = {"--headless",       "--virtual-time",
                                       "--config-dir",     folder + "/config",
                                       "--program-folder", folder + "/program",
                                       "--sensor-library", std::string(KVX_BIN_DIR) + "/libkvx-sim.so",
                                       "--scenario",       std::string(KVX_TEST_DATA_DIR) + "/alarm-board.txt"};
    auto args = [&](std::vector<std::string> more) {
        more.insert(more.begin(), common.begin(), common.end());
        return more;
    };
    ASSERT_EQ(runKorvex(args({"--run-for", "1"})).exitCode, 0);

    const std::string marker = folder + "/alarm-ran";
    const std::string program = folder + "/alarm.sh";
    std::ofstream(program) << "#!/bin/sh\necho ran > '" << marker << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const std::string settingsFile = folder + "/config/user.reg";
    std::string settings = readFile(settingsFile);
    settings = replaced(settings, "\"Voltage Alarm Run\"=dword:00000000", "\"Voltage Alarm Run\"=dword:00000001");
    settings = replaced(settings, "\"Voltage Alarm Path\"=\"\"", "\"Voltage Alarm Path\"=\"" + program + "\"");
    settings = replaced(settings, "\"Volt Alarm Wave\"=dword:00000000", "\"Volt Alarm Wave\"=dword:00000001");
    settings = replaced(settings, "\"Volt Alarm Wave Path\"=\"\"", "\"Volt Alarm Wave Path\"=\"" + program + "\"");
    std::ofstream(settingsFile, std::ios::binary | std::ios::trunc) << settings;

    const std::string dumpFile = folder + "/dump.json";
    auto run = runKorvex(args({"--run-for", "40", "--dump", dumpFile}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject dump = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dumpFile))).object();
    std::vector<std::string> kinds;
    for (const auto& e : dump["events"].toArray()) {
        QJsonObject event = e.toObject();
        kinds.push_back(event["kind"].toString().toStdString());
        if (kinds.back() == "run") {
            EXPECT_EQ(event["program"].toString().toStdString(), program);
            EXPECT_EQ(event["parameters"].toString(), "");
            EXPECT_EQ(event["folder"].toString(), "");
        }
        if (kinds.back() == "play") {
            EXPECT_EQ(event["path"].toString().toStdString(), program);
            EXPECT_FALSE(event["loop"].toBool());
        }
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"run", "play", "stopSound", "stopWave", "stopSound"}));
    // The program is started and not waited for: give it a moment to leave its mark.
    for (int i = 0; i < 100 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(std::filesystem::exists(marker)) << "the alarm's program did not run";
}
