#pragma once
#include <functional>

#include "platform/scheduler.h"
#include "ui/model/controls.h"
#include "ui/model/timer.h"
#include "ui/model/window.h"

namespace kvx::alarms {

// "Countdown to SHDN! Launch..." (`CountdownForm`): the modal window shown
// before the shutdown program is launched. Its one-second timer fills the
// progress bar; when the bar is full the window closes and the launch follows.
// "&Pause" stops and resumes the count, "&Cancel" calls onCancel (which turns
// the shutdown launch off) and "&Launch SHDN!" ends the count at once. The PC
// speaker sounds while the count runs.
class CountdownWindow {
public:
    static constexpr int kWidth = 419;
    static constexpr int kHeight = 104;
    static constexpr int kTickMs = 1000;

    CountdownWindow(platform::Scheduler& scheduler, std::function<void()> startSpeaker,
                    std::function<void()> stopSpeaker);

    ui::Window& window() { return window_; }
    ui::ProgressBar& progress() { return progress_; }
    ui::Timer& timer() { return timer_; }
    ui::Button& launchButton() { return launch_; }
    ui::Button& pauseButton() { return pause_; }
    ui::Button& cancelButton() { return cancel_; }

    // Shows the window modally with `message`, counting `countdownMs`; returns when it has closed.
    // True when the count ran out or "&Launch SHDN!" was pressed; false when
    // cancelled or when the window was closed otherwise (the program ending).
    bool run(const std::string& message, int countdownMs);

    std::function<void()> onCancel;

private:
    void tick();
    void pauseClick();
    void stopAll();

    ui::Window window_{"CountdownForm"};
    ui::Label& message_;
    ui::ProgressBar& progress_;
    ui::Button& launch_;
    ui::Button& pause_;
    ui::Button& cancel_;
    ui::Timer& timer_;
    std::function<void()> startSpeaker_;
    std::function<void()> stopSpeaker_;
    bool launchDue_ = false;
};

}  // namespace kvx::alarms
