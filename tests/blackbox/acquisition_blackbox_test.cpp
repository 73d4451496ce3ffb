// A scenario run of korvex in virtual time, checked against figures worked out by hand.
#include <gtest/gtest.h>

#include "blackbox.h"

using namespace kvx::test;

// Polls: start-up's poll is cleared by the reset after it; the two source
// choices at the start poll twice each (4 polls at 0.2 s); the timer then
// polls at 10.2 s, 20.2 s ... 1790.2 s (179 polls): 183 in all, of which 63
// fall in the first ten minutes, 60 in the second and 60 in the third.
TEST(AcquisitionBlackBox, HalfAnHourOfPollingGivesTheFiguresWorkedOutByHand) {
    ScenarioRun r("half-hour", "1800");
    ASSERT_EQ(r.run.exitCode, 0) << r.run.err;
    const QJsonObject dump = r.dump();
    EXPECT_EQ(control(dump, "Form1.VUMeterWB1")["centerLabel"].toString(), "35°C");
    EXPECT_EQ(control(dump, "Form1.VUMeterLM75")["centerLabel"].toString(), "45°C");
    EXPECT_EQ(control(dump, "Form1.VUMeterWB2")["centerLabel"].toString(), "40°C") << "40.5 rounds to the even 40";
    EXPECT_EQ(control(dump, "Form1.VUMeterWB1")["position"].toDouble(), 35.0);
    EXPECT_EQ(control(dump, "Form1.VUMeterWB1")["scale"].toDouble(), 60.0);

    const std::pair<const char*, const char*> texts[] = {
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
    for (auto [name, expected] : texts) EXPECT_EQ(caption(dump, name).toStdString(), expected) << name;
}
