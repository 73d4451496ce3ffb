#include "acquisition/poll_cycle.h"

#include <string>

namespace kvx::acquisition {

PollCycle::PollCycle(ui::Window& form, ui::Control* panel, platform::Scheduler& scheduler, SensorLibrary& library)
    : library_(library),
      timer1_(form.add<ui::Timer>(nullptr, "Timer1", scheduler)),
      intervalLabel_(form.add<ui::Label>(panel, "GenTabIntervalLabel")),
      intervalSpin_(form.add<ui::SpinButton>(panel, "GenTabIntervalSpinButton")) {
    intervalLabel_.setBounds({8, 96, 200, 13});
    intervalSpin_.setBounds({212, 92, 15, 20});
    timer1_.setInterval(kDefaultIntervalMs);
    timer1_.onTimer = [this] { Timer1Timer(); };
    intervalSpin_.onUpClick = [this] { GenTabIntervalSpinButtonUpClick(); };
    intervalSpin_.onDownClick = [this] { GenTabIntervalSpinButtonDownClick(); };
    updateIntervalLabel();
}

void PollCycle::Timer1Timer() {
    ++pollsRun_;
}

void PollCycle::pollNow() {
    if (polling()) Timer1Timer();
}

void PollCycle::setIntervalMs(int ms) {
    timer1_.setInterval(ms);
    updateIntervalLabel();
}

void PollCycle::GenTabIntervalSpinButtonUpClick() {
    if (intervalMs() < kMaxIntervalMs) setIntervalMs(intervalMs() + kIntervalStepMs);
}

void PollCycle::GenTabIntervalSpinButtonDownClick() {
    if (intervalMs() > kMinIntervalMs) setIntervalMs(intervalMs() - kIntervalStepMs);
}

void PollCycle::updateIntervalLabel() {
    intervalLabel_.setCaption("Check at Intervals of " + std::to_string(intervalMs() / 1000) + " seconds");
}

}  // namespace kvx::acquisition
