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
        events_.addPath(services_.scheduler.nowMs(), "open", path);
        if (services_.machine.lifecycle.openDocument) services_.machine.lifecycle.openDocument(path);
    };
    // The help pages come with the program: beside it in a build tree, in
    // share/korvex/ once installed (not the program folder, which holds the logs).
    commands.help = [this, open] {
        const auto& folders = services_.machine.folders;
        const std::string& program = services_.machine.programPath;
        const std::string data = folders.data.empty() ? program.substr(0, program.rfind('/') + 1) : folders.data;
        open(data + "Help/Index.html");
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
