#include "app/dialogs/agreement_window.h"

#include "kvx_version.h"

namespace kvx::app {

AgreementWindow::AgreementWindow() {
    window_.setCaption("Korvex Agreement");
    window_.setBounds({0, 0, 380, 200});
    window_.stayOnTop = true;
    auto& version = window_.add<ui::Label>(nullptr, "VersionLabel");
    version.setCaption(kVersionCaption);
    version.setBounds({8, 8, 120, 13});
    auto& text = window_.add<ui::Label>(nullptr, "DisclaimerLabel");
    text.setCaption(kDisclaimer);
    text.setBounds({8, 28, 364, 120});

    auto& yes = window_.add<ui::Button>(nullptr, "YesButton");
    yes.setCaption("&Yes");
    yes.closesWindow = true;
    yes.setBounds({104, 164, 75, 25});
    yes.onClick = [this] {
        pending_ = false;
        accepted_ = true;
    };
    auto& no = window_.add<ui::Button>(nullptr, "NoButton");
    no.setCaption("&No");
    no.closesWindow = true;
    no.setBounds({200, 164, 75, 25});
}

bool AgreementWindow::ask() {
    pending_ = true;
    accepted_ = false;
    window_.showModal();
    return accepted_;
}

}  // namespace kvx::app
