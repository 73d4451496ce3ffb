#include "ui/qt/tray_view.h"

namespace kvx::ui::qt {

TrayView::TrayView(MenuItem& menu) : menuModel_(menu) {
    connect(&menu_, &QMenu::aboutToShow, this, [this] {
        menuModel_.popup();
        rebuild();
    });
    rebuild();
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
