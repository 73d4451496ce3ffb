#include "app/dialogs/uninstall_window.h"

#include "kvx_version.h"

namespace kvx::app {

std::optional<UninstallCommand> splitUninstallCommand(std::string_view text) {
    UninstallCommand command;
    if (text.size() > 1 && text.front() == '"') {
        size_t close = text.find('"', 1);
        if (close != std::string_view::npos) {
            command.program = std::string(text.substr(1, close - 1));
            std::string_view rest = text.substr(close + 1);
            if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
            command.parameters = std::string(rest);
            if (command.program.empty()) return std::nullopt;
            return command;
        }
    }
    size_t blank = text.find(' ');
    command.program = std::string(text.substr(0, blank));
    if (blank != std::string_view::npos) command.parameters = std::string(text.substr(blank + 1));
    if (command.program.empty()) return std::nullopt;
    return command;
}

UninstallWindow::UninstallWindow(platform::Scheduler& scheduler, std::string programFolder, Hooks hooks)
    : scheduler_(scheduler),
      programFolder_(std::move(programFolder)),
      hooks_(std::move(hooks)),
      cancel_(window_.add<ui::Button>(nullptr, "CancelButton")),
      uninstall_(window_.add<ui::Button>(nullptr, "UninstallButton")) {
    window_.setCaption("Un-installing Korvex");
    window_.setBounds({0, 0, 260, 150});
    window_.stayOnTop = true;
    auto& version = window_.add<ui::Label>(nullptr, "VersionLabel");
    version.setCaption(kVersionCaption);
    version.setBounds({8, 8, 120, 13});

    const char* stepNames[3][2] = {
        {"AutorunCheckImage", "AutorunLabel"},
        {"LogFilesCheckImage", "LogFilesLabel"},
        {"UninstallerCheckImage", "UninstallerLabel"},
    };
    const char* stepTexts[3] = {"Removing  Autorun from Registry", "Removing Log file", "Launching Uninstall Shield"};
    for (int i = 0; i < 3; ++i) {
        int top = 32 + 22 * i;
        auto& mark = window_.add<ui::Image>(nullptr, stepNames[i][0]);
        mark.setBounds({8, top, 16, 16});
        mark.setVisible(false);
        checkMarks_[i] = &mark;
        auto& label = window_.add<ui::Label>(nullptr, stepNames[i][1]);
        label.setCaption(stepTexts[i]);
        label.setBounds({30, top + 2, 220, 13});
    }

    cancel_.setCaption("&Cancel");
    cancel_.closesWindow = true;
    cancel_.setBounds({40, 112, 75, 25});
    uninstall_.setCaption(kUninstallCaption);
    uninstall_.setBounds({144, 112, 75, 25});
    uninstall_.onClick = [this] { UnInstallClick(); };

    // Once started, the steps run to their end; the close box waits for them.
    window_.onCloseRequest = [this] {
        if (!running_) window_.close();
    };
}

void UninstallWindow::stepDone(int step) {
    checkMarks_[step - 1]->setVisible(true);
    scheduler_.wait(kStepPauseMs);
}

void UninstallWindow::UnInstallClick() {
    if (running_ || finished_) return;
    running_ = true;
    cancel_.setEnabled(false);
    uninstall_.setEnabled(false);

    if (hooks_.removeRunEntry) hooks_.removeRunEntry();
    stepDone(1);

    // A file that is missing or cannot be deleted is passed over.
    for (const char* name : kLogFiles)
        if (hooks_.deleteFile) hooks_.deleteFile(programFolder_ + name);
    stepDone(2);

    std::string command = hooks_.readUninstallCommand ? hooks_.readUninstallCommand() : std::string();
    scheduler_.wait(kStepPauseMs);
    if (auto start = splitUninstallCommand(command); start && hooks_.startProgram) hooks_.startProgram(*start);
    stepDone(3);

    running_ = false;
    finished_ = true;
    if (hooks_.endProgram) hooks_.endProgram();
    window_.close(kUninstallCaption);
}

}  // namespace kvx::app
