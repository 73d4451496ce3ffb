#include "ui/model/timer.h"

namespace kvx::ui {

Timer::Timer(std::string name, platform::Scheduler& scheduler)
    : Control(ControlKind::Timer, std::move(name)), scheduler_(scheduler) {
    // A timer is created stopped; its owner enables it when its work may begin.
    Control::setEnabled(false);
}

Timer::~Timer() {
    if (pending_) scheduler_.cancel(pending_);
}

void Timer::setInterval(int ms) {
    if (ms < 0) ms = 0;
    if (interval_ == ms) return;
    interval_ = ms;
    restart();
    changed();
}

void Timer::setEnabled(bool enabled) {
    if (this->enabled() == enabled) return;
    Control::setEnabled(enabled);
    restart();
}

void Timer::restart() {
    if (pending_) scheduler_.cancel(pending_);
    pending_ = 0;
    if (enabled() && interval_ > 0)
        pending_ = scheduler_.schedule(scheduler_.nowMs() + interval_, platform::TaskPriority::Timer,
                                       [this] { tick(); });
}

void Timer::tick() {
    pending_ = scheduler_.schedule(scheduler_.nowMs() + interval_, platform::TaskPriority::Timer, [this] { tick(); });
    if (onTimer) onTimer();
}

void Timer::describe(PropertySink& sink) const {
    sink.text("kind", kindName(kind()));
    sink.boolean("enabled", enabled());
    sink.integer("interval", interval_);
}

}  // namespace kvx::ui
