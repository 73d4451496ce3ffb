#include "app/dialogs/first_time_information_window.h"

namespace kvx::app {

const char* FirstTimeInformationWindow::chipAdvice(int32_t chipId) {
    switch (chipId) {
        case kWinbondW83781D:
            return "Korvex has detected the Winbond W83781D chip on your PC, it is recomended that you use the WB1, "
                   "WB2 and WB3 sensors and not the LM75 sensor. You can turn them on at the General Tab";
        case kLM78:
            return "Korvex has detected the LM78/LM79 chip on your PC, it is recomended that you do not use the WB2 "
                   "and WB3 sensors and only try the LM75 to get your CPU temperature.  You can turn this sensor on "
                   "at the General Tab. ";
        default:
            return "Korvex has not detected the LM78 or the Winbond W83781D chip on your PC, it is recomended that "
                   "you try all the sensors but if they do not work to uninstall the program unsing the uninstall "
                   "option in the popup menu.";
    }
}

FirstTimeInformationWindow::FirstTimeInformationWindow(std::function<int32_t()> chipId)
    : chipId_(std::move(chipId)),
      tray_(window_.add<ui::Label>(nullptr, "TrayLabel")),
      advice_(window_.add<ui::Label>(nullptr, "ChipLabel")) {
    window_.setCaption("1st Time Information");
    window_.setBounds({0, 0, 360, 190});
    window_.stayOnTop = true;
    tray_.setCaption(kTrayText);
    tray_.setBounds({8, 8, 344, 44});
    advice_.setBounds({8, 60, 344, 84});
    auto& ok = window_.add<ui::Button>(nullptr, "OkButton");
    ok.setCaption("&Ok");
    ok.closesWindow = true;
    ok.setBounds({142, 154, 75, 25});
    window_.onShow = [this] { advice_.setCaption(chipAdvice(chipId_ ? chipId_() : 0)); };
}

}  // namespace kvx::app
