// The settings as start-up reads them into the window and exit writes them back.
#include <gtest/gtest.h>

#include <fstream>
#include <string_view>

#include "settings/settings_table.h"
#include "test_program.h"

using namespace kvx;
using test::TestProgram;

namespace {

// The hive a program writes when it ends with every setting at its default.
std::string defaultHive() {
    static const std::string hive = [] {
        TestProgram p;
        p.start();
        p.app->endSession();
        return p.userHive();
    }();
    return hive;
}

// Replaces the line of one value (or removes it when `line` is empty).
std::string withValue(std::string hive, std::string_view name, const std::string& line) {
    std::string start = "\r\n\"" + ui::foldCase(name) + "\"=";
    size_t at = ui::foldCase(hive).find(start);
    if (at == std::string::npos) return hive;
    size_t end = hive.find("\r\n", at + 2);
    return hive.replace(at + 2, end + 2 - (at + 2), line.empty() ? "" : line + "\r\n");
}

// The hive with every value from read `first` on removed.
std::string endingBefore(std::string hive, int first) {
    for (const auto& row : settings::readRows())
        if (row.readNumber >= first) hive = withValue(hive, row.name, "");
    return hive;
}

// The lines of `after` that `before` lacks, for a readable difference of two hives.
std::string linesChanged(const std::string& before, const std::string& after) {
    std::string changed;
    for (size_t at = 0, end; at < after.size(); at = end + 2) {
        end = std::min(after.find("\r\n", at), after.size());
        std::string line = after.substr(at, end - at);
        if (("\r\n" + before).find("\r\n" + line + "\r\n") == std::string::npos) changed += line + "\n";
    }
    return changed;
}

}  // namespace

// Guards against values lost or changed on the way through the window's controls.
TEST(SettingsAtStartUp, WrittenDefaultsReadBackEqualAndRewriteByteIdentical) {
    std::string first = defaultHive();
    ASSERT_NE(first.find("\"InterVal\"=dword:00002710"), std::string::npos)
        << "the poll interval is written as InterVal";
    TestProgram p;
    p.writeUserHive(first);
    p.start();
    for (const auto& row : settings::readRows())
        EXPECT_EQ(p.app->settings().current(row), row.defaultValue) << row.name;
    p.app->endSession();
    EXPECT_EQ(p.userHive(), first);
}

TEST(SettingsAtStartUp, StoredValuesReachTheirControls) {
    std::string hive = defaultHive();
    hive = withValue(hive, "InterVal", "\"InterVal\"=dword:00004e20");  // 20 s
    hive = withValue(hive, "Port 1", "\"Port 1\"=dword:00000001");
    hive = withValue(hive, "Fan1 Type 2", "\"Fan1 Type 2\"=dword:00000001");
    hive = withValue(hive, "Fan1 Type 1", "\"Fan1 Type 1\"=dword:00000000");
    hive = withValue(hive, "Fan1 Div 4", "\"Fan1 Div 4\"=dword:00000001");
    hive = withValue(hive, "Fan1 Div 2", "\"Fan1 Div 2\"=dword:00000000");
    hive = withValue(hive, "WB2 Compensation", "\"WB2 Compensation\"=dword:fffffffb");  // -5, sensor 2
    hive = withValue(hive, "Sensor 2", "\"Sensor 2\"=dword:00000002");
    hive = withValue(hive, "VUM 1 Name", "\"VUM 1 Name\"=\"Board\"");
    TestProgram p;
    p.writeUserHive(hive);
    p.start();
    EXPECT_EQ(p.caption("GenTabIntervalLabel"), "Check at Intervals of 20 seconds");
    EXPECT_TRUE(p.channels().corePort1());
    EXPECT_EQ(p.channels().fanType(1), 2);
    EXPECT_EQ(p.channels().fanDivisor(1), 4);
    EXPECT_EQ(p.board().calls.front(), "SetLM78FanDiv 1 4") << "a stored divisor runs its handler when it is set";
    EXPECT_EQ(p.caption("CheckBox69"), "Custom +-5") << "\"WB2 Compensation\" belongs to sensor 2";
    EXPECT_EQ(p.main->gauge(2).centerLabel(), "40.5°C");
    EXPECT_EQ(p.caption("Label124"), "Board");
    EXPECT_EQ(p.caption("UDTabWB1NameLabel"), "Board");
}

// One table of stored sets and what start-up makes of them.
TEST(SettingsAtStartUp, EdgeCasesOfStoredSets) {
    struct Case {
        const char* what;
        std::string hive;
        // Expectations: the interval label (read 35), fan 1's type (reads 147/148), sensor 1's name (read 92).
        int intervalSeconds;
        int fan1Type;
        const char* sensor1Name;
        const char* unitButton;
    };
    std::string base = defaultHive();
    base = withValue(base, "InterVal", "\"InterVal\"=dword:00004e20");
    base = withValue(base, "Fan1 Type 2", "\"Fan1 Type 2\"=dword:00000001");
    base = withValue(base, "Fan1 Type 1", "\"Fan1 Type 1\"=dword:00000000");
    const Case cases[] = {
        {"everything stored", base, 20, 2, "Sensor 1", "F"},
        {"\"Log File Size Max\" missing: reading ends at read 66", withValue(base, "Log File Size Max", ""), 20, 1,
         "Sensor 1", "F"},
        {"\"WB1 Background\" as clRed", withValue(base, "WB1 Background", "\"WB1 Background\"=\"clRed\""), 20, 2,
         "Sensor 1", "F"},
        {"\"WB1 Background\" as text that is no colour ends reading at read 130",
         withValue(base, "WB1 Background", "\"WB1 Background\"=\"bright\""), 20, 1, "Sensor 1", "F"},
        {"an empty \"VUM 1 Name\" gets the fixed name", withValue(base, "VUM 1 Name", "\"VUM 1 Name\"=\"\""), 20, 2,
         "Motherboard", "F"},
        {"a set that ends before read 92: the missing names read empty and get fixed names", endingBefore(base, 92), 20,
         1, "Motherboard", "F"},
        {"\"C or F\" as \"c\" shows Fahrenheit", withValue(base, "C or F", "\"C or F\"=\"c\""), 20, 2, "Sensor 1", "C"},
        {"a float stored as 4 bytes ends reading at read 28",
         withValue(base, "CoreVoltage", "\"CoreVoltage\"=hex:66,66,36,40"), 10, 1, "Sensor 1", "F"},
    };
    for (const Case& c : cases) {
        TestProgram p;
        p.writeUserHive(c.hive);
        EXPECT_EQ(p.start(), app::Application::StartOutcome::Running) << c.what;
        EXPECT_EQ(p.caption("GenTabIntervalLabel"),
                  "Check at Intervals of " + std::to_string(c.intervalSeconds) + " seconds")
            << c.what;
        EXPECT_EQ(p.channels().fanType(1), c.fan1Type) << c.what;
        EXPECT_EQ(p.caption("Label124"), c.sensor1Name) << c.what;
        EXPECT_EQ(p.caption("SpeedButton2"), c.unitButton) << c.what;
    }
}

TEST(SettingsAtExit, ClosingWhileParkedKeepsTheSavedPosition) {
    std::string hive = defaultHive();
    hive = withValue(hive, "Form X", "\"Form X\"=dword:0000012c");  // 300
    hive = withValue(hive, "Form Y", "\"Form Y\"=dword:000000c8");  // 200
    TestProgram p;
    p.writeUserHive(hive);
    p.start();
    ASSERT_TRUE(p.main->parked());
    p.app->endSession();
    EXPECT_NE(p.userHive().find("\"Form X\"=dword:0000012c"), std::string::npos);
    EXPECT_NE(p.userHive().find("\"Form Y\"=dword:000000c8"), std::string::npos);

    // Shown small, the window's own place is saved.
    TestProgram q;
    q.writeUserHive(withValue(hive, "Startup Minimized", "\"Startup Minimized\"=dword:00000000"));
    q.start();
    EXPECT_EQ(q.main->form().bounds().left, 300);
    q.main->form().setPosition(40, 50);
    q.app->endSession();
    EXPECT_NE(q.userHive().find("\"Form X\"=dword:00000028"), std::string::npos);
}

// Guards against a start-up without its log files storing the opposite unit or
// other in-use flags than a start-up with them, and against it not monitoring.
TEST(SettingsAtExit, AStartUpWithoutItsLogFilesMonitorsAndStoresAsAnyOther) {
    std::string base = defaultHive();
    const std::string cases[] = {
        withValue(base, "C or F", "\"C or F\"=\"C\""),
        withValue(base, "C or F", "\"C or F\"=\"F\""),
        withValue(withValue(withValue(base, "Check MB", "\"Check MB\"=dword:00000000"), "Check CPU",
                            "\"Check CPU\"=dword:00000001"),
                  "Check WB2", "\"Check WB2\"=dword:00000001"),
    };
    for (const std::string& stored : cases) {
        TestProgram withLogs;
        withLogs.writeUserHive(stored);
        withLogs.start();
        withLogs.app->endSession();
        TestProgram p;
        // A program folder below a plain file: no log file can be created, even by root.
        p.writeUserHive(stored);
        std::ofstream(p.folders.config + "/plain-file") << "x";
        p.folders.program = p.folders.config + "/plain-file/program/";
        ASSERT_EQ(p.start(), app::Application::StartOutcome::Running);
        ASSERT_EQ(p.app->messages().entries().size(), 1u) << "the log-file error";
        ASSERT_TRUE(p.main->poll().Timer1().enabled()) << "monitoring runs without the log files";
        p.app->endSession();
        EXPECT_EQ(linesChanged(withLogs.userHive(), p.userHive()), "");
    }
}

// A full start-up takes the unit from the window again: a press after it is stored.
TEST(SettingsAtExit, AfterAFullStartUpTheUnitShownIsStored) {
    TestProgram p;
    p.writeUserHive(defaultHive());
    p.start();
    p.channels().unitButton().click();
    p.app->endSession();
    EXPECT_NE(p.userHive().find("\"C or F\"=\"F\""), std::string::npos);
}
