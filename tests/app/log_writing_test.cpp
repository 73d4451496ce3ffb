// The interval log and the Up/Down log of the running program. The fake board
// reads 35 °C on sensor 1, 0 °C on sensors 2 and 3, rails Core 2.05, +3.3 3.31,
// +5 5.02, -5 -5.01, +12 12.10, -12 -11.90, fans 4500, 4400 and none; the
// virtual clock starts at 01/01/1970 00:00:00. The rows and reports themselves
// are checked byte for byte by the logs' own tests and the three-hour run.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "test_program.h"
#include "unprivileged.h"

using namespace kvx;
using test::TestProgram;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ui::CheckBox& box(TestProgram& p, const char* name) { return p.main->form().require<ui::CheckBox>(name); }
ui::MenuItem& item(TestProgram& p, const char* name) { return p.main->form().require<ui::MenuItem>(name); }

}  // namespace

// Guards against the decimal comma lost in rows or in the +3.3 column's title
// (the CSV header keeps ";"), and against a separator edited while the log
// runs not reaching the next CSV row.
TEST(IntervalLogFiles, ACommaLocaleKeepsItsCommasAndTheSeparatorIsReadEachRow) {
    TestProgram p(',');
    p.start();
    box(p, "CheckBox84").setChecked(true);
    box(p, "CheckBox37").setChecked(true);
    const std::string& folder = p.folders.program;
    std::string text = fileText(folder + "kvxlog.txt");
    EXPECT_NE(text.find("|Sensor 3   |Core|+3,3| +5 |"), std::string::npos) << text;
    EXPECT_NE(text.find("|2,05|3,31|5,02|-5,01|12,10|-11,90|4500     |"), std::string::npos) << text;
    p.main->form().require<ui::Edit>("Edit8").setText("|");
    p.main->intervalLog().WriteStandardLogentry();
    EXPECT_EQ(fileText(folder + "kvxlog.csv"),
              "Date;Time;Speed;Sensor 1;Sensor 2;Sensor 3;Core;+3,3 Volt;+5 Volt;-5 Volt;+12 Volt;-12 Volt;Fan 1;"
              "Fan 2;Fan 3\r\n"
              "01/01/1970;00:00:00;450 MHz;35\xB0"
              "C;0\xB0"
              "C;0\xB0"
              "C;2,05;3,31;5,02;-5,01;12,10;-11,90;4500;4400;N/A\r\n"
              "01/01/1970|00:00:00|450 MHz|35\xB0"
              "C|0\xB0"
              "C|0\xB0"
              "C|2,05|3,31|5,02|-5,01|12,10|-11,90|4500|4400|N/A\r\n");
}

// Guards against the start and stop steps: a row at once only while polling,
// the tray items' enabled states, and suspend mode running the log timer.
TEST(IntervalLogFiles, StartAndStopFromTheBoxTheTrayAndSuspendMode) {
    TestProgram p;
    p.start();
    // The rows written, then which of the log's box, Timer3, the tray's Start and
    // Stop items and the interval's spin button are on.
    auto state = [&] {
        const std::string text = fileText(p.folders.program + "kvxlog.txt");
        std::string s = std::to_string(std::count(text.begin(), text.end(), '\n') - 5) + " rows";
        const std::pair<const char*, bool> flags[] = {
            {"box", box(p, "CheckBox37").checked()},
            {"timer", p.main->Timer3().enabled()},
            {"start", item(p, "Log1").enabled()},
            {"stop", item(p, "Log2").enabled()},
            {"spin", p.main->form().require<ui::SpinButton>("SpinButton16").enabled()},
        };
        for (const auto& [name, on] : flags)
            if (on) s += std::string(" ") + name;
        return s;
    };
    EXPECT_EQ(state(), "0 rows start");
    item(p, "Log1").click();
    EXPECT_EQ(state(), "1 rows box timer stop spin") << "Start Interval Log writes one row at once";
    p.run(120);
    EXPECT_EQ(state(), "3 rows box timer stop spin");
    item(p, "Log2").click();
    p.run(120);
    EXPECT_EQ(state(), "3 rows start");

    // Turned on while suspended: no row, no tick until the resume.
    item(p, "pause1").click();
    box(p, "CheckBox37").setChecked(true);
    p.run(180);
    EXPECT_EQ(state(), "3 rows box stop spin");
    item(p, "pause1").click();
    EXPECT_EQ(state(), "3 rows box timer stop spin") << "the log switched on in suspend mode runs after the resume";
    p.run(60);
    EXPECT_EQ(state(), "4 rows box timer stop spin");
}

// Guards against the spin buttons passing their bounds and labels that lag.
TEST(IntervalLogFiles, SpinButtonsStayWithinTheirBoundsAndRewriteTheirLabels) {
    TestProgram p;
    p.start();
    auto& log = p.main->intervalLog();
    auto& interval = p.main->form().require<ui::SpinButton>("SpinButton16");
    auto& cap = p.main->form().require<ui::SpinButton>("SpinButton17");
    EXPECT_EQ(p.caption("Form1.Label87"), "Interval: 1 minutes");
    EXPECT_EQ(p.caption("Form1.Label89"), "Stop Writing at 64Kb");
    interval.down();
    EXPECT_EQ(log.intervalMs(), 60000) << "1 minute is the least";
    for (int i = 0; i < 205; ++i) interval.up();
    EXPECT_EQ(log.intervalMs(), 12000000);
    EXPECT_EQ(p.caption("Form1.Label87"), "Interval: 200 minutes");
    cap.up();
    EXPECT_EQ(p.caption("Form1.Label89"), "Stop Writing at 68Kb");
    for (int i = 0; i < 20; ++i) cap.down();
    EXPECT_EQ(log.sizeCapKb(), 0);
    log.setSizeCapKb(2147483644);
    cap.up();
    EXPECT_EQ(log.sizeCapKb(), 2147483644) << "a step past the largest 32-bit value is not taken";
}

// Guards against a report that loses the program's start time after a reset
// or counts polls from before it.
TEST(UpDownLogFiles, SaveAfterAResetKeepsTheStartAndCountsFromTheReset) {
    TestProgram p;
    p.start();
    p.run(65);
    p.main->form().require<ui::Button>("UDTabResetSpeedButton").click();  // 00:01:05: polls once at once
    p.run(30);                                                            // polls at 00:01:10, :20, :30
    p.main->form().require<ui::Button>("UDTabSaveSpeedButton").click();
    const std::string& folder = p.folders.program;
    EXPECT_NE(fileText(folder + "updown.txt").find("\r\n|00:00:00 till 00:01:35, number of polls: 4          |\r\n"),
              std::string::npos);
    EXPECT_NE(fileText(folder + "updown.htm").find("<tr><td>00:00:00 till 00:01:35, number of polls: 4</td></tr>"),
              std::string::npos);
}

// Guards against the report at exit: written after the settings when the box
// is on, never when it is off or when both formats are off.
TEST(UpDownLogFiles, TheExitWritesAReportOnlyWhenAsked) {
    struct Case {
        bool saveOnExit, text, html;
        bool reportExpected;
    };
    for (const Case c :
         {Case{false, true, true, false}, Case{true, true, true, true}, Case{true, false, false, false}}) {
        TestProgram p;
        p.start();
        box(p, "CheckBox39").setChecked(c.saveOnExit);
        box(p, "CheckBox6").setChecked(c.text);
        box(p, "CheckBox79").setChecked(c.html);
        p.run(20);
        p.app->endSession();
        const std::string text = fileText(p.folders.program + "updown.txt");
        EXPECT_EQ(text.find("|00:00:00 till 00:00:20, number of polls: ") != std::string::npos, c.reportExpected)
            << c.saveOnExit << c.text << c.html;
        EXPECT_NE(p.userHive().find(c.saveOnExit ? "\"Save Up and Down on Exit\"=dword:00000001"
                                                 : "\"Save Up and Down on Exit\"=dword:00000000"),
                  std::string::npos);
    }
}

// Guards against a log that cannot be written stopping the monitoring: the
// program folder and its log files read-only, the log on and "Save" pressed,
// polling goes on, every failure is told and Timer3 keeps trying.
TEST(LogFaults, AReadOnlyProgramFolderIsReportedAndMonitoringGoesOn) {
    const std::string result = test::runAsNobody([] {
        TestProgram p;
        p.start();
        for (const char* name : {"kvxlog.txt", "kvxlog.htm", "kvxlog.csv", "updown.txt", "updown.htm"})
            ::chmod((p.folders.program + name).c_str(), 0444);
        ::chmod(p.folders.program.c_str(), 0555);
        const int pollsBefore = p.record(acquisition::TChannel::CoreVoltage).count;
        box(p, "CheckBox37").setChecked(true);
        p.run(180);
        p.main->form().require<ui::Button>("UDTabSaveSpeedButton").click();
        std::string failure;
        int logErrors = 0, reportErrors = 0;
        for (const auto& entry : p.app->messages().entries()) {
            if (entry.text.find("kvxlog.txt") != std::string::npos) ++logErrors;
            if (entry.text.find("updown.txt") != std::string::npos) ++reportErrors;
        }
        if (logErrors != 4) failure += "interval-log errors told: " + std::to_string(logErrors) + " of 4; ";
        if (reportErrors != 1) failure += "report errors told: " + std::to_string(reportErrors) + " of 1; ";
        if (p.record(acquisition::TChannel::CoreVoltage).count != pollsBefore + 18) failure += "polling stopped; ";
        if (!p.main->Timer3().enabled()) failure += "Timer3 stopped; ";
        ::chmod(p.folders.program.c_str(), 0755);
        return failure;
    });
    if (result == test::kCouldNotDropPrivileges)
        GTEST_SKIP() << "could not run as nobody: the read-only folder is not tested";
    EXPECT_EQ(result, "");
}

// Guards against the cap's boundary and the size displays' rounding: 65535
// bytes (63 KB) keep a 64 KB log running, 65536 stop it; a missing CSV file
// reads "File Locked" and never counts; a cap of 0 stops at the first check.
TEST(LogFileSizes, TheCapStopsTheLogAtItsFirstWholeKilobyte) {
    TestProgram p;
    p.start();
    auto& log = p.main->intervalLog();
    const std::string txt = p.folders.program + "kvxlog.txt";
    box(p, "CheckBox37").setChecked(true);
    struct Case {
        std::uintmax_t textBytes;
        bool csvPresent;
        const char* textDisplay;
        const char* csvDisplay;
        bool stillOn;
    };
    const Case cases[] = {
        {1023, true, "TXT:0Kb", "CSV:0Kb", true},
        {1024, true, "TXT:1Kb", "CSV:0Kb", true},
        {65535, true, "TXT:63Kb", "CSV:0Kb", true},
        {65535, false, "TXT:63Kb", "CSV: File Locked", true},
        {65536, false, "TXT:64Kb", "CSV: File Locked", false},
    };
    for (const Case& c : cases) {
        std::filesystem::resize_file(txt, c.textBytes);
        if (!c.csvPresent) std::filesystem::remove(p.folders.program + "kvxlog.csv");
        EXPECT_TRUE(log.CheckLogFileSize().ok());
        EXPECT_EQ(p.caption("Form1.IntervalLogTxtSizeLabel"), c.textDisplay);
        EXPECT_EQ(p.caption("Form1.IntervalLogCsvSizeLabel"), c.csvDisplay);
        EXPECT_EQ(box(p, "CheckBox37").checked(), c.stillOn) << c.textBytes;
        EXPECT_EQ(p.main->Timer3().enabled(), c.stillOn) << c.textBytes;
    }
    EXPECT_TRUE(item(p, "Log1").enabled()) << "the stop steps ran";

    // Cap 0: the row written on turning the log on is followed by a check that stops it.
    log.setSizeCapKb(0);
    box(p, "CheckBox37").setChecked(true);
    EXPECT_FALSE(box(p, "CheckBox37").checked());
    EXPECT_FALSE(p.main->Timer3().enabled());
}

// Guards against the stored log settings not coming back: the next start runs
// the log with its interval, cap and separator and writes one row after the
// first poll, and shows the tray's log items when they were asked for; a log
// already at its cap is switched off before any row.
TEST(IntervalLogFiles, TheNextStartResumesTheStoredLog) {
    std::string folder;
    {
        TestProgram first;
        first.start();
        folder = first.folders.config;
        box(first, "CheckBox84").setChecked(true);
        first.main->form().require<ui::Edit>("Edit8").setText("|");
        box(first, "CheckBox37").setChecked(true);
        first.main->form().require<ui::SpinButton>("SpinButton16").up();
        first.main->form().require<ui::SpinButton>("SpinButton17").up();
        box(first, "CheckBox42").setChecked(true);
        first.app->endSession();
    }
    const std::string csv = folder + "/kvxlog.csv";
    auto rows = [&] {
        std::string t = fileText(csv);
        return std::count(t.begin(), t.end(), '\n') - 1;
    };
    ASSERT_EQ(rows(), 1);
    {
        TestProgram second('.', folder);
        second.start();
        EXPECT_TRUE(box(second, "CheckBox37").checked());
        EXPECT_TRUE(second.main->Timer3().enabled());
        EXPECT_EQ(second.caption("Form1.Label87"), "Interval: 2 minutes");
        EXPECT_EQ(second.caption("Form1.Label89"), "Stop Writing at 68Kb");
        EXPECT_EQ(rows(), 2) << "one row after the first poll";
        EXPECT_NE(fileText(csv).find("\r\n01/01/1970|00:00:00|450 MHz|"), std::string::npos);
        for (const char* name : {"N6", "Log1", "Log2", "Log3", "Log4"})
            EXPECT_TRUE(item(second, name).visible()) << name;
        second.main->intervalLog().setSizeCapKb(0);
        second.app->endSession();
    }
    TestProgram third('.', folder);
    third.start();
    EXPECT_FALSE(box(third, "CheckBox37").checked()) << "at its cap at start-up";
    EXPECT_FALSE(third.main->Timer3().enabled());
    EXPECT_EQ(rows(), 2);
}
