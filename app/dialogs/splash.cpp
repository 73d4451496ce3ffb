#include "app/dialogs/splash.h"

#include "kvx_version.h"

namespace kvx::app {

Splash::Splash()
    : panel_(window_.add<ui::Panel>(nullptr, "Panel1")),
      logo_(window_.add<ui::Image>(&panel_, "Image1")),
      version_(window_.add<ui::Label>(&panel_, "Label1")),
      greetingPanel_(window_.add<ui::Panel>(&panel_, "GreetingPanel")),
      greeting_(window_.add<ui::Label>(&greetingPanel_, "GreetingLabel")),
      thanks_(window_.add<ui::Label>(&greetingPanel_, "ThanksLabel")) {
    window_.setBounds({0, 0, 411, 179});
    window_.stayOnTop = true;
    panel_.setBounds({4, 4, 403, 171});
    logo_.setBounds({8, 8, 387, 130});
    version_.setCaption(kVersionNumber);
    version_.setBounds({360, 150, 36, 13});
    greetingPanel_.setBounds({8, 8, 387, 130});
    greetingPanel_.setVisible(false);
    greeting_.setBounds({16, 40, 360, 16});
    thanks_.setCaption("and thank you for your support of Korvex");
    thanks_.setBounds({16, 64, 360, 16});
}

void Splash::show(std::chrono::year_month_day today, acquisition::SensorLibrary& library,
                  platform::MessageBoxes& messages) {
    if (today.month() == std::chrono::January && today.day() == std::chrono::day(1)) {
        greeting_.setCaption("The best wishes for " + std::to_string(static_cast<int>(today.year())));
        greetingPanel_.setVisible(true);
    } else if (!library.usable()) {
        messages.show({"Korvex", kLoadError, platform::MessageIcon::None, {"OK"}});
    } else {
        logo_.setData(library.logo());
    }
    window_.setVisible(true);
}

}  // namespace kvx::app
