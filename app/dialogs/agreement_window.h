#pragma once
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// "Korvex Agreement" (`Form3`): the terms of use, asked once on the first run.
// "&Yes" accepts them. "&No" declines; so does closing the window by its close
// box, since a program whose terms were not accepted must not go on to run.
class AgreementWindow {
public:
    AgreementWindow();

    ui::Window& window() { return window_; }
    // Shows the agreement modally; true when it was accepted with "&Yes".
    bool ask();
    // Set while the agreement is open or was closed without "&Yes".
    bool pending() const { return pending_; }
    bool accepted() const { return accepted_; }

    static constexpr const char* kDisclaimer =
        "Korvex is provided as is, without any warranty, express or implied. Reading the sensor "
        "chips means talking to your motherboard's hardware directly. The author is not liable for "
        "any damage to your hardware, software or data that comes from the use of this program, nor "
        "for readings that are wrong or alarms that do not sound. Do you accept these terms?";

private:
    ui::Window window_{"Form3"};
    bool pending_ = false;
    bool accepted_ = false;
};

}  // namespace kvx::app
