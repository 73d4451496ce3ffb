#pragma once
#include <functional>
#include <string>

#include "acquisition/sensor_library.h"
#include "text/number_text.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::acquisition {
class ChannelSettings;
}

namespace kvx::app {

// Access to the nominal core voltage that the main window keeps, so that a
// dialog edits the same value with the same rules.
struct CoreNominalEditing {
    std::function<void()> up;
    std::function<void()> down;
    std::function<double()> value;
    // "Core Voltage: " + value with 1 decimal + "Volt".
    std::function<std::string()> text;
};

// Editing through the main window's channel settings (its core voltage spin button's handlers).
CoreNominalEditing coreNominalEditingOf(acquisition::ChannelSettings& settings);

// "Korvex Startup Settings" (`Form2`): on the first run, which port reads the
// processor's core voltage and what its nominal value is.
class StartupSettingsWindow {
public:
    struct Inputs {
        // The seven rails; asked once each time the window opens.
        std::function<acquisition::RailVoltages()> readVoltages;
        // Without a chip the core voltage questions are hidden.
        bool chipPresent = true;
        acquisition::NumberFormat number;
        CoreNominalEditing coreNominal;
    };

    explicit StartupSettingsWindow(Inputs inputs);

    ui::Window& window() { return window_; }
    // Shows the window modally; returns when it has closed.
    void show() { window_.showModal(); }
    bool port1Chosen() const { return port1_.checked(); }

    // Runs when the window closes, however it closes: whether "Port 1" is chosen.
    std::function<void(bool port1)> onPortChosen;

    // "Port 0: 2.80Volt".
    static std::string portCaption(int port, double volts, const acquisition::NumberFormat& number);

private:
    void opened();
    void showCoreNominal();

    Inputs inputs_;
    ui::Window window_{"Form2"};
    ui::Label& version_;
    ui::Group& questions_;
    ui::RadioButton& port0_;
    ui::RadioButton& port1_;
    ui::Label& coreNominal_;
};

}  // namespace kvx::app
