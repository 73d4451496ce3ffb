#include "app/application.h"

#include "ui/model/main_window_settings.h"

namespace kvx::app {

Application::Application(Services services, std::unique_ptr<acquisition::SensorLibrary> library)
    : services_(std::move(services)),
      library_(std::move(library)),
      messages_(services_.messageBoxes, services_.scheduler),
      mainWindow_(std::make_unique<ui::MainWindow>(services_.scheduler, *library_,
                                                   acquisition::NumberFormat{services_.locale.decimalSeparator()})),
      store_(services_.files, services_.folders.config + "/user.reg"),
      logFile_(services_.logStorage, services_.textEncoding) {
    windows_.add(mainWindow_->form());
    windows_.add(mainWindow_->information().window());
    windows_.add(splash_.window());
    for (ui::Window* window : windows_.windows()) window->setModalHost(&services_.modalHost);
    mainWindow_->onExit = [this] { Exit1Click(); };
    mainWindow_->form().onCloseRequest = [this] { requestClose(); };
    ui::bindMainWindowSettings(bindings_, *mainWindow_);
    bindings_.bind("KVX Path", [](const settings::SettingValue&) {},
                   [this] { return settings::SettingValue{services_.programPath}; });
}

void Application::showError(const std::string& text) {
    messages_.show({"Korvex", text, platform::MessageIcon::Error, {"OK"}});
}

void Application::endSession() {
    if (ended_) return;
    exitQuestionAllowed_ = false;
    Exit1Click();
    // A close that failed to save still ends a session the system is ending.
    finish();
}

void Application::finish() {
    if (ended_) return;
    ended_ = true;
    services_.scheduler.quit();
}

}  // namespace kvx::app
