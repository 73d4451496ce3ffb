// The alarm tests of a poll and the actions of an alarm that is due.
#include <gtest/gtest.h>

#include "alarm_harness.h"
#include "text/band.h"

namespace kvx::alarms {
namespace {

using test::AlarmHarness;

// Guards against the wrong comparison, a None sensor alarming, and an alarm that
// misses a reading above the gauge's scale.
TEST(TemperatureAlarm, IsDueFromTheThresholdUpForASensorInUse) {
    const struct {
        const char* what;
        float reading;
        bool inUse;
        bool alarms;
    } cases[] = {
        {"threshold reached exactly", 50.0f, true, true},
        {"one degree below", 49.0f, true, false},
        {"above the 60 degree scale", 71.0f, true, true},
        {"source None, however hot", 90.0f, false, false},
    };
    for (const auto& c : cases) {
        AlarmHarness h;
        h.positions[0] = c.reading;
        h.inUse[0] = c.inUse;
        h.checks.temperatureAlarms();
        EXPECT_EQ(h.host.messages.size(), c.alarms ? 1u : 0u) << c.what;
        EXPECT_EQ(h.settings.sensor(1).enable->checked(), !c.alarms) << c.what << ": one-shot";
    }
}

// Guards against polls running, and the speaker sounding on, after the warning window closed.
TEST(WarningWindow, StopsPollingWhileOpenAndSilencesTheSpeakerAfter) {
    AlarmHarness h;
    h.positions[0] = 55.0f;
    h.checks.temperatureAlarms();
    ASSERT_EQ(h.host.pollingWhileShown, std::vector<bool>{false});
    EXPECT_TRUE(h.polling) << "polling resumes when the window closes";
    EXPECT_EQ(h.speakerStarts, 1);
    EXPECT_GE(h.speakerStops, 1);

    AlarmHarness quiet;
    quiet.positions[0] = 55.0f;
    quiet.settings.sensor(1).showMessage->setChecked(false);
    quiet.writeWarnings = false;
    quiet.checks.temperatureAlarms();
    EXPECT_TRUE(quiet.host.messages.empty());
    EXPECT_TRUE(quiet.warningLog.empty()) << "the log gate is off";
    EXPECT_FALSE(quiet.settings.sensor(1).enable->checked());
}

// Guards against a rail on a band edge counting as out of band (2.8 V - 10 % computes to 2.5199999...).
TEST(VoltageBand, EdgesAreInBandOnEveryRail) {
    const struct {
        double nominal;
        double value;
        bool outside;
    } cases[] = {
        {2.8, 2.52, false},    {2.8, 3.08, false},    {2.8, 2.51, true},     {2.8, 3.09, true},
        {-12.0, -13.2, false}, {-12.0, -10.8, false}, {-12.0, -13.21, true}, {-12.0, -10.79, true},
        {-5.0, -5.5, false},   {-5.0, -4.5, false},   {-5.0, -5.51, true},   {-5.0, -4.49, true},
        {3.3, 2.97, false},    {3.3, 3.63, false},    {5.0, 5.5, false},     {12.0, 13.2, false},
    };
    for (const auto& c : cases) {
        double halfWidth = std::abs(c.nominal) / 100.0 * 10.0;
        EXPECT_EQ(acquisition::outsideBand(c.value, c.nominal, halfWidth), c.outside)
            << c.value << " V at " << c.nominal;
    }
}

// Guards against a second rail alarming in the same poll after the shared flag went off.
TEST(VoltageAlarm, OneAlarmPerPollUnlessReEnabledFromTheWindow) {
    AlarmHarness h;
    h.checks.voltageOutOfBand("Core Voltage", 3.2);
    h.checks.voltageOutOfBand("-5 Voltage", -4.4);
    ASSERT_EQ(h.host.messages.size(), 1u);
    EXPECT_EQ(h.host.messages[0],
              "Voltage Alarm for Core Voltage\n\rThis unit is more then 10% off, and reached the value of: 3.20 Volt."
              "\n\r\n\rPlease go to the Voltage tab to turn this Alarm on again.");
    EXPECT_EQ(h.warningLog, std::vector<std::string>{"WARNING: Core Voltage has reached: 3.20V"});
    EXPECT_FALSE(h.settings.voltage().enable->checked());

    AlarmHarness again;
    again.host.answer = "&Enable Alarm";
    again.checks.voltageOutOfBand("Core Voltage", 3.2);
    again.checks.voltageOutOfBand("-12 Voltage", -11.9);
    EXPECT_EQ(again.host.messages.size(), 2u);
    EXPECT_EQ(again.warningLog.back(), "WARNING: -12 Voltage has reached: -11.90V");
}

// Guards against the ignore count not restarting after an in-band poll.
TEST(FanAlarm, IgnoresConsecutiveOutOfBandPollsUpToTheCount) {
    AlarmHarness h;
    h.settings.fan(1).enable->setChecked(true);
    h.settings.setFanRpm(1, 2000);
    const double out = 2500, in = 2200;  // 2200 is on the 10 % edge: in band
    int poll = 0;
    for (double rpm : {out, out, out, out, in, out, out, out, out}) {
        h.fanPoll({rpm, 0, 0});
        ++poll;
        EXPECT_TRUE(h.host.messages.empty()) << "poll " << poll;
    }
    h.fanPoll({out, 0, 0});
    ASSERT_EQ(h.host.messages.size(), 1u) << "the fifth consecutive out-of-band poll after the reset";
    EXPECT_EQ(h.host.messages[0],
              "Fan Alarm for Fan 1, this Fan is more then 10% off the user defined value of 2000, and has reached the "
              "value of: 2500 RPM.");
    EXPECT_EQ(h.checks.alarmSource(), AlarmSource::Fan1);
    EXPECT_FALSE(h.settings.fan(1).enable->checked());
}

// Guards against a stopped fan waiting out the ignore count, or alarming at every poll.
TEST(FanAlarm, NotAvailableAlarmsAtOnceWithZeroRpm) {
    for (int count : {0, 1, 5, 50}) {
        AlarmHarness h;
        h.settings.setIgnoreCount(count);
        h.settings.fan(3).enable->setChecked(true);
        h.fanPoll({0, 0, 0}, {true, true, false});
        h.fanPoll({0, 0, 0}, {true, true, false});
        ASSERT_EQ(h.host.messages.size(), 1u) << "ignore count " << count;
        EXPECT_TRUE(h.host.messages[0].ends_with("and has reached the value of: 0 RPM.")) << h.host.messages[0];
        EXPECT_EQ(h.warningLog, std::vector<std::string>{"WARNING: Fan 3 has reached: 0 RPM"});
        EXPECT_FALSE(h.settings.fan(3).enable->checked());
    }
}

// Guards against fan tests running while the poll timer is stopped, and against the
// default fan settings (0 RPM, alarm off) raising anything.
TEST(FanAlarm, SilentWhenOffOrNotPolling) {
    AlarmHarness h;
    h.settings.setIgnoreCount(0);
    h.fanPoll({3000, 3000, 3000}, {true, true, false});
    EXPECT_TRUE(h.host.messages.empty()) << "off by default";
    h.settings.fan(3).enable->setChecked(true);
    h.polling = false;
    h.fanPoll({3000, 3000, 3000}, {true, true, false});
    EXPECT_TRUE(h.host.messages.empty()) << "not polling";
    h.polling = true;
    h.settings.fan(2).enable->setChecked(true);
    h.fanPoll({3000, 3000, 3000});
    EXPECT_EQ(h.host.messages.size(), 2u) << "fans 2 and 3: a user RPM of 0 puts a turning fan out of band";
}

}  // namespace
}  // namespace kvx::alarms
