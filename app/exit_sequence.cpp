// How the program ends: the close request, the saving of the settings, and
// the silent end when the session ends.
#include "app/application.h"
#include "app/dialogs/uninstall_window.h"
#include "settings/read_only_hive.h"

namespace kvx::app {

bool Application::FormCloseQuery() {
    if (!mainWindow_->form().require<ui::CheckBox>("GenTabEnableExitQCheckBox").checked()) exitQuestionAllowed_ = false;
    if (!exitQuestionAllowed_) return true;
    switch (exitQuestion_.ask()) {
        case ExitAnswer::Yes: return true;
        case ExitAnswer::Minimize: mainWindow_->Hide1Click(); return false;
        default: return false;
    }
}

bool Application::FormClose() {
    auto report = store_.write(bindings_);
    // The file may have been replaced while the program ran: what was moved or kept aside is told.
    reportFileMessages(report.fileMessages);
    settingsSaveFailed_ = !report.ok();
    if (settingsSaveFailed_) {
        showError(report.error);
        return false;
    }
    // After the settings are safe; a report that cannot be written is told and the exit goes on.
    if (mainWindow_->upDownLog().saveOnExit()) writeUpDownLog();
    return true;
}

void Application::requestClose() {
    if (ended_) return;
    // A copy that never finished starting (another copy runs, agreement declined) saves nothing.
    if (!started_) {
        finish();
        return;
    }
    if (!FormCloseQuery()) return;
    if (!FormClose()) return;
    finish();
}

void Application::Exit1Click() {
    exitQuestion_.offerYesAndNoOnly([this] { requestClose(); });
}

std::string Application::uninstallCommand() {
    // The machine-wide hive is only read: a bad one is reported and left where it is.
    const platform::Folders& folders = services_.machine.folders;
    auto loaded = settings::loadReadOnlyHive(
        services_.machine.files, folders.machineHive.empty() ? folders.config + "/machine.reg" : folders.machineHive);
    showErrors(loaded.messages);
    const auto* key = loaded.hive.findKey(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex");
    const auto* value = key ? key->find("UninstallString") : nullptr;
    return value && value->type == settings::HiveValueType::String ? value->text : std::string();
}

void Application::UnInstallExit1Click() {
    const LifecycleHooks& hooks = services_.machine.lifecycle;
    UninstallWindow::Hooks steps;
    steps.removeRunEntry = hooks.removeRunAtStart;
    steps.deleteFile = hooks.deleteFile;
    steps.readUninstallCommand = [this] { return uninstallCommand(); };
    if (hooks.startProgram)
        steps.startProgram = [start = hooks.startProgram](const UninstallCommand& c) {
            start(c.program, c.parameters);
        };
    // The uninstaller takes over: no question, no settings written.
    steps.endProgram = [this] { finish(); };
    UninstallWindow uninstall(services_.scheduler, services_.machine.folders.program, std::move(steps));
    uninstall.window().setModalHost(&services_.modalHost);
    windows_.add(uninstall.window());
    uninstall.show();
    windows_.remove(uninstall.window());
}

}  // namespace kvx::app
