#pragma once
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// "Startup Info" (`Form9`): the first window of a first run. It tells which
// chips the program is about to reach and that the readings may be wrong.
class StartupInfoWindow {
public:
    StartupInfoWindow();

    ui::Window& window() { return window_; }
    // Shows the window modally; returns when it has closed.
    void show() { window_.showModal(); }

    static constexpr const char* kText =
        "Korvex will now try to access the LM78, LM79 or Winbond W83781D chip and the LM75 "
        "sensor on your motherboard. There is no guarantee that this will succeed. If a chip is "
        "not there, or sits at another than its default location, its readings will be bogus.";

private:
    ui::Window window_{"Form9"};
};

}  // namespace kvx::app
