#include "ui/qt/tray_view.h"

namespace kvx::ui::qt {

TrayView::TrayView(MenuItem& menu) : menuModel_(menu) {}

QMenu& TrayView::menu() {
    if (menu_) return *menu_;
    menu_ = std::make_unique<QMenu>();
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        menuModel_.popup();
        rebuild();
    });
    rebuild();
    return *menu_;
}

void TrayView::rebuild() {
    menu_->clear();
    fill(*menu_, menuModel_);
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
