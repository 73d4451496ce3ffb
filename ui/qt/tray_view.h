#pragma once
#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>
#include <map>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::ui::qt {

// The program's icon in the notification area with the tray menu built from
// the menu model (submenus included); a double click runs `onDoubleClick`,
// which opens the window as the user last chose.
class TrayView : public QObject {
    Q_OBJECT
public:
    TrayView(MenuItem& menu, Window& mainWindow, std::function<void()> onDoubleClick);
    QSystemTrayIcon& icon() { return icon_; }

private:
    void rebuild();
    static void fill(QMenu& menu, const MenuItem& model);

    MenuItem& menuModel_;
    Window& mainWindow_;
    std::function<void()> onDoubleClick_;
    QSystemTrayIcon icon_;
    QMenu menu_;
};

}  // namespace kvx::ui::qt
