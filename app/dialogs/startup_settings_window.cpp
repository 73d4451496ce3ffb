#include "app/dialogs/startup_settings_window.h"

#include "acquisition/channel_settings.h"
#include "kvx_version.h"

namespace kvx::app {

CoreNominalEditing coreNominalEditingOf(acquisition::ChannelSettings& settings) {
    return {
        [&settings] { settings.SpinButton6UpClick(); },
        [&settings] { settings.SpinButton6DownClick(); },
        [&settings] { return settings.coreNominal(); },
        [&settings] { return settings.coreNominalText(); },
    };
}

std::string StartupSettingsWindow::portCaption(int port, double volts, const acquisition::NumberFormat& number) {
    return "Port " + std::to_string(port) + ": " + acquisition::fixedText(volts, 2, number) + "Volt";
}

StartupSettingsWindow::StartupSettingsWindow(Inputs inputs)
    : inputs_(std::move(inputs)),
      version_(window_.add<ui::Label>(nullptr, "VersionLabel")),
      questions_(window_.add<ui::Group>(nullptr, "CoreVoltageGroupBox")),
      port0_(window_.add<ui::RadioButton>(&questions_, "Port0RadioButton", "CorePort")),
      port1_(window_.add<ui::RadioButton>(&questions_, "Port1RadioButton", "CorePort")),
      coreNominal_(window_.add<ui::Label>(&questions_, "CoreVoltageLabel")) {
    window_.setCaption("Korvex Startup Settings");
    window_.setBounds({0, 0, 330, 236});
    window_.stayOnTop = true;
    version_.setCaption(kVersionCaption);
    version_.setBounds({8, 8, 120, 13});

    questions_.setCaption("Core Voltage Questions");
    questions_.setBounds({8, 28, 314, 160});
    auto& portQuestion = window_.add<ui::Label>(&questions_, "PortQuestionLabel");
    portQuestion.setCaption("Which port shows your CPU's core voltage?");
    portQuestion.setBounds({8, 18, 298, 13});
    port0_.setBounds({16, 38, 140, 17});
    port1_.setBounds({16, 58, 140, 17});
    auto& nominalQuestion = window_.add<ui::Label>(&questions_, "NominalQuestionLabel");
    nominalQuestion.setCaption("What is your CPU's nominal core voltage?");
    nominalQuestion.setBounds({8, 88, 298, 13});
    coreNominal_.setBounds({16, 114, 150, 13});
    auto& spin = window_.add<ui::SpinButton>(&questions_, "CoreVoltageSpinButton");
    spin.setBounds({170, 108, 15, 22});
    auto step = [this](const std::function<void()>& change) {
        if (change) change();
        showCoreNominal();
    };
    spin.onUpClick = [this, step] { step(inputs_.coreNominal.up); };
    spin.onDownClick = [this, step] { step(inputs_.coreNominal.down); };

    auto& ok = window_.add<ui::Button>(nullptr, "OkButton");
    ok.setCaption("&Ok");
    ok.closesWindow = true;
    ok.setBounds({128, 200, 75, 25});

    window_.onShow = [this] { opened(); };
    window_.onClose = [this] {
        if (onPortChosen) onPortChosen(port1_.checked());
    };
}

void StartupSettingsWindow::opened() {
    acquisition::RailVoltages volts = inputs_.readVoltages ? inputs_.readVoltages() : acquisition::RailVoltages{};
    port0_.setCaption(portCaption(0, volts.corePort0, inputs_.number));
    port1_.setCaption(portCaption(1, volts.corePort1, inputs_.number));
    port0_.setChecked(true);
    questions_.setVisible(inputs_.chipPresent);
    showCoreNominal();
}

void StartupSettingsWindow::showCoreNominal() {
    coreNominal_.setCaption(inputs_.coreNominal.text ? inputs_.coreNominal.text() : "");
}

}  // namespace kvx::app
