#pragma once
#include <functional>

#include "acquisition/sensor_library.h"
#include "platform/scheduler.h"
#include "ui/model/timer.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// The poll timer and its interval setting. The poll itself runs every
// interval while polling; handlers that change a reading setting poll at once,
// but only while polling.
class PollCycle {
public:
    static constexpr int kDefaultIntervalMs = 10000;
    static constexpr int kMinIntervalMs = 1000;
    static constexpr int kMaxIntervalMs = 60000;
    static constexpr int kIntervalStepMs = 1000;

    // Creates Timer1 on `form` and the interval label and spin button in `panel`.
    PollCycle(ui::Window& form, ui::Control* panel, platform::Scheduler& scheduler, SensorLibrary& library);

    // One poll.
    void Timer1Timer();
    // Polls at once when polling is active.
    void pollNow();
    bool polling() const { return timer1_.enabled(); }

    int intervalMs() const { return timer1_.interval(); }
    void setIntervalMs(int ms);
    int pollsRun() const { return pollsRun_; }

    void GenTabIntervalSpinButtonUpClick();
    void GenTabIntervalSpinButtonDownClick();

    ui::Timer& Timer1() { return timer1_; }

private:
    void updateIntervalLabel();

    SensorLibrary& library_;
    ui::Timer& timer1_;
    ui::Label& intervalLabel_;
    ui::SpinButton& intervalSpin_;
    int pollsRun_ = 0;
};

}  // namespace kvx::acquisition
