// The Log page's view and erase buttons and the tray's "View Log" and "Erase
// Log", wired to the desktop's opener, the trash, the question box and the
// three logs' size displays.
#include "app/application.h"

namespace kvx::app {

logs::IntervalLogColumns Application::intervalLogColumns() {
    ui::Window& form = mainWindow_->form();
    logs::IntervalLogColumns columns;
    for (int i = 0; i < 3; ++i) {
        columns.sensorNames[i] = form.require<ui::Edit>("Edit" + std::to_string(4 + i)).text();
        columns.fanNames[i] = form.require<ui::Edit>("Edit" + std::to_string(1 + i)).text();
    }
    columns.p33Nominal = mainWindow_->channels().p33Nominal();
    columns.numbers.decimalSeparator = services_.locale.decimalSeparator();
    return columns;
}

void Application::wireLogFiles() {
    ui::MainWindow& main = *mainWindow_;
    logs::LogFileServices& services = main.logFiles().services;
    services.files = &logFile_;
    services.storage = &services_.machine.logStorage;
    services.programFolder = services_.machine.folders.program;
    services.columns = [this] { return intervalLogColumns(); };
    services.open = [this](const std::string& path) {
        events_.addPath(services_.scheduler.nowMs(), "open", path);
        if (services_.machine.lifecycle.openDocument) services_.machine.lifecycle.openDocument(path);
    };
    // Only a file that really went to the trash is recorded; a refusal is told instead.
    services.moveToTrash = [this](const std::string& path) {
        if (!services_.machine.lifecycle.moveToTrash)
            return platform::FsStatus{platform::FsStatus::Kind::Failed, "trash " + path + ": no trash on this desktop"};
        platform::FsStatus moved = services_.machine.lifecycle.moveToTrash(path);
        if (moved.ok()) events_.addPath(services_.scheduler.nowMs(), "trash", path);
        return moved;
    };
    services.confirm = [this](const std::string& question) {
        return messages_.show({"Korvex", question, platform::MessageIcon::Information, {"Yes", "No"}}) == "Yes";
    };
    services.reportError = [this](const std::string& message) { showError(message); };
    services.sizesChanged = [this, &main](logs::LogGroup group) {
        platform::FsStatus status;
        switch (group) {
            case logs::LogGroup::Interval: status = main.intervalLog().CheckLogFileSize(); break;
            case logs::LogGroup::Warning: status = main.logFiles().CheckWarnLogFileSize(); break;
            case logs::LogGroup::UpDown: checkUpDownLogFileSize(); break;
        }
        if (!status.ok()) showError(status.message);
    };
}

void Application::checkWarnLogFileSize() {
    if (platform::FsStatus status = mainWindow_->logFiles().CheckWarnLogFileSize(); !status.ok())
        showError(status.message);
}

}  // namespace kvx::app
