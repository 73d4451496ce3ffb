#include "ui/qt/tray_view.h"

#include <QPainter>
#include <QPixmap>

namespace kvx::ui::qt {
namespace {

QIcon programIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 0, 128));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(1, 1, 30, 30);
    painter.setPen(Qt::white);
    painter.setFont(QFont("Arial", 16, QFont::Bold));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, "K");
    return QIcon(pixmap);
}

}  // namespace

TrayView::TrayView(MenuItem& menu, Window& mainWindow) : menuModel_(menu), mainWindow_(mainWindow) {
    icon_.setIcon(programIcon());
    icon_.setToolTip(QString::fromStdString(mainWindow.caption()));
    icon_.setContextMenu(&menu_);
    connect(&menu_, &QMenu::aboutToShow, this, [this] {
        menuModel_.popup();
        rebuild();
    });
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) mainWindow_.setVisible(true);
    });
    rebuild();
    icon_.show();
}

void TrayView::rebuild() {
    menu_.clear();
    for (MenuItem* item : menuModel_.items()) {
        if (!item->visible()) continue;
        if (item->isSeparator()) {
            menu_.addSeparator();
            continue;
        }
        QAction* action = menu_.addAction(QString::fromStdString(item->caption()));
        action->setObjectName(QString::fromStdString(item->name()));
        action->setEnabled(item->enabled());
        connect(action, &QAction::triggered, this, [item] { item->click(); });
    }
}

}  // namespace kvx::ui::qt
