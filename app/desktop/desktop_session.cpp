#include "app/desktop/desktop_session.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QSocketNotifier>

#include <memory>
#include <vector>

#include "app/application.h"
#include "app/desktop/desktop_views.h"
#include "app/desktop/qt_modal_host.h"
#include "app/harness/scripted_file_dialogs.h"
#include "app/program.h"
#include "platform/linux/shutdown_signals.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_scheduler.h"

namespace kvx::ui::qt {

void useWindowFont() {
    // The windows are laid out for Arial 8 points; Liberation Sans has its
    // metrics, so captions fit where they were placed. Menus and message
    // boxes take the application's font too.
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QApplication::setFont(QFont("Arial", 8));
}

int runDesktop(int argc, char** argv, const app::Options& options, app::ProgramContext& context) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Korvex");
    // Ties the windows to the installed menu entry (Korvex.desktop) and its chip icon, so that task
    // bars and window switchers show that rather than a generic picture.
    QGuiApplication::setDesktopFileName("Korvex");
    QApplication::setWindowIcon(QIcon::fromTheme("korvex"));
    QApplication::setQuitOnLastWindowClosed(false);
    useWindowFont();

    platform::qt::QtScheduler scheduler;
    platform::qt::QtMessageBoxes messageBoxes([&scheduler] { return scheduler.quitting(); });
    QtModalHost modalHost(scheduler, context.answers, context.diagnostics);
    // "Copy" on the system information panel.
    platform::qt::QtClipboard clipboard;
    context.machine.lifecycle.copyToClipboard = [&clipboard](const std::string& text) { clipboard.setText(text); };

    using platform::linux_backend::ShutdownSignals;
    QSocketNotifier signalNotifier(ShutdownSignals::readFd(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &signalNotifier, [&scheduler, &messageBoxes] {
        ShutdownSignals::drain();
        scheduler.quit();
        messageBoxes.closeOpen();
    });

    // Another copy's request to come forward arrives on a socket that Qt's loop watches.
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    if (context.integration)
        context.integration->setFdWatcher([&notifiers](int fd, std::function<void()> onReadable) {
            auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), std::move(onReadable));
            notifiers.push_back(std::move(notifier));
        });
    // The run owns the views it gets here and destroys them before the window models.
    auto createViews = [](app::Application& app) -> std::unique_ptr<app::ProgramViews> {
        return std::make_unique<DesktopViews>(app);
    };
    // "Select File" / "Select Wave": Qt's dialog, unless a script answers it.
    platform::qt::QtFileDialogs personDialogs;
    app::ScriptedFileDialogs fileDialogs(context.answers, &personDialogs);
    app::ProgramPlatform platform{context, scheduler, messageBoxes, modalHost, createViews, &fileDialogs};
    return app::runProgram(options, platform);
}

}  // namespace kvx::ui::qt
