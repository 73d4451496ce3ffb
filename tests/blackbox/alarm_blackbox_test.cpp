// Alarms in a scenario run of korvex: the warning window, one-shot alarms and the warning log.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "blackbox.h"

using namespace kvx::test;

namespace {

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
// limit at 60 s, the first alarm is answered "&Enable Alarm" and the second is dismissed; from
// 80 s sensor 1 reads 71 °C, above its gauge's 60 °C scale.
TEST(AlarmBlackBox, AlarmsActOnceShowTheirWarningAndWriteTheWarningLog) {
    ScenarioRun r("alarm", "100", true);
    ASSERT_EQ(r.run.exitCode, 0) << r.run.err;
    const QJsonObject dump = r.dump();

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
    const std::string textLog = readFile(r.file("program/kvxwarnlog.txt"));
    EXPECT_EQ(textLogEntries(textLog), expected);
    const std::string htmlLog = readFile(r.file("program/kvxwarnlog.htm"));
    EXPECT_TRUE(htmlLog.starts_with("<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n<table border=\"1\"> \r\n<tr><td>"))
        << htmlLog;
    EXPECT_TRUE(htmlLog.ends_with("<td>" + expected[2] + "</td>\x1A</tr></table>\r\n")) << htmlLog;

    EXPECT_EQ(caption(dump, "WarningForm.Label1"),
              QString::fromUtf8("Your Sensor 1 has reached the temperature of 50°C / 122°F"));
    EXPECT_FALSE(control(dump, "WarningForm")["visible"].toBool());
    EXPECT_FALSE(control(dump, "Form1.CheckBox2")["checked"].toBool()) << "voltage alarm spent";
    EXPECT_FALSE(control(dump, "Form1.CheckBox3")["checked"].toBool()) << "sensor 1 alarm spent";
    // 2.52 V is the lower edge of 2.8 V +- 10 %: in band, drawn black.
    EXPECT_EQ(caption(dump, "Form1.Label10"), ": 2.52");
    EXPECT_EQ(control(dump, "Form1.Label10")["color"].toString(), "clBlack");
    EXPECT_EQ(caption(dump, "Form8.AlarmLabel"), QString::fromUtf8("Sound Alarm at: 50°C/122°F"));
    EXPECT_EQ(caption(dump, "Form8.AlarmStateLabel"), "Alarm Disabled");

    // Guards against a reading above the gauge's scale being dropped, leaving the temperature of an
    // earlier poll. The drawn needle stops at the right end (checked in pixels by the gauge view tests).
    const QJsonObject gauge = control(dump, "Form1.VUMeterWB1");
    EXPECT_EQ(gauge["position"].toDouble(), 71.0);
    EXPECT_EQ(gauge["scale"].toDouble(), 60.0);
    EXPECT_EQ(gauge["centerLabel"].toString(), "71°C");
    // Polls at 10.2 .. 50.2 s read 35, at 60.2 and 70.2 s 50, at 80.2 and 90.2 s 71: 417 / 9 = 46.33.
    const std::pair<const char*, const char*> texts[] = {
        {"Form1.UDTabWB1LowestLabel", "35"},           {"Form1.UDTabWB1HighestLabel", "71"},
        {"Form1.UDTabWB1AverageLabel", "46.33"},       {"Form1.MB", "Sensor 1: 71°C"},
        {"Form8.CurrentLabel", "Current Value: 71°C"}, {"Form8.HighestLabel", "Highest value: 71"},
    };
    for (auto [name, want] : texts) EXPECT_EQ(caption(dump, name).toStdString(), want) << name;

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

    // Guards against metrics that miss an alarm acting, or keep showing it armed afterwards.
    const std::string metrics = readFile(r.file("metrics/korvex.prom"));
    for (const char* sample :
         {"korvex_alarm_armed{alarm=\"sensor1\"} 0\n", "korvex_alarms_total{alarm=\"sensor1\"} 2\n",
          "korvex_alarm_armed{alarm=\"voltage\"} 0\n", "korvex_alarms_total{alarm=\"voltage\"} 1\n"})
        EXPECT_NE(metrics.find(sample), std::string::npos) << sample << " not in\n" << metrics;
}

// A first run writes the settings; the voltage alarm is then set to run a program and
// play a wave that exist, and a second run raises it.
TEST(AlarmBlackBox, AVoltageAlarmRunsItsProgramAndPlaysItsWave) {
    RunFolder f;
    const std::string board = dataFile("alarm-board.txt");
    ASSERT_EQ(runKorvex(f.headless("1", {"--scenario", board})).exitCode, 0);

    const std::string marker = f.file("alarm-ran");
    const std::string program = f.file("alarm.sh");
    writeFile(program, "#!/bin/sh\necho ran > '" + marker + "'\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::string settings = readFile(f.file("config/user.reg"));
    for (auto [from, to] : {std::pair<std::string, std::string>{"\"Voltage Alarm Run\"=dword:00000000",
                                                                "\"Voltage Alarm Run\"=dword:00000001"},
                            {"\"Voltage Alarm Path\"=\"\"", "\"Voltage Alarm Path\"=\"" + program + "\""},
                            {"\"Volt Alarm Wave\"=dword:00000000", "\"Volt Alarm Wave\"=dword:00000001"},
                            {"\"Volt Alarm Wave Path\"=\"\"", "\"Volt Alarm Wave Path\"=\"" + program + "\""}}) {
        size_t at = settings.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        settings.replace(at, from.size(), to);
    }
    writeFile(f.file("config/user.reg"), settings);

    auto run = runKorvex(f.headless("40", {"--scenario", board, "--dump", f.file("dump.json")}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> kinds;
    for (const auto& e : f.dump()["events"].toArray()) {
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
    EXPECT_EQ(waitForText(marker, 10000), "ran\n") << "the alarm's program did not run";
}
