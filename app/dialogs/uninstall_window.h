#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/scheduler.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// The program to start and its parameters, taken from the stored uninstall command.
struct UninstallCommand {
    std::string program;
    std::string parameters;
    bool operator==(const UninstallCommand&) const = default;
};

// Splits the stored uninstall command at its first blank: the program before
// it, the parameters after it. A command without a blank is a program without
// parameters. A program in double quotes may contain blanks; the quotes go.
// Nothing to start (nullopt) for an empty text or an empty program.
std::optional<UninstallCommand> splitUninstallCommand(std::string_view text);

// "Un-installing Korvex" (`Form5`): removes the run-at-start entry and the log
// files, starts the installer's uninstaller and ends the program, showing a
// check mark as each step is done. "&Cancel" closes it without a change.
class UninstallWindow {
public:
    // What the steps do to the machine. Each may be left empty (the step then
    // does nothing); failures are passed over, the steps go on.
    struct Hooks {
        std::function<void()> removeRunEntry;
        // Deletes one file; false when it could not (a missing file included).
        std::function<bool(const std::string& path)> deleteFile;
        // The stored uninstall command; empty when there is none.
        std::function<std::string()> readUninstallCommand;
        std::function<void(const UninstallCommand&)> startProgram;
        // Ends the program at once, without a question and without saving settings.
        std::function<void()> endProgram;
    };

    // `programFolder` ends with "/"; the log files are deleted from it.
    UninstallWindow(platform::Scheduler& scheduler, std::string programFolder, Hooks hooks);

    ui::Window& window() { return window_; }
    // Shows the window modally; returns when it has closed.
    void show() { window_.showModal(); }

    // The "&Un-install" button's steps.
    void UnInstallClick();
    bool running() const { return running_; }
    bool finished() const { return finished_; }
    const ui::Image& checkMark(int step) const { return *checkMarks_[step - 1]; }

    // The log files, in the order they are deleted.
    static constexpr std::array<const char*, 7> kLogFiles = {
        "kvxlog.txt", "kvxlog.htm", "kvxlog.csv", "kvxwarnlog.txt", "kvxwarnlog.htm", "updown.txt", "updown.htm",
    };
    // The pause after each step, so that the user can follow them.
    static constexpr int64_t kStepPauseMs = 1000;
    static constexpr const char* kUninstallCaption = "&Un-install";

private:
    void stepDone(int step);

    platform::Scheduler& scheduler_;
    std::string programFolder_;
    Hooks hooks_;
    ui::Window window_{"Form5"};
    std::array<ui::Image*, 3> checkMarks_{};
    ui::Button& cancel_;
    ui::Button& uninstall_;
    bool running_ = false;
    bool finished_ = false;
};

}  // namespace kvx::app
