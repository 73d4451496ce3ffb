#pragma once
#include <QMenu>

#include <map>
#include <memory>

#include "ui/model/controls.h"

namespace kvx::ui::qt {

// The tray menu built from the menu model, submenus included; the tray icons
// (TrayIconsView) open it. The QMenu is made the first time it is asked for
// (the first right click), so a run nobody opens the menu in carries none.
class TrayView : public QObject {
    Q_OBJECT
public:
    explicit TrayView(MenuItem& menu);
    QMenu& menu();
    bool menuMade() const { return menu_ != nullptr; }

private:
    void rebuild();
    static void fill(QMenu& menu, const MenuItem& model);

    MenuItem& menuModel_;
    std::unique_ptr<QMenu> menu_;
};

}  // namespace kvx::ui::qt
