#pragma once
#include <functional>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::alarms {

// "Warning" (`WarningForm`): the modal message of an alarm with the buttons
// "&Enable Alarm" and "&Disable Alarm". Created once and refilled by every
// alarm that shows a message.
class WarningWindow {
public:
    static constexpr int kWidth = 417;
    static constexpr int kHeight = 104;

    WarningWindow();

    ui::Window& window() { return window_; }
    ui::Label& message() { return message_; }
    ui::Button& enableButton() { return enable_; }
    ui::Button& disableButton() { return disable_; }

private:
    ui::Window window_{"WarningForm"};
    ui::Label& message_;
    ui::Button& enable_;
    ui::Button& disable_;
};

}  // namespace kvx::alarms
