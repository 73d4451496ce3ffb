#include "app/application.h"

#include "ui/main_window/main_window_settings.h"

namespace kvx::app {

Application::Application(Services services, std::unique_ptr<acquisition::SensorLibrary> library)
    : services_(std::move(services)),
      library_(std::move(library)),
      messages_(services_.messageBoxes, services_.scheduler),
      mainWindow_(std::make_unique<ui::MainWindow>(services_.scheduler, *library_,
                                                   acquisition::NumberFormat{services_.locale.decimalSeparator()})),
      store_(services_.machine.files, services_.machine.folders.config + "/user.reg"),
      logFile_(services_.machine.logStorage, services_.machine.textEncoding) {
    windows_.add(mainWindow_->form());
    windows_.add(mainWindow_->information().window());
    windows_.add(mainWindow_->warningWindow().window());
    windows_.add(splash_.window());
    windows_.add(exitQuestion_.window());
    windows_.declare("Form9", {"&Ok"});
    windows_.declare("Form3", {"&Yes", "&No"});
    windows_.declare("Form2", {"&Ok"});
    windows_.declare("Form6", {"&Ok"});
    windows_.declare("Form5", {"&Cancel", "&Un-install"});
    for (ui::Window* window : windows_.windows()) window->setModalHost(&services_.modalHost);
    mainWindow_->onExit = [this] { Exit1Click(); };
    mainWindow_->onUninstall = [this] { UnInstallExit1Click(); };
    mainWindow_->form().require<ui::CheckBox>("GenTabRunOnStartupCheckBox").onClick = [this] {
        GenTabRunOnStartupCheckBoxClick();
    };
    mainWindow_->form().onCloseRequest = [this] { requestClose(); };
    ui::bindMainWindowSettings(bindings_, *mainWindow_);
    wireAlarms();
    wireLogs();
    wireMetrics();
    wireOutsidePrograms();
    wireLogFiles();
    bindings_.bind(
        "KVX Path", [](const settings::SettingValue&) {},
        [this] { return settings::SettingValue{services_.machine.programPath}; });
}

void Application::showError(const std::string& text) {
    messages_.show({"Korvex", text, platform::MessageIcon::Error, {"OK"}});
}

void Application::showErrors(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    if (!text.empty()) showError(text);
}

void Application::reportFileMessages(const std::vector<std::string>& messages) {
    std::vector<std::string> fresh;
    for (const std::string& message : messages)
        if (fileMessagesShown_.insert(message).second) fresh.push_back(message);
    showErrors(fresh);
}

void Application::GenTabRunOnStartupCheckBoxClick() {
    const LifecycleHooks& hooks = services_.machine.lifecycle;
    auto* box = &mainWindow_->form().require<ui::CheckBox>("GenTabRunOnStartupCheckBox");
    if (box->checked()) {
        if (mainWindow_->form().visible())
            messages_.show(
                {"Korvex",
                 "Windows will try to launch this program from it's current path next time it starts up.\n\r\n\r" +
                     services_.machine.programPath,
                 platform::MessageIcon::None,
                 {"OK"}});
        if (hooks.writeRunAtStart) hooks.writeRunAtStart(services_.machine.programPath);
    } else if (hooks.removeRunAtStart) {
        hooks.removeRunAtStart();
    }
}

void Application::comeForward() {
    ui::MainWindow& main = *mainWindow_;
    if (!main.parked()) {
        main.form().setVisible(true);
        return;
    }
    if (main.doubleClickSmall) main.Show2Click();
    else main.Show1Click();
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
