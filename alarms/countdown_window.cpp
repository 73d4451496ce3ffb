#include "alarms/countdown_window.h"

#include <utility>

namespace kvx::alarms {

CountdownWindow::CountdownWindow(platform::Scheduler& scheduler, std::function<void()> startSpeaker,
                                 std::function<void()> stopSpeaker)
    : message_(window_.add<ui::Label>(nullptr, "Label1")),
      progress_(window_.add<ui::ProgressBar>(nullptr, "ProgressBar1")),
      launch_(window_.add<ui::Button>(nullptr, "Button1")),
      pause_(window_.add<ui::Button>(nullptr, "Button2")),
      cancel_(window_.add<ui::Button>(nullptr, "Button3")),
      timer_(window_.add<ui::Timer>(nullptr, "Timer1", scheduler)),
      startSpeaker_(std::move(startSpeaker)),
      stopSpeaker_(std::move(stopSpeaker)) {
    window_.setCaption("Countdown to SHDN! Launch...");
    window_.setBounds({0, 0, kWidth, kHeight});
    window_.stayOnTop = true;
    // Left alone, the window closes itself when the count runs out.
    window_.closesOnItsOwn = true;
    window_.add<ui::Image>(nullptr, "Image1").setBounds({8, 8, 32, 32});
    message_.setBounds({56, 8, 345, 41});
    progress_.setBounds({32, 56, 361, 10});
    launch_.setCaption("&Launch SHDN!");
    launch_.setBounds({72, 76, 81, 22});
    pause_.setCaption("&Pause");
    pause_.setBounds({168, 76, 81, 22});
    cancel_.setCaption("&Cancel");
    cancel_.setBounds({264, 76, 81, 22});
    timer_.setInterval(kTickMs);
    timer_.setEnabled(false);
    timer_.onTimer = [this] { tick(); };
    pause_.onClick = [this] { pauseClick(); };
    launch_.onClick = [this] {
        launchDue_ = true;
        window_.close(launch_.caption());
    };
    cancel_.onClick = [this] {
        if (onCancel) onCancel();
        window_.close(cancel_.caption());
    };
    window_.onShow = [this] {
        timer_.setEnabled(true);
        if (startSpeaker_) startSpeaker_();
    };
    // However the window closes, nothing of the count outlives it.
    window_.onClose = [this] { stopAll(); };
}

bool CountdownWindow::run(const std::string& message, int countdownMs) {
    launchDue_ = false;
    message_.setCaption(message);
    progress_.maximum = countdownMs;
    progress_.setPosition(0);
    pause_.setCaption("&Pause");
    window_.showModal();
    return launchDue_;
}

void CountdownWindow::tick() {
    int next = progress_.position() + kTickMs;
    progress_.setPosition(next);
    if (next < progress_.maximum) return;
    launchDue_ = true;
    window_.close();
}

void CountdownWindow::pauseClick() {
    if (timer_.enabled()) {
        timer_.setEnabled(false);
        pause_.setCaption("&Resume");
        if (stopSpeaker_) stopSpeaker_();
    } else {
        timer_.setEnabled(true);
        pause_.setCaption("&Pause");
        if (startSpeaker_) startSpeaker_();
    }
}

void CountdownWindow::stopAll() {
    timer_.setEnabled(false);
    if (stopSpeaker_) stopSpeaker_();
}

}  // namespace kvx::alarms
