#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "acquisition/sensor_library.h"
#include "platform/message_box.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// The splash window `Splash1`: the logo from the sensor library and the
// version, or on the first of January a greeting instead. Shown while the
// main window is created.
class Splash {
public:
    Splash();
    ui::Window& window() { return window_; }

    // Fills the window for `today` and shows it. Without a usable library the
    // message "Error loading DLL" is shown first (not on the first of January,
    // when no logo is wanted).
    void show(std::chrono::year_month_day today, acquisition::SensorLibrary& library, platform::MessageBoxes& messages);
    void close() { window_.setVisible(false); }

    static constexpr const char* kLoadError = "Error loading DLL";

private:
    ui::Window window_{"Splash1"};
    ui::Panel& panel_;
    ui::Image& logo_;
    ui::Label& version_;
    ui::Panel& greetingPanel_;
    ui::Label& greeting_;
    ui::Label& thanks_;
};

}  // namespace kvx::app
