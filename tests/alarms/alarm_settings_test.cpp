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
        {"VoltTabPercentSpinButton", false, "Label17", "Sound Alarm at: 0.5% off"},
        {"VoltTabPercentSpinButton", true, "Label17", "Sound Alarm at: 20% off"},
        {"FanTabIgnoreSpinButton", false, "Label110", "Ignore Fan Alarm 0 Times"},
        {"FanTabIgnoreSpinButton", true, "Label110", "Ignore Fan Alarm 50 Times"},
        {"FanTabFan2PercentSpinButton", false, "Label79", "Sound Alarm at: 0% off"},
        {"FanTabFan2PercentSpinButton", true, "Label79", "Sound Alarm at: 50% off"},
        {"FanTabFan1RpmSpinButton", false, "Label75", "0 RPM"},
        {"FanTabFan1RpmSpinButton", true, "Label75", "32000 RPM"},
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
    EXPECT_EQ(label(h, "Label3").caption(),
              "60\xC2\xB0"
              "C");
    EXPECT_EQ(label(h, "Label4").caption(),
              "140\xC2\xB0"
              "F");
    press(h, "AlarmTabSensor1ThresholdSpinButton", false, 30);
    EXPECT_EQ(h.settings.threshold(1), 42) << "the last step takes it just below the reading";

    press(h, "AlarmTabSensor1ScaleSpinButton", false, 30);
    EXPECT_EQ(h.scales[0], 42.0f) << "lowered only while above the reading";
    EXPECT_EQ(label(h, "Label1").caption(),
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

// Guards against a Select button that loses the old path on cancel, sets the
// wrong group's path or label, asks for the wrong kind of file, or leaves its
// action switched off; and a path label that shows the folders.
TEST(AlarmSettings, SelectFileAndSelectWaveSetThePathLabelAndAction) {
    struct Case {
        const char* button;
        const char* label;
        const char* box;
        platform::FileChoice kind;
    };
    const Case cases[] = {
        {"AlarmTabSensor1SelectFileButton", "Label21", "CheckBox5", platform::FileChoice::Program},
        {"AlarmTabSensor2SelectWaveButton", "Label26", "CheckBox18", platform::FileChoice::Wave},
        {"AlarmTabSensor3SelectFileButton", "Label40", "CheckBox57", platform::FileChoice::Program},
        {"VoltTabSelectWaveButton", "Label27", "CheckBox19", platform::FileChoice::Wave},
        {"FanTabFan1SelectFileButton", "Label81", "CheckBox31", platform::FileChoice::Program},
        {"FanTabFan3SelectWaveButton", "Label86", "CheckBox36", platform::FileChoice::Wave},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        AlarmHarness h;
        std::optional<std::string> answer = "/home/ann/alarms/siren.wav";
        std::vector<std::pair<platform::FileChoice, std::string>> asked;
        h.settings.chooseFile = [&](platform::FileChoice kind, const std::string& start) {
            asked.emplace_back(kind, start);
            return answer;
        };
        auto& button = h.form.require<ui::Button>(c.button);
        auto& box = h.form.require<ui::CheckBox>(c.box);
        box.setChecked(false);
        button.click();
        EXPECT_EQ(label(h, c.label).caption(), "siren.wav");
        EXPECT_TRUE(box.checked());
        // Cancelled: the path stays, the box is ticked again, and the dialog started at the old file.
        box.setChecked(false);
        answer.reset();
        button.click();
        EXPECT_EQ(label(h, c.label).caption(), "siren.wav");
        EXPECT_TRUE(box.checked());
        ASSERT_EQ(asked.size(), 2u);
        EXPECT_EQ(asked[0], std::make_pair(c.kind, std::string()));
        EXPECT_EQ(asked[1], std::make_pair(c.kind, std::string("/home/ann/alarms/siren.wav")));
    }
    // Cancelled with no path yet: the label is emptied (not "[none]") and the
    // next alarm skips the play step, as the file does not exist.
    AlarmHarness h;
    h.settings.chooseFile = [](platform::FileChoice, const std::string&) { return std::nullopt; };
    h.form.require<ui::Button>("AlarmTabSensor1SelectWaveButton").click();
    EXPECT_EQ(label(h, "Label25").caption(), "");
    EXPECT_TRUE(h.form.require<ui::CheckBox>("CheckBox17").checked());
    EXPECT_EQ(h.settings.sensor(1).wavePath, "");
    // A path label shows the file name alone, also of a Windows path, or "[none]".
    h.settings.setProgramPath(h.settings.fan(1), "C:\\tools\\alarm.bat");
    EXPECT_EQ(label(h, "Label81").caption(), "alarm.bat");
    h.settings.setProgramPath(h.settings.fan(1), "");
    EXPECT_EQ(label(h, "Label81").caption(), "[none]");
}

}  // namespace
}  // namespace kvx::alarms
