// The PC speaker of an alarm, in virtual time: it sounds only while the warning window is open.
#include <gtest/gtest.h>

#include "alarm_harness.h"
#include "alarms/pc_speaker.h"
#include "platform/fake/virtual_scheduler.h"

namespace kvx::alarms {
namespace {

// Keeps the warning window open for `openMs` of virtual time, then dismisses it.
class TimedHost final : public ui::ModalHost {
public:
    TimedHost(platform::Scheduler& scheduler, int64_t openMs) : scheduler_(scheduler), openMs_(openMs) {}
    void showModal(ui::Window& window) override {
        scheduler_.runUntil([] { return false; }, scheduler_.nowMs() + openMs_);
        window.require<ui::Button>("Button2").click();
    }

private:
    platform::Scheduler& scheduler_;
    int64_t openMs_;
};

struct SpeakerRun {
    platform::fake::VirtualScheduler scheduler;
    test::AlarmHarness alarms;
    std::vector<std::string> tones;
    PcSpeaker speaker{alarms.form, nullptr, scheduler,
                      [this](int pitch) { tones.push_back("on " + std::to_string(pitch)); },
                      [this] { tones.emplace_back("off"); }};
    TimedHost host{scheduler, 2100};

    SpeakerRun() {
        alarms.checks.services().startSpeakerTimer = [this] { speaker.startTimer(); };
        alarms.checks.services().stopSpeaker = [this] { speaker.stop(); };
        alarms.warning.window().setModalHost(&host);
        alarms.positions[0] = 55.0f;
    }
};

// Guards against a tone that goes on without the warning window, or keeps sounding after it closed.
TEST(PcSpeaker, AlternatesWhileTheWarningIsOpenAndIsSilentAfter) {
    SpeakerRun run;
    run.alarms.checks.temperatureAlarms();
    // Ticks at 500, 1000, 1500, 2000 ms: off, on, off, on; then the window closes and the action ends.
    const std::vector<std::string> open = {"off", "on 500", "off", "on 500"};
    ASSERT_GE(run.tones.size(), open.size() + 1);
    EXPECT_EQ(std::vector<std::string>(run.tones.begin(), run.tones.begin() + 4), open);
    EXPECT_EQ(run.tones.back(), "off");
    EXPECT_FALSE(run.speaker.Timer4().enabled());
    size_t after = run.tones.size();
    run.scheduler.runUntil([] { return false; }, run.scheduler.nowMs() + 3000);
    EXPECT_EQ(run.tones.size(), after) << "no tick after the alarm";

    SpeakerRun quiet;
    quiet.alarms.settings.sensor(1).showMessage->setChecked(false);
    quiet.alarms.settings.sensor(1).pcSpeaker->setChecked(true);
    quiet.alarms.checks.temperatureAlarms();
    quiet.scheduler.runUntil([] { return false; }, quiet.scheduler.nowMs() + 3000);
    for (const std::string& tone : quiet.tones) EXPECT_EQ(tone, "off") << "Show Msg off: no tone at all";
}

// Guards against a Test button that beeps on a click only, keeps sounding after
// the release, or ignores the pitch chosen on the track bar.
TEST(PcSpeaker, TestSoundsWhileHeldAtTheChosenPitch) {
    SpeakerRun run;
    auto& test = run.alarms.form.require<ui::Button>("GenTabPCFreqTestButton");
    EXPECT_EQ(test.caption(), "Test");
    run.speaker.pitchTrackBar().setPosition(1200);
    test.press();
    EXPECT_EQ(run.tones, std::vector<std::string>{"on 1200"});
    run.scheduler.runUntil([] { return false; }, run.scheduler.nowMs() + 2000);
    EXPECT_EQ(run.tones, std::vector<std::string>{"on 1200"}) << "held: the tone goes on, without ticks";
    test.release();
    test.click();
    EXPECT_EQ(run.tones, (std::vector<std::string>{"on 1200", "off"}));
}

}  // namespace
}  // namespace kvx::alarms
