#pragma once
#include <cstdint>
#include <functional>

#include "acquisition/sensor_library.h"
#include "app/dialogs/startup_settings_window.h"
#include "text/number_text.h"
#include "ui/model/window.h"

namespace kvx::app {

// What the first-run dialogs need from the program.
struct FirstRunInputs {
    ui::ModalHost* modalHost = nullptr;  // required: shows each dialog
    std::function<acquisition::RailVoltages()> readVoltages;
    std::function<int32_t()> chipId;
    bool chipPresent = true;
    acquisition::NumberFormat number;
    CoreNominalEditing coreNominal;
    // Each dialog just before it shows and just after it has closed, for
    // whoever makes windows reachable by name meanwhile (scripts, dumps).
    std::function<void(ui::Window&)> windowOpened;
    std::function<void(ui::Window&)> windowClosed;
};

struct FirstRunOutcome {
    // False: the terms were declined (by "&No" or the close box); the program
    // must end without going on with its start-up or writing settings.
    bool accepted = false;
    // The core voltage port chosen in "Korvex Startup Settings" (false: Port 0).
    bool corePort1 = false;
    // The nominal core voltage as it stands after the dialogs.
    double coreNominal = 0;
};

// The first-run dialogs in order, each modal and gone after it closes:
// "Startup Info", "Korvex Agreement", and when the terms are accepted
// "Korvex Startup Settings" and "1st Time Information". Settings are not read
// or written here; the caller applies the outcome.
FirstRunOutcome runFirstRunDialogs(const FirstRunInputs& inputs);

}  // namespace kvx::app
