#include "alarms/warning_window.h"

namespace kvx::alarms {

WarningWindow::WarningWindow()
    : message_(window_.add<ui::Label>(nullptr, "Label1")),
      enable_(window_.add<ui::Button>(nullptr, "Button1")),
      disable_(window_.add<ui::Button>(nullptr, "Button2")) {
    window_.setCaption("Warning");
    window_.setBounds({0, 0, kWidth, kHeight});
    window_.stayOnTop = true;
    window_.titleButtons = false;
    auto& picture = window_.add<ui::Image>(nullptr, "WarningImage");
    picture.icon = ui::Image::Icon::Warning;
    picture.setBounds({8, 8, 32, 32});
    message_.setBounds({56, 8, 345, 41});
    enable_.setCaption("&Enable Alarm");
    enable_.closesWindow = true;
    enable_.setBounds({96, 64, 81, 22});
    disable_.setCaption("&Disable Alarm");
    disable_.closesWindow = true;
    disable_.setBounds({240, 64, 81, 22});
}

}  // namespace kvx::alarms
