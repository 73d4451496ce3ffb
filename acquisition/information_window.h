#pragma once
#include <string>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// "Information" (`Form8`): a channel's present value, alarm setting and
// extremes, shown modally from the tray menu's Quick Check entries. Created
// once and refilled for every showing.
class InformationWindow {
public:
    InformationWindow();

    ui::Window& window() { return window_; }

    // Fills the six texts and shows the window; returns when it has closed.
    void ShowInfoLog(const std::string& title, const std::string& lowest, const std::string& highest,
                     const std::string& alarm, const std::string& current, bool alarmOn);

private:
    ui::Window window_{"Form8"};
    ui::Label& title_;
    ui::Label& current_;
    ui::Label& alarm_;
    ui::Label& alarmState_;
    ui::Label& lowest_;
    ui::Label& highest_;
};

}  // namespace kvx::acquisition
