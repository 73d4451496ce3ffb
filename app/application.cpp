#include "app/application.h"

namespace kvx::app {

Application::Application(Services services, std::unique_ptr<acquisition::SensorLibrary> library)
    : services_(std::move(services)),
      library_(std::move(library)),
      messages_(services_.messageBoxes, services_.scheduler),
      mainWindow_(services_.scheduler, *library_) {
    windows_.add(mainWindow_.form());
    for (ui::Window* window : windows_.windows()) window->setModalHost(&services_.modalHost);
    mainWindow_.onExit = [this] { endSession(); };
    mainWindow_.form().onCloseRequest = [this] { endSession(); };
}

void Application::start() {
    acquisition::SensorLibrary& lib = *library_;
    board_.cpuClockMHz = lib.clockRate();
    services_.scheduler.wait(kClockSettleMs);
    board_.chipPresent = lib.checkLM78();
    if (board_.chipPresent) lib.restartLM78();
    board_.smbusBase = lib.smbAddress();

    auto& poll = mainWindow_.poll();
    poll.Timer1Timer();
    poll.Timer1().setEnabled(true);
    mainWindow_.form().setVisible(true);
}

void Application::endSession() {
    if (ended_) return;
    ended_ = true;
    services_.scheduler.quit();
}

}  // namespace kvx::app
