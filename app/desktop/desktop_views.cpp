#include "app/desktop/desktop_views.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

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

// Black window, white logo panel. Set as palettes rather than a style sheet: a
// style sheet brings in the style sheet machinery for the whole run (about
// half a MiB resident) for two colours.
void paintSplash(WindowView& splash) {
    auto fill = [](QWidget& widget, QColor colour) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::Window, colour);
        widget.setPalette(palette);
        widget.setAutoFillBackground(true);
    };
    fill(splash, Qt::black);
    if (QWidget* panel = splash.widgetFor(splash.model().require<ui::Panel>("Panel1"))) fill(*panel, Qt::white);
}

TrayIconsView::Actions trayActions(app::Application& app) {
    ui::MainWindow& main = app.mainWindow();
    TrayIconsView::Actions actions;
    actions.showSmallWindow = [&main] { main.Show2Click(); };
    actions.windowHidden = [&main] { return !main.form().visible(); };
    actions.tell = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    return actions;
}

}  // namespace

DesktopViews::DesktopViews(app::Application& app)
    : splashModel_(placedSplash(app)),
      splash_(std::make_unique<WindowView>(splashModel_, Qt::Window | Qt::FramelessWindowHint)),
      app_(app),
      mainModel_(app.mainWindow().form()),
      tray_(app.mainWindow().popupMenu()),
      trayIcons_(
          app.mainWindow().tray().icons(), [this] { return &tray_.menu(); }, trayActions(app)) {
    paintSplash(*splash_);
    splashDisposal_.setSingleShot(true);
    splashDisposal_.setInterval(0);
    QObject::connect(&splashDisposal_, &QTimer::timeout, [this] { splash_.reset(); });
    splashShown_ = splashModel_.visible();
    splashObservation_ = splashModel_.observe([this] { splashChanged(); });
    mainObservation_ = mainModel_.observe([this] { mainChanged(); });
    mainChanged();
}

DesktopViews::~DesktopViews() {
    if (splashObservation_) splashModel_.unobserve(splashObservation_);
    if (mainObservation_) mainModel_.unobserve(mainObservation_);
}

void DesktopViews::mainChanged() {
    if (main_ || !mainModel_.visible()) return;
    // The model's notification copies its observers, so this one may leave while being told.
    mainModel_.unobserve(mainObservation_);
    mainObservation_ = 0;
    main_ = std::make_unique<WindowView>(mainModel_, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    minimise_ = std::make_unique<MinimiseToTray>(*main_, &QSystemTrayIcon::isSystemTrayAvailable,
                                                 [this] { app_.mainWindow().Hide1Click(); });
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
