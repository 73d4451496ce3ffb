#pragma once
#include <functional>

#include "ui/model/controls.h"
#include "ui/model/timer.h"
#include "ui/model/window.h"

namespace kvx::alarms {

// The PC speaker of an alarm: `Timer4` ticks every 500 ms while an alarm's
// warning window is open and switches the tone on and off in turn, at the
// pitch of the "PC Speaker Freq" track bar (a divisor of the 1193181 Hz clock).
class PcSpeaker {
public:
    static constexpr int kTickMs = 500;
    static constexpr int kMinPitch = 200;
    static constexpr int kMaxPitch = 3000;
    static constexpr int kDefaultPitch = 500;

    // Creates Timer4 on `form` and the pitch track bar in `panel`; `start` and
    // `stop` drive the speaker (the sensor library's calls).
    PcSpeaker(ui::Window& form, ui::Control* panel, platform::Scheduler& scheduler,
              std::function<void(int pitch)> start, std::function<void()> stop);

    ui::Timer& Timer4() { return timer_; }
    ui::TrackBar& pitchTrackBar() { return pitch_; }

    void startTimer() { timer_.setEnabled(true); }
    // Stops the timer and switches the tone off (StopSound).
    void stop();
    void StartSound() { start_(pitch_.position()); }
    void StopSound() { stop_(); }

private:
    void Timer4Timer();

    ui::Timer& timer_;
    ui::TrackBar& pitch_;
    std::function<void(int)> start_;
    std::function<void()> stop_;
    // Flipped on every tick and never reset, so a later alarm may begin with either half.
    bool phase_ = false;
};

}  // namespace kvx::alarms
