#pragma once
#include <QMenu>

#include <map>

#include "ui/model/controls.h"

namespace kvx::ui::qt {

// The tray menu built from the menu model, submenus included; the tray icons
// (TrayIconsView) open it.
class TrayView : public QObject {
    Q_OBJECT
public:
    explicit TrayView(MenuItem& menu);
    QMenu& menu() { return menu_; }

private:
    void rebuild();
    static void fill(QMenu& menu, const MenuItem& model);

    MenuItem& menuModel_;
    QMenu menu_;
};

}  // namespace kvx::ui::qt
