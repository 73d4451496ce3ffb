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

TrayView::TrayView(MenuItem& menu, Window& mainWindow, std::function<void()> onDoubleClick)
    : menuModel_(menu), mainWindow_(mainWindow), onDoubleClick_(std::move(onDoubleClick)) {
    icon_.setIcon(programIcon());
    icon_.setToolTip(QString::fromStdString(mainWindow.caption()));
    icon_.setContextMenu(&menu_);
    connect(&menu_, &QMenu::aboutToShow, this, [this] {
        menuModel_.popup();
        rebuild();
    });
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // Showing the parked window as it stands would put it off-screen.
        if (reason == QSystemTrayIcon::DoubleClick && onDoubleClick_) onDoubleClick_();
    });
    rebuild();
    icon_.show();
}

void TrayView::rebuild() {
    menu_.clear();
    fill(menu_, menuModel_);
}

void TrayView::fill(QMenu& menu, const MenuItem& model) {
    for (MenuItem* item : model.items()) {
        if (!item->visible()) continue;
        if (item->isSeparator()) {
            menu.addSeparator();
            continue;
        }
        // An item with items of its own heads a submenu (Help, Quick Check).
        if (!item->items().empty()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item->caption()));
            sub->setObjectName(QString::fromStdString(item->name()));
            sub->setEnabled(item->enabled());
            fill(*sub, *item);
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item->caption()));
        action->setObjectName(QString::fromStdString(item->name()));
        action->setEnabled(item->enabled());
        connect(action, &QAction::triggered, &menu, [item] { item->click(); });
    }
}

}  // namespace kvx::ui::qt
