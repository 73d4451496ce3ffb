#pragma once
#include <QMenu>
#include <QSystemTrayIcon>

#include <map>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::ui::qt {

// The program's icon in the notification area with the tray menu built from
// the menu model; a double click shows the main window.
class TrayView : public QObject {
    Q_OBJECT
public:
    TrayView(MenuItem& menu, Window& mainWindow);
    QSystemTrayIcon& icon() { return icon_; }

private:
    void rebuild();

    MenuItem& menuModel_;
    Window& mainWindow_;
    QSystemTrayIcon icon_;
    QMenu menu_;
};

}  // namespace kvx::ui::qt
