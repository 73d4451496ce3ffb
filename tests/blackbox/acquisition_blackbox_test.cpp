// Scenario runs of korvex in virtual time, checked against figures worked out by hand.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "run_program.h"

using namespace kvx::test;

namespace {

QString caption(const QJsonObject& dump, const char* name) {
    return dump["controls"].toObject()[name].toObject()["caption"].toString();
}

// Runs korvex headless in virtual time for `seconds` on the simulated board of
// data/<name>-board.txt with the script data/<name>-script.txt; the dump at the end.
QJsonObject runScenario(const std::string& name, int seconds) {
    std::string folder = makeTempFolder();
    std::string dumpFile = folder + "/dump.json";
    auto run = runKorvex({"--headless", "--virtual-time", "--run-for", std::to_string(seconds), "--config-dir",
                          folder + "/config", "--program-folder", folder + "/program", "--sensor-library",
                          std::string(KVX_BIN_DIR) + "/libkvx-sim.so", "--scenario",
                          std::string(KVX_TEST_DATA_DIR) + "/" + name + "-board.txt", "--script",
                          std::string(KVX_TEST_DATA_DIR) + "/" + name + "-script.txt", "--dump", dumpFile});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dumpFile))).object();
}

}  // namespace

// Polls: start-up's poll is cleared by the reset after it; the two source
// choices at the start poll twice each (4 polls at 0.2 s); the timer then
// polls at 10.2 s, 20.2 s ... 1790.2 s (179 polls): 183 in all, of which 63
// fall in the first ten minutes, 60 in the second and 60 in the third.
TEST(AcquisitionBlackBox, HalfAnHourOfPollingGivesTheFiguresWorkedOutByHand) {
    const QJsonObject dump = runScenario("half-hour", 1800);
    ASSERT_FALSE(dump.isEmpty());
    auto gauge = [&](const char* name) { return dump["controls"].toObject()[name].toObject(); };

    EXPECT_EQ(gauge("Form1.VUMeterWB1")["centerLabel"].toString(), "35°C");
    EXPECT_EQ(gauge("Form1.VUMeterLM75")["centerLabel"].toString(), "45°C");
    EXPECT_EQ(gauge("Form1.VUMeterWB2")["centerLabel"].toString(), "40°C") << "40.5 rounds to the even 40";
    EXPECT_EQ(gauge("Form1.VUMeterWB1")["position"].toDouble(), 35.0);
    EXPECT_EQ(gauge("Form1.VUMeterWB1")["scale"].toDouble(), 60.0);

    struct Text {
        const char* control;
        const char* expected;
    };
    const Text texts[] = {
        {"Form1.Label10", ": 2.85"},
        {"Form1.Label9", ": 3.30"},
        {"Form1.Label5", ": 5.00"},
        {"Form1.Label6", ": -5.00"},
        {"Form1.Label7", ": 12.00"},
        {"Form1.Label8", ": -12.00"},
        {"Form1.FMFan1RPMLabel", "4200"},
        {"Form1.FMFan2RPMLabel", "4300"},
        {"Form1.FMFan3RPMLabel", "not available"},
        {"Form1.UDTabPollsLabel", "Number of Polls: 183"},
        // (63·30 + 60·40 + 60·35) / 183 = 34.918
        {"Form1.UDTabWB1LowestLabel", "30"},
        {"Form1.UDTabWB1HighestLabel", "40"},
        {"Form1.UDTabWB1AverageLabel", "34.92"},
        {"Form1.UDTabLM75LowestLabel", "45"},
        {"Form1.UDTabLM75AverageLabel", "45.00"},
        // Sensor 3 read None (0.0) in sensor 2's two polls before its own source was chosen: 7240 / 183.
        {"Form1.UDTabWB2LowestLabel", "40"},
        {"Form1.UDTabWB2AverageLabel", "39.56"},
        // (63·2.80 + 60·2.90 + 60·2.85) / 183 = 2.849
        {"Form1.UDTabCoreLowestLabel", "2.80"},
        {"Form1.UDTabCoreHighestLabel", "2.90"},
        {"Form1.UDTabCoreAverageLabel", "2.85"},
        {"Form1.UDTabP33AverageLabel", "3.32"},
        {"Form1.UDTabP5LowestLabel", "4.98"},
        {"Form1.UDTabP5AverageLabel", "5.00"},
        {"Form1.UDTabP12HighestLabel", "12.20"},
        {"Form1.UDTabP12AverageLabel", "12.10"},
        // Negative rails: lowest nearest zero, highest farthest.
        {"Form1.UDTabN12LowestLabel", "-11.90"},
        {"Form1.UDTabN12HighestLabel", "-12.10"},
        {"Form1.UDTabN12AverageLabel", "-12.00"},
        {"Form1.UDTabN5LowestLabel", "-4.95"},
        {"Form1.UDTabN5HighestLabel", "-5.01"},
        {"Form1.UDTabN5AverageLabel", "-4.99"},
        // 775500 / 183 and 799200 / 183
        {"Form1.UDTabFan1LowestLabel", "4000"},
        {"Form1.UDTabFan1HighestLabel", "4500"},
        {"Form1.UDTabFan1AverageLabel", "4237.70"},
        {"Form1.UDTabFan2AverageLabel", "4367.21"},
        {"Form1.UDTabFan3AverageLabel", "0"},
    };
    for (const Text& t : texts) EXPECT_EQ(caption(dump, t.control).toStdString(), t.expected) << t.control;
}

// Guards against a reading above the gauge's scale being dropped, leaving the temperature of an earlier poll.
TEST(AcquisitionBlackBox, AReadingAboveTheScaleIsShownAndCountedWithTheNeedleAtFullScale) {
    const QJsonObject dump = runScenario("above-scale", 100);
    ASSERT_FALSE(dump.isEmpty());
    auto gauge = dump["controls"].toObject()["Form1.VUMeterWB1"].toObject();

    // Position above scale: the drawn needle stops at the right end (checked in pixels by the gauge view tests).
    EXPECT_EQ(gauge["position"].toDouble(), 71.0);
    EXPECT_EQ(gauge["scale"].toDouble(), 60.0);
    EXPECT_EQ(gauge["centerLabel"].toString(), "71°C");

    // Polls at 10.2 .. 50.2 s read 35, those at 60.2 .. 90.2 s read 71: (5·35 + 4·71) / 9 = 51.
    const struct {
        const char* control;
        const char* expected;
    } texts[] = {
        {"Form1.UDTabWB1LowestLabel", "35"},           {"Form1.UDTabWB1HighestLabel", "71"},
        {"Form1.UDTabWB1AverageLabel", "51.00"},       {"Form1.MB", "Sensor 1: 71°C"},
        {"Form8.CurrentLabel", "Current Value: 71°C"}, {"Form8.HighestLabel", "Highest value: 71"},
    };
    for (const auto& t : texts) EXPECT_EQ(caption(dump, t.control).toStdString(), t.expected) << t.control;
}
