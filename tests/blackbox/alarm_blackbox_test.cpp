// Alarms in a scenario run of korvex: the warning window, one-shot alarms and the warning log.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <regex>
#include <sstream>

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
        "WARNING: Sensor 1 has reached: 50\xB0" "C / 122\xB0" "F",
        "WARNING: Sensor 1 has reached: 50\xB0" "C / 122\xB0" "F",
    };
    const std::string textLog = readFile(folder + "/program/kvxwarnlog.txt");
    EXPECT_EQ(textLogEntries(textLog), expected);
    const std::string htmlLog = readFile(folder + "/program/kvxwarnlog.htm");
    EXPECT_TRUE(htmlLog.starts_with("<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n<table border=\"1\"> \r\n<tr><td>")) << htmlLog;
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
}
