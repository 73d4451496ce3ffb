// The tray icons of a headless run in virtual time, as the dump lists them:
// show and swap modes with Timer2, suspend, tooltips and the double click.
#include <gtest/gtest.h>

#include "blackbox.h"

using namespace kvx::test;

namespace {

const std::string kDeg = "\xC2\xB0";

// A run of `seconds` on a board whose sensor 1 reads 35 °C, sensor 3 (WinBond 3) 38.25 °C,
// and from 30 s on 100 °C and -5 °C; the script's dumps go to the run's folder.
struct TrayRun : RunFolder {
    ProgramRun run;
    TrayRun(const std::string& script, int seconds, const std::string& sameFolder = {}) {
        if (!sameFolder.empty()) path = sameFolder;
        writeFile(file("board.txt"),
                  "chip w83781d\n"
                  "at 0 temp=35 wb2=40.5 wb3=38.25 volts=2.05,2.80,3.31,5.02,12.10,-11.90,-5.01 fans=4500,4400,255\n"
                  "at 30 temp=100 wb3=-5\n");
        std::string placed = script;
        for (size_t at = 0; (at = placed.find(" dump ", at)) != std::string::npos; at += 6)
            placed.insert(at + 6, path + "/");
        writeFile(file("script.txt"), placed);
        run = runKorvex(
            headless(std::to_string(seconds), {"--scenario", file("board.txt"), "--script", file("script.txt")}));
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    QJsonObject control(const std::string& dumpName, const char* name) const {
        return kvx::test::control(dump(dumpName), name);
    }
    // "sensor3 38° active" for a tray icon in a dump.
    std::string icon(const std::string& dumpName, const char* name) const {
        QJsonObject o = control(dumpName, name);
        return (o["picture"].toString() + " " + o["iconText"].toString() + " " +
                (o["active"].toBool() ? "active" : "hidden"))
            .toStdString();
    }
};

}  // namespace

// Guards against a swap that shows the wrong sensor, skips a tick, or leaves
// the sensor icons in the tray; and against icons that stop following the readings.
TEST(TrayBlackBox, SwapModeShowsTheChosenSensorsInTurnWithTimer2) {
    // Timer2 starts with swap mode at 1 s: ticks at 6, 11, 16, 21, 26, 31, 36 s.
    TrayRun r(
        "at 0.5 select Sensor3ComboBox 3\nat 1 click RadioButton19\nat 1 dump mode.json\n"
        "at 1 click CheckBox82\nat 7 dump t6.json\nat 12 dump t11.json\nat 13 click CheckBox80\n"
        "at 17 dump t16.json\nat 22 dump t21.json\nat 27 dump t26.json\nat 37 dump t36.json\n",
        40);
    EXPECT_EQ(r.icon("mode.json", "Form1.TrayIcon3"), "chip  active") << "only the chip until a box is ticked";
    EXPECT_FALSE(r.control("mode.json", "Form1.CheckBox23")["checked"].toBool()) << "show boxes turned off";
    EXPECT_FALSE(r.control("mode.json", "Form1.CheckBox23")["enabled"].toBool());
    EXPECT_TRUE(r.control("mode.json", "Form1.Timer2")["enabled"].toBool());
    EXPECT_EQ(r.control("mode.json", "Form1.Label134")["caption"].toString(), "Interval: 5 Seconds");

    const std::string s3 = "sensor3 38" + kDeg + " active";
    const std::string s1 = "sensor1 35" + kDeg + " active";
    EXPECT_EQ(r.icon("t6.json", "Form1.TrayIcon3"), s3) << "only sensor 3 chosen: sensor 3 on every tick";
    EXPECT_EQ(r.icon("t11.json", "Form1.TrayIcon3"), s3);
    EXPECT_EQ(r.icon("t16.json", "Form1.TrayIcon3"), s1) << "sensors 1 and 3: they alternate";
    EXPECT_EQ(r.icon("t21.json", "Form1.TrayIcon3"), s3) << "sensor 2 is skipped within the tick";
    EXPECT_EQ(r.icon("t26.json", "Form1.TrayIcon3"), s1);
    EXPECT_EQ(r.control("t26.json", "Form1.TrayIcon3")["hint"].toString(), "Sensor 1");
    // From 30 s sensor 1 reads 100 (three digits: 20 wide) and sensor 3 -5.
    EXPECT_EQ(r.icon("t36.json", "Form1.TrayIcon3"), "sensor1 100" + kDeg + " active");
    EXPECT_EQ(r.control("t36.json", "Form1.TrayIcon3")["iconWidth"].toInt(), 20);
    EXPECT_EQ(r.icon("t36.json", "Form1.TrayIcon4"), "sensor3 -5" + kDeg + " hidden")
        << "sensor icons are drawn but stay out of the tray in swap mode";
    EXPECT_EQ(r.icon("t36.json", "Form1.TrayIcon1"), "sensor1 100" + kDeg + " hidden");
}

// Guards against sensor icons left in the tray in suspend mode, and against a
// resume that loses the swap timer or the sensor icons.
TEST(TrayBlackBox, SuspendShowsTheSuspendPictureAndResumeRestoresTheIcons) {
    TrayRun r(
        "at 2 click pause1\nat 3 dump suspended.json\nat 4 click pause1\nat 5 dump resumed.json\n"
        "at 6 click RadioButton19\nat 6 click CheckBox80\nat 7 click pause1\nat 8 dump swapSuspended.json\n"
        "at 9 click pause1\nat 9.5 dump swapResumed.json\n",
        12);
    EXPECT_EQ(r.icon("suspended.json", "Form1.TrayIcon1"), "sensor1 35" + kDeg + " hidden");
    EXPECT_EQ(r.icon("suspended.json", "Form1.TrayIcon3"), "suspend  active");
    EXPECT_EQ(r.control("suspended.json", "Form1.TrayIcon3")["hint"].toString(), "In Suspend Mode");
    EXPECT_EQ(r.icon("resumed.json", "Form1.TrayIcon1"), "sensor1 35" + kDeg + " active");
    EXPECT_EQ(r.icon("resumed.json", "Form1.TrayIcon3"), "chip  hidden");

    EXPECT_FALSE(r.control("swapSuspended.json", "Form1.Timer2")["enabled"].toBool());
    EXPECT_EQ(r.icon("swapSuspended.json", "Form1.TrayIcon3"), "suspend  active");
    EXPECT_TRUE(r.control("swapResumed.json", "Form1.Timer2")["enabled"].toBool()) << "Timer2 ran before: runs again";
    EXPECT_EQ(r.icon("swapResumed.json", "Form1.TrayIcon3"), "sensor1 35" + kDeg + " active")
        << "the resume's swap step shows sensor 1 at once";
}

// Guards against tooltips that miss the names typed or the fans, that are cut
// by bytes (three "°" here), or that are put on the wrong icons.
TEST(TrayBlackBox, TooltipsCarryNamesAndFansAndAreCutAt62Characters) {
    TrayRun r(
        "at 1 set Edit4 \"CPU Die\"\n"
        "at 1 set Edit1 \"Intake\"\n"
        "at 1 click CheckBox71\nat 1 click CheckBox72\nat 1 click CheckBox74\nat 1 click CheckBox75\n"
        "at 1 click CheckBox76\nat 2 click CheckBox23\nat 3 dump icOnly.json\nat 4 click CheckBox23\n"
        "at 5 dump namesOnly.json\nat 6 click RadioButton7\nat 7 dump onAll.json\nat 8 click CheckBox71\n"
        "at 8 click CheckBox72\nat 8 click CheckBox75\nat 8 click CheckBox76\nat 9 dump short.json\n",
        10);
    // "CPU Die: 35°C Sensor 2: 0°C Sensor 3: 0°C Intake: 4500 Fan 2: 4400 Fan 3: not available ",
    // cut after its 62nd character (65 bytes).
    const QString cut = QString::fromStdString("CPU Die: 35" + kDeg + "C Sensor 2: 0" + kDeg + "C Sensor 3: 0" + kDeg +
                                               "C Intake: 4500 Fan 2: ");
    ASSERT_EQ(cut.size(), 62);
    EXPECT_EQ(r.control("icOnly.json", "Form1.TrayIcon3")["hint"].toString(), cut) << "no sensor icon: the IC icon";
    EXPECT_TRUE(r.control("icOnly.json", "Form1.TrayIcon3")["active"].toBool());
    EXPECT_EQ(r.control("namesOnly.json", "Form1.TrayIcon1")["hint"].toString(), "CPU Die")
        << "tooltips only on the IC icon: the sensor icon shows its name";
    EXPECT_FALSE(r.control("namesOnly.json", "Form1.TrayIcon3")["active"].toBool());
    EXPECT_EQ(r.control("onAll.json", "Form1.TrayIcon1")["hint"].toString(), cut);
    EXPECT_EQ(r.control("short.json", "Form1.TrayIcon1")["hint"].toString(),
              QString::fromStdString("CPU Die: 35" + kDeg + "C Intake: 4500 "));
}

// Guards against a double click that opens the wrong window, or forgets which
// of Show and Show & Expand was used last (also across a restart).
TEST(TrayBlackBox, DoubleClickRepeatsShowOrShowAndExpand) {
    TrayRun r(
        "at 1 dblclick TrayIcon1\nat 2 dump small.json\nat 3 click Hide1\nat 3 popup\nat 3 click Show1\n"
        "at 4 click Hide1\nat 5 dblclick TrayIcon1\nat 6 dump expanded.json\nat 7 dblclick TrayIcon2\n",
        10);
    EXPECT_TRUE(r.control("small.json", "Form1")["visible"].toBool());
    EXPECT_EQ(r.control("small.json", "Form1")["width"].toInt(), 112) << "first start: the small window";
    EXPECT_TRUE(r.control("expanded.json", "Form1")["visible"].toBool());
    EXPECT_EQ(r.control("expanded.json", "Form1")["width"].toInt(), 572) << "Show & Expand was used last";
    EXPECT_NE(r.run.err.find("TrayIcon2 is not shown in the tray"), std::string::npos)
        << "an icon not in the tray cannot be clicked: " << r.run.err;
    EXPECT_NE(readFile(r.file("config/user.reg")).find("\"Double Click Small\"=dword:00000000"), std::string::npos);
}

// Guards against a stored swap mode that comes back without its timer, its
// boxes or its first swap step after a restart.
TEST(TrayBlackBox, SwapModeAndItsChoicesSurviveARestart) {
    TrayRun first("at 1 click RadioButton19\nat 1 click CheckBox80\nat 1 up VisTabSwapIntervalSpinButton\n", 3);
    TrayRun again("at 0.5 dump restarted.json\n", 1, first.path);
    EXPECT_TRUE(again.control("restarted.json", "Form1.Timer2")["enabled"].toBool());
    EXPECT_EQ(again.control("restarted.json", "Form1.Timer2")["interval"].toInt(), 6000);
    EXPECT_EQ(again.control("restarted.json", "Form1.Label134")["caption"].toString(), "Interval: 6 Seconds");
    EXPECT_TRUE(again.control("restarted.json", "Form1.CheckBox80")["checked"].toBool());
    EXPECT_FALSE(again.control("restarted.json", "Form1.CheckBox23")["enabled"].toBool());
    EXPECT_EQ(again.icon("restarted.json", "Form1.TrayIcon3"), "sensor1 35" + kDeg + " active")
        << "start-up's swap step after the first poll";
    EXPECT_EQ(again.icon("restarted.json", "Form1.TrayIcon1"), "sensor1 35" + kDeg + " hidden");
}
