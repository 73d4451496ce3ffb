#include "alarms/pc_speaker.h"

#include <utility>

namespace kvx::alarms {

PcSpeaker::PcSpeaker(ui::Window& form, ui::Control* panel, platform::Scheduler& scheduler,
                     std::function<void(int pitch)> start, std::function<void()> stop)
    : timer_(form.add<ui::Timer>(nullptr, "Timer4", scheduler)),
      pitch_(form.add<ui::TrackBar>(panel, "GenTabPCFreqTrackBar")),
      start_(std::move(start)),
      stop_(std::move(stop)) {
    timer_.setInterval(kTickMs);
    timer_.onTimer = [this] { Timer4Timer(); };
    pitch_.minimum = kMinPitch;
    pitch_.maximum = kMaxPitch;
    pitch_.setPosition(kDefaultPitch);
    pitch_.setBounds({8, 150, 150, 25});
    auto& pitchLabel = form.add<ui::Label>(panel, "GenTabPCFreqLabel");
    pitchLabel.setCaption("PC Speaker Freq:");
    pitchLabel.setBounds({8, 134, 100, 13});
    // "Test": the tone sounds while the mouse button is held on it.
    auto& test = form.add<ui::Button>(panel, "GenTabPCFreqTestButton");
    test.setCaption("Test");
    test.setBounds({166, 150, 50, 25});
    test.onPress = [this] { StartSound(); };
    test.onRelease = [this] { StopSound(); };
}

void PcSpeaker::stop() {
    timer_.setEnabled(false);
    StopSound();
}

void PcSpeaker::Timer4Timer() {
    // Half a second on, half a second off.
    phase_ = !phase_;
    if (!phase_) StartSound();
    else StopSound();
}

}  // namespace kvx::alarms
