#include "app/desktop/desktop_views.h"

#include <QGuiApplication>
#include <QScreen>

namespace kvx::ui::qt {
namespace {

// The models learn the screen before any view is made from them.
ui::Window& placedSplash(app::Application& app) {
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    app.mainWindow().setScreenSize(screen.width(), screen.height());
    // The splash: borderless, black, centred.
    ui::Window& splash = app.splash().window();
    splash.setPosition(screen.center().x() - splash.bounds().width / 2,
                       screen.center().y() - splash.bounds().height / 2);
    return splash;
}

}  // namespace

DesktopViews::DesktopViews(app::Application& app)
    : splash_(placedSplash(app), Qt::Window | Qt::FramelessWindowHint),
      main_(app.mainWindow().form()),
      tray_(app.mainWindow().popupMenu(), app.mainWindow().form(), [&app] { app.mainWindow().trayDoubleClick(); }) {
    splash_.setStyleSheet("#Splash1 { background: black; } #Panel1 { background: white; }");
}

}  // namespace kvx::ui::qt
