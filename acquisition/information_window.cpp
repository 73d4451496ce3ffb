#include "acquisition/information_window.h"

namespace kvx::acquisition {

InformationWindow::InformationWindow()
    : title_(window_.add<ui::Label>(nullptr, "TitleLabel")),
      current_(window_.add<ui::Label>(nullptr, "CurrentLabel")),
      alarm_(window_.add<ui::Label>(nullptr, "AlarmLabel")),
      alarmState_(window_.add<ui::Label>(nullptr, "AlarmStateLabel")),
      lowest_(window_.add<ui::Label>(nullptr, "LowestLabel")),
      highest_(window_.add<ui::Label>(nullptr, "HighestLabel")) {
    window_.setCaption("Information");
    window_.setBounds({0, 0, 276, 141});
    window_.stayOnTop = true;
    window_.add<ui::Image>(nullptr, "InfoImage").setBounds({8, 8, 32, 32});
    title_.setBounds({48, 8, 220, 13});
    current_.setBounds({48, 28, 220, 13});
    alarm_.setBounds({48, 46, 220, 13});
    alarmState_.setBounds({48, 64, 220, 13});
    lowest_.setBounds({8, 84, 130, 13});
    highest_.setBounds({140, 84, 130, 13});
    auto& ok = window_.add<ui::Button>(nullptr, "OkButton");
    ok.setCaption("&Ok");
    ok.closesWindow = true;
    ok.setBounds({100, 108, 75, 25});
}

void InformationWindow::ShowInfoLog(const std::string& title, const std::string& lowest, const std::string& highest,
                                    const std::string& alarm, const std::string& current, bool alarmOn) {
    title_.setCaption(title);
    lowest_.setCaption(lowest);
    highest_.setCaption(highest);
    alarm_.setCaption(alarm);
    current_.setCaption(current);
    alarmState_.setCaption(alarmOn ? "Alarm Enabled" : "Alarm Disabled");
    window_.showModal();
}

}  // namespace kvx::acquisition
