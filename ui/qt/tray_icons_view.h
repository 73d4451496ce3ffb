#pragma once
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "ui/model/tray_icon.h"

namespace kvx::ui::qt {

// The four tray icon models in the desktop's notification area. An icon is
// drawn again only when its picture, drawing or the screen's scale changed.
// Where the desktop has no notification area the view says so once and asks
// for the small window, so the program never runs unseen; when one appears
// later the icons go there.
class TrayIconsView : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> showSmallWindow;
        std::function<bool()> windowHidden;
        // A line for the person who started the program.
        std::function<void(const std::string&)> tell;
    };
    // Gives the context menu; asked the first time an icon is right-clicked, so
    // that the menu is made only when someone opens it. May be empty: no menu.
    using MenuSource = std::function<QMenu*()>;
    // `isTrayAvailable` is the platform's answer, replaceable for tests.
    TrayIconsView(std::array<TrayIcon*, 4> models, MenuSource menu, Actions actions,
                  std::function<bool()> isTrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable);
    ~TrayIconsView() override;

    QSystemTrayIcon& icon(int index) { return *slots_[index].icon; }
    // How many times an icon image was drawn.
    int drawCount() const { return drawCount_; }
    // Looks for the notification area again: after every change of an icon, and
    // every kTrayCheckMs when none changes. A little longer than the default poll
    // (10 s), so that in a run whose icons change with every poll the look rides
    // on the poll's wake-up and the timer never fires on its own.
    void checkTray();
    static constexpr int kTrayCheckMs = 11000;

private:
    struct Drawn {
        TrayPicture picture;
        TrayIconDrawing drawing;
        qreal scale;
        bool operator==(const Drawn&) const = default;
    };
    struct Slot {
        TrayIcon* model = nullptr;
        std::unique_ptr<QSystemTrayIcon> icon;
        int observer = 0;
        std::optional<Drawn> drawn;
    };
    void update(Slot& slot);
    // The first right click: makes the menu, gives it to every icon and opens it.
    void openMenuFirstTime();

    std::array<Slot, 4> slots_;
    MenuSource menuSource_;
    Actions actions_;
    std::function<bool()> isTrayAvailable_;
    bool trayAvailable_ = false;
    bool toldNoTray_ = false;
    int drawCount_ = 0;
    QTimer trayCheck_;
};

}  // namespace kvx::ui::qt
