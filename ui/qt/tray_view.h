#pragma once
#include <QMenu>

#include <map>

#include "ui/model/controls.h"

namespace kvx::ui::qt {

// The tray menu built from the menu model; the tray icons (TrayIconsView)
// open it.
class TrayView : public QObject {
    Q_OBJECT
public:
    explicit TrayView(MenuItem& menu);
    QMenu& menu() { return menu_; }

private:
    void rebuild();

    MenuItem& menuModel_;
    QMenu menu_;
};

}  // namespace kvx::ui::qt
