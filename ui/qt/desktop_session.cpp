#include "ui/qt/desktop_session.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>

#include <iostream>
#include <memory>
#include <vector>

#include "app/application.h"
#include "app/program.h"
#include "platform/linux/shutdown_signals.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_scheduler.h"
#include "ui/qt/qt_modal_host.h"
#include "ui/qt/tray_view.h"
#include "ui/qt/window_view.h"

namespace kvx::ui::qt {

int runDesktop(int argc, char** argv, const app::Options& options, app::ProgramContext& context) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Korvex");
    QApplication::setQuitOnLastWindowClosed(false);

    platform::qt::QtScheduler scheduler;
    platform::qt::QtMessageBoxes messageBoxes;
    QtModalHost modalHost(scheduler);

    using platform::linux_backend::ShutdownSignals;
    QSocketNotifier signalNotifier(ShutdownSignals::readFd(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &signalNotifier, [&scheduler] {
        ShutdownSignals::drain();
        scheduler.quit();
    });

    // Another copy's request to come forward arrives on a socket that Qt's loop watches.
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    if (context.integration)
        context.integration->setFdWatcher([&notifiers](int fd, std::function<void()> onReadable) {
            auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), std::move(onReadable));
            notifiers.push_back(std::move(notifier));
        });
    std::unique_ptr<WindowView> mainView;
    std::unique_ptr<WindowView> splashView;
    std::unique_ptr<TrayView> tray;
    app::ProgramPlatform platform{context, scheduler, messageBoxes, modalHost,
                                  [&](app::Application& app) {
                                      auto& main = app.mainWindow();
                                      QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
                                      main.setScreenSize(screen.width(), screen.height());
                                      // The splash: borderless, black, centred.
                                      ui::Window& splash = app.splash().window();
                                      splash.setPosition(screen.center().x() - splash.bounds().width / 2,
                                                         screen.center().y() - splash.bounds().height / 2);
                                      splashView = std::make_unique<WindowView>(splash);
                                      splashView->setWindowFlag(Qt::FramelessWindowHint);
                                      splashView->setStyleSheet("#Splash1 { background: black; } #Panel1 { background: white; }");
                                      mainView = std::make_unique<WindowView>(main.form());
                                      tray = std::make_unique<TrayView>(main.popupMenu(), main.form());
                                  }};
    int code = app::runProgram(options, platform);
    tray.reset();
    mainView.reset();
    splashView.reset();
    return code;
}

}  // namespace kvx::ui::qt
