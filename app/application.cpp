#include "app/application.h"

namespace kvx::app {

Application::Application(Services services, std::unique_ptr<acquisition::SensorLibrary> library)
    : services_(std::move(services)),
      library_(std::move(library)),
      messages_(services_.messageBoxes, services_.scheduler),
      mainWindow_(std::make_unique<ui::MainWindow>(services_.scheduler, *library_,
                                                   acquisition::NumberFormat{services_.locale.decimalSeparator()})) {
    windows_.add(mainWindow_->form());
    windows_.add(mainWindow_->information().window());
    for (ui::Window* window : windows_.windows()) window->setModalHost(&services_.modalHost);
    mainWindow_->onExit = [this] { endSession(); };
    mainWindow_->form().onCloseRequest = [this] { endSession(); };
}

void Application::start() {
    acquisition::SensorLibrary& lib = *library_;
    ui::MainWindow& main = *mainWindow_;
    acquisition::TReadingSet& readings = main.readings();

    readings.cpuClockMHz = lib.clockRate();
    services_.scheduler.wait(kClockSettleMs);
    main.statistics().UDTabResetSpeedButtonClick();
    readings.chipPresent = lib.checkLM78();
    if (!readings.chipPresent)
        messages_.show({"Korvex", kNoChipMessage, platform::MessageIcon::None, {"OK"}});
    else
        lib.restartLM78();

    readings.smbusBase = lib.smbAddress();
    main.channels().CheckSMB(readings.smbusBase);

    // Divisor 2 is chosen by default; its handler tells the chip.
    for (const char* name : {"RadioButton9", "RadioButton11"})
        if (auto* radio = main.form().findAs<ui::RadioButton>(name); radio && radio->checked()) radio->onClick();
    main.SetAll33VoltText();

    main.channels().SpeedButton2Click();
    for (int sensor = 1; sensor <= 3; ++sensor)
        main.channels().restoreSource(sensor, static_cast<int>(main.channels().source(sensor)));
    main.poll().Timer1Timer();
    main.form().setVisible(true);
    main.statistics().UDTabResetSpeedButtonClick();
    main.poll().Timer1().setEnabled(true);
}

void Application::endSession() {
    if (ended_) return;
    ended_ = true;
    services_.scheduler.quit();
}

}  // namespace kvx::app
