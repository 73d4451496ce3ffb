#include "app/dialogs/first_run_dialogs.h"

#include "app/dialogs/agreement_window.h"
#include "app/dialogs/first_time_information_window.h"
#include "app/dialogs/startup_info_window.h"

namespace kvx::app {
namespace {

// Shows one dialog through `show`, telling the inputs' observers about it.
template <typename Show>
auto showDialog(const FirstRunInputs& inputs, ui::Window& window, Show show) {
    window.setModalHost(inputs.modalHost);
    if (inputs.windowOpened) inputs.windowOpened(window);
    struct Closed {
        const FirstRunInputs& inputs;
        ui::Window& window;
        ~Closed() {
            if (inputs.windowClosed) inputs.windowClosed(window);
        }
    } closed{inputs, window};
    return show();
}

}  // namespace

FirstRunOutcome runFirstRunDialogs(const FirstRunInputs& inputs) {
    FirstRunOutcome outcome;
    auto currentNominal = [&inputs] { return inputs.coreNominal.value ? inputs.coreNominal.value() : 0.0; };

    {
        StartupInfoWindow info;
        showDialog(inputs, info.window(), [&info] { info.show(); });
    }
    {
        AgreementWindow agreement;
        outcome.accepted = showDialog(inputs, agreement.window(), [&agreement] { return agreement.ask(); });
    }
    if (!outcome.accepted) {
        outcome.coreNominal = currentNominal();
        return outcome;
    }
    {
        StartupSettingsWindow settings({inputs.readVoltages, inputs.chipPresent, inputs.number, inputs.coreNominal});
        settings.onPortChosen = [&outcome](bool port1) { outcome.corePort1 = port1; };
        showDialog(inputs, settings.window(), [&settings] { settings.show(); });
    }
    outcome.coreNominal = currentNominal();
    {
        FirstTimeInformationWindow information(inputs.chipId);
        showDialog(inputs, information.window(), [&information] { information.show(); });
    }
    return outcome;
}

}  // namespace kvx::app
