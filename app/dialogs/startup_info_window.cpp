#include "app/dialogs/startup_info_window.h"

namespace kvx::app {

StartupInfoWindow::StartupInfoWindow() {
    window_.setCaption("Startup Info");
    window_.setBounds({0, 0, 340, 150});
    window_.stayOnTop = true;
    window_.add<ui::Image>(nullptr, "InfoImage").setBounds({8, 8, 32, 32});
    auto& text = window_.add<ui::Label>(nullptr, "InfoLabel");
    text.setCaption(kText);
    text.setBounds({48, 8, 284, 92});
    auto& ok = window_.add<ui::Button>(nullptr, "OkButton");
    ok.setCaption("&Ok");
    ok.closesWindow = true;
    ok.setBounds({132, 112, 75, 25});
}

}  // namespace kvx::app
