#pragma once
#include "platform/scheduler.h"
#include "ui/model/controls.h"

namespace kvx::ui {

// A repeating timer on a window. While enabled (and with an interval above 0)
// it runs onTimer every `interval` ms. Enabling it, or changing its interval,
// starts the count afresh, as a window toolkit's timer does. The next tick is
// scheduled before the handler runs, so a handler that shows a modal window
// does not stop the timer; a handler may disable the timer or change its
// interval, and that takes effect at once.
class Timer : public Control {
public:
    Timer(std::string name, platform::Scheduler& scheduler);
    ~Timer() override;

    Handler onTimer;
    int interval() const { return interval_; }
    void setInterval(int ms);
    void setEnabled(bool enabled) override;

    void describe(PropertySink& sink) const override;

private:
    void restart();
    void tick();

    platform::Scheduler& scheduler_;
    int interval_ = 1000;
    platform::TaskId pending_ = 0;
};

}  // namespace kvx::ui
