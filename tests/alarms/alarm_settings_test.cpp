// The alarm settings' spin buttons: their bounds and their labels.
#include <gtest/gtest.h>

#include "alarm_harness.h"

namespace kvx::alarms {
namespace {

using test::AlarmHarness;

ui::Label& label(AlarmHarness& h, const char* name) { return h.form.require<ui::Label>(name); }

void press(AlarmHarness& h, const char* spin, bool up, int times) {
    auto& button = h.form.require<ui::SpinButton>(spin);
    for (int i = 0; i < times; ++i) up ? button.up() : button.down();
}

// Guards against a spin button passing its bounds, or a label not following its value.
TEST(AlarmSpinButtons, StopAtTheirBoundsAndLabelTheValue) {
    const struct {
        const char* spin;
        bool up;
        const char* label;
        const char* text;
    } cases[] = {
        {"VoltTabPercentSpinButton", false, "VoltTabPercentLabel", "Sound Alarm at: 0.5% off"},
        {"VoltTabPercentSpinButton", true, "VoltTabPercentLabel", "Sound Alarm at: 20% off"},
        {"FanTabIgnoreSpinButton", false, "FanTabIgnoreLabel", "Ignore Fan Alarm 0 Times"},
        {"FanTabIgnoreSpinButton", true, "FanTabIgnoreLabel", "Ignore Fan Alarm 50 Times"},
        {"FanTabFan2PercentSpinButton", false, "FanTabFan2PercentLabel", "Sound Alarm at: 0% off"},
        {"FanTabFan2PercentSpinButton", true, "FanTabFan2PercentLabel", "Sound Alarm at: 50% off"},
        {"FanTabFan1RpmSpinButton", false, "FanTabFan1RpmLabel", "0 RPM"},
        {"FanTabFan1RpmSpinButton", true, "FanTabFan1RpmLabel", "32000 RPM"},
    };
    for (const auto& c : cases) {
        AlarmHarness h;
        press(h, c.spin, c.up, 400);
        EXPECT_EQ(label(h, c.label).caption(), c.text) << c.spin << (c.up ? " up" : " down");
    }
}

// Guards against the threshold passing the scale, or dropping far below the gauge's reading.
TEST(AlarmSpinButtons, ThresholdAndScaleFollowTheGauge) {
    AlarmHarness h;
    h.positions[0] = 42.5f;
    press(h, "AlarmTabSensor1ThresholdSpinButton", true, 30);
    EXPECT_EQ(h.settings.threshold(1), 60) << "raised only while below the 60 degree scale";
    EXPECT_EQ(label(h, "AlarmTabSensor1ThresholdCLabel").caption(),
              "60\xC2\xB0"
              "C");
    EXPECT_EQ(label(h, "AlarmTabSensor1ThresholdFLabel").caption(),
              "140\xC2\xB0"
              "F");
    press(h, "AlarmTabSensor1ThresholdSpinButton", false, 30);
    EXPECT_EQ(h.settings.threshold(1), 42) << "the last step takes it just below the reading";

    press(h, "AlarmTabSensor1ScaleSpinButton", false, 30);
    EXPECT_EQ(h.scales[0], 42.0f) << "lowered only while above the reading";
    EXPECT_EQ(label(h, "AlarmTabSensor1ScaleCLabel").caption(),
              "42\xC2\xB0"
              "C");
    press(h, "AlarmTabSensor1ScaleSpinButton", true, 3);
    EXPECT_EQ(h.scales[0], 45.0f);
}

// Guards against a PC Speaker box offered while its warning window is not shown.
TEST(AlarmSettings, ShowMsgDecidesWhetherPcSpeakerIsAvailable) {
    AlarmHarness h;
    for (AlarmActionBoxes* alarm : {&h.settings.sensor(3), &h.settings.voltage(), &h.settings.fan(2)}) {
        alarm->showMessage->setChecked(false);
        EXPECT_FALSE(alarm->pcSpeaker->enabled()) << alarm->showMessage->name();
        alarm->showMessage->setChecked(true);
        EXPECT_TRUE(alarm->pcSpeaker->enabled()) << alarm->showMessage->name();
    }
}

// Guards against a path label showing the folders, or nothing, for a path.
TEST(AlarmSettings, PathLabelsShowTheFileNameOrNone) {
    AlarmHarness h;
    h.settings.setProgramPath(h.settings.fan(1), "C:\\tools\\alarm.bat");
    h.settings.setWavePath(h.settings.fan(1), "/usr/share/sounds/bell.wav");
    EXPECT_EQ(label(h, "Label81").caption(), "alarm.bat");
    EXPECT_EQ(label(h, "Label82").caption(), "bell.wav");
    h.settings.setProgramPath(h.settings.fan(1), "");
    EXPECT_EQ(label(h, "Label81").caption(), "[none]");
}

}  // namespace
}  // namespace kvx::alarms
