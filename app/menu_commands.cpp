// The tray menu's commands that reach outside the program: the help page, the
// About window, the web page, a mail to the author and the CD drive's tray.
#include "app/application.h"

namespace kvx::app {
namespace {

constexpr const char* kWebPage = "https://korvex.org/";
constexpr const char* kMailAuthor = "mailto:author@korvex.org?subject=Korvex";

}  // namespace

void Application::wireMenuCommands() {
    ui::MainWindow::MenuCommands& commands = mainWindow_->commands;
    // Documents and addresses go to the desktop's opener; a failure is not shown.
    auto open = [this](const std::string& path) {
        events_.add(services_.scheduler.nowMs(), "open", path);
        if (services_.machine.lifecycle.startProgram) services_.machine.lifecycle.startProgram(path, "");
    };
    // The help page is installed beside the program file, which is not always the
    // program folder (that one moves to the state folder when this one is read-only).
    commands.help = [this, open] {
        const std::string& program = services_.machine.programPath;
        open(program.substr(0, program.rfind('/') + 1) + "Help/Index.html");
    };
    commands.webPage = [open] { open(kWebPage); };
    commands.eMailAuthor = [open] { open(kMailAuthor); };
    commands.about = [this] { about_.show(); };
    // Silent without a drive, as the drive's own button would be.
    commands.tovel = [this] {
        events_.add(services_.scheduler.nowMs(), "cdTray");
        if (services_.machine.cdTray) services_.machine.cdTray->open();
    };
    mainWindow_->onMissingCommand = [this](const std::string& item) {
        showError("The menu item " + item + " has no command in this build.");
    };
}

}  // namespace kvx::app
