#pragma once
#include <cstdint>
#include <functional>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// "1st Time Information" (`Form6`): the last window of a first run. It tells
// where the program goes now and which sensors suit the chip that was found.
class FirstTimeInformationWindow {
public:
    // `chipId` is asked each time the window opens (GetChipID: 0x10 Winbond W83781D, 0x2D LM78/LM79).
    explicit FirstTimeInformationWindow(std::function<int32_t()> chipId);

    ui::Window& window() { return window_; }
    // Shows the window modally; returns when it has closed.
    void show() { window_.showModal(); }

    // The advice for a chip identifier.
    static const char* chipAdvice(int32_t chipId);

    static constexpr int32_t kWinbondW83781D = 0x10;
    static constexpr int32_t kLM78 = 0x2D;
    static constexpr const char* kTrayText =
        "Korvex will now go to the system tray. A right click on its icon there opens a menu; "
        "the menu command Show && Expand opens the settings.";

private:
    std::function<int32_t()> chipId_;
    ui::Window window_{"Form6"};
    ui::Label& tray_;
    ui::Label& advice_;
};

}  // namespace kvx::app
