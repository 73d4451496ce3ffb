#pragma once
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// "About Korvex" (`Form4`): the version, acknowledgements and legal notes,
// closed with "&Close". Always on top; the modal host centres it.
class AboutWindow {
public:
    AboutWindow();

    ui::Window& window() { return window_; }
    // Shows the window modally; returns when it has closed.
    void show() { window_.showModal(); }

    static constexpr const char* kNotes =
        "Korvex watches the temperatures, voltages and fans that your machine's sensor chips report.\n\n"
        "Thanks to everyone who wrote and maintains the Linux hardware-monitoring drivers and the "
        "sensor library, and to the people who tested Korvex on their boards.\n\n"
        "Korvex is provided as is, without any warranty. Readings depend on the chips and their "
        "drivers and may be wrong; do not rely on them alone to protect your hardware.";

private:
    ui::Window window_{"Form4"};
};

}  // namespace kvx::app
