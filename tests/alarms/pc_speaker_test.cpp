// The PC speaker of an alarm and its Test button, in virtual time. The tones
// while a warning window is open are followed in a run of the real program.
#include <gtest/gtest.h>

#include "alarm_harness.h"
#include "alarms/pc_speaker.h"
#include "platform/fake/virtual_scheduler.h"

namespace kvx::alarms {
namespace {

struct SpeakerRun {
    platform::fake::VirtualScheduler scheduler;
    test::AlarmHarness alarms;
    std::vector<std::string> tones;
    PcSpeaker speaker{alarms.form, nullptr, scheduler,
                      [this](int pitch) { tones.push_back("on " + std::to_string(pitch)); },
                      [this] { tones.emplace_back("off"); }};

    void runFor(int64_t ms) {
        scheduler.runUntil([] { return false; }, scheduler.nowMs() + ms);
    }
};

// Guards against a tone without the warning window (Show Msg off), and a Test
// button that beeps on a click only, keeps sounding after the release, or
// ignores the pitch chosen on the track bar.
TEST(PcSpeaker, SilentWithoutTheWarningAndTestSoundsWhileHeldAtTheChosenPitch) {
    SpeakerRun quiet;
    quiet.alarms.checks.services().startSpeakerTimer = [&quiet] { quiet.speaker.startTimer(); };
    quiet.alarms.checks.services().stopSpeaker = [&quiet] { quiet.speaker.stop(); };
    quiet.alarms.positions[0] = 55.0f;
    quiet.alarms.settings.sensor(1).showMessage->setChecked(false);
    quiet.alarms.settings.sensor(1).pcSpeaker->setChecked(true);
    quiet.alarms.checks.temperatureAlarms();
    quiet.runFor(3000);
    for (const std::string& tone : quiet.tones) EXPECT_EQ(tone, "off") << "Show Msg off: no tone at all";

    SpeakerRun run;
    auto& test = run.alarms.form.require<ui::Button>("GenTabPCFreqTestButton");
    run.speaker.pitchTrackBar().setPosition(1200);
    test.press();
    EXPECT_EQ(run.tones, std::vector<std::string>{"on 1200"});
    run.runFor(2000);
    EXPECT_EQ(run.tones, std::vector<std::string>{"on 1200"}) << "held: the tone goes on, without ticks";
    test.release();
    test.click();
    EXPECT_EQ(run.tones, (std::vector<std::string>{"on 1200", "off"}));
}

}  // namespace
}  // namespace kvx::alarms
