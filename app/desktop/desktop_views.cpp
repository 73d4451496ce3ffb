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
    : splashModel_(placedSplash(app)),
      splash_(std::make_unique<WindowView>(splashModel_, Qt::Window | Qt::FramelessWindowHint)),
      main_(app.mainWindow().form()),
      tray_(app.mainWindow().popupMenu(), app.mainWindow().form()) {
    splash_->setStyleSheet("#Splash1 { background: black; } #Panel1 { background: white; }");
    splashDisposal_.setSingleShot(true);
    splashDisposal_.setInterval(0);
    QObject::connect(&splashDisposal_, &QTimer::timeout, [this] { splash_.reset(); });
    splashShown_ = splashModel_.visible();
    splashObservation_ = splashModel_.observe([this] { splashChanged(); });
}

DesktopViews::~DesktopViews() {
    if (splashObservation_) splashModel_.unobserve(splashObservation_);
}

void DesktopViews::splashChanged() {
    if (splashModel_.visible()) {
        splashShown_ = true;
    } else if (splashShown_ && splash_) {
        splashModel_.unobserve(splashObservation_);
        splashObservation_ = 0;
        splashDisposal_.start();
    }
}

}  // namespace kvx::ui::qt
