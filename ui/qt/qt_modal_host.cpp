#include "ui/qt/qt_modal_host.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/qt/window_view.h"

namespace kvx::ui::qt {

void QtModalHost::showModal(Window& window) {
    // Dialogs open centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        const Bounds& b = window.bounds();
        window.setPosition(area.left() + (area.width() - b.width) / 2, area.top() + (area.height() - b.height) / 2);
    }
    WindowView view(window);
    view.setWindowModality(Qt::ApplicationModal);
    view.setWindowFlag(Qt::Dialog);
    view.show();
    view.raise();
    view.activateWindow();
    scheduler_.runUntil([&window] { return !window.isModalShowing(); });
}

}  // namespace kvx::ui::qt
