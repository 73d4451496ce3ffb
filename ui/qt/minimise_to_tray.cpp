#include "ui/qt/minimise_to_tray.h"

#include <QEvent>
#include <QTimer>

namespace kvx::ui::qt {

MinimiseToTray::MinimiseToTray(QWidget& window, std::function<bool()> trayAvailable, std::function<void()> hideToTray)
    : window_(window), trayAvailable_(std::move(trayAvailable)), hideToTray_(std::move(hideToTray)) {
    window_.installEventFilter(this);
}

bool MinimiseToTray::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange && window_.isMinimized() &&
        trayAvailable_()) {
        // Once the state change is through: the window is hidden, not left minimised.
        QTimer::singleShot(0, this, [this] {
            window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
            hideToTray_();
        });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kvx::ui::qt
