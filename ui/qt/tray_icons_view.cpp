#include "ui/qt/tray_icons_view.h"

#include <QCursor>
#include <QGuiApplication>

#include "ui/qt/tray_icon_painter.h"

namespace kvx::ui::qt {

TrayIconsView::TrayIconsView(std::array<TrayIcon*, 4> models, MenuSource menu, Actions actions,
                             std::function<bool()> isTrayAvailable)
    : menuSource_(std::move(menu)), actions_(std::move(actions)), isTrayAvailable_(std::move(isTrayAvailable)) {
    trayAvailable_ = isTrayAvailable_();
    for (size_t i = 0; i < models.size(); ++i) {
        Slot& slot = slots_[i];
        slot.model = models[i];
        slot.icon = std::make_unique<QSystemTrayIcon>();
        slot.icon->setObjectName(QString::fromStdString(models[i]->name()));
        TrayIcon* model = models[i];
        connect(slot.icon.get(), &QSystemTrayIcon::activated, this,
                [this, model](QSystemTrayIcon::ActivationReason why) {
                    if (why == QSystemTrayIcon::DoubleClick) model->doubleClick();
                    if (why == QSystemTrayIcon::Context) openMenuFirstTime();
                });
        // A tray that came or went is noticed with the next change of an icon, which
        // comes with a poll, so watching for it costs no wake-up of its own.
        slot.observer = model->observe([this, &slot] {
            update(slot);
            checkTray();
            // Just looked: the timer's look waits for a quiet interval again.
            if (trayCheck_.isActive()) trayCheck_.start();
        });
        update(slot);
    }
    // When no icon changes (steady readings, a stopped poll), a slow timer looks
    // instead: a wake-up a second for this alone cost more than the whole poll.
    // Each change starts its interval again, so it fires only in quiet times.
    connect(&trayCheck_, &QTimer::timeout, this, &TrayIconsView::checkTray);
    trayCheck_.setTimerType(Qt::VeryCoarseTimer);
    trayCheck_.start(kTrayCheckMs);
    // The first look comes once start-up has placed the window.
    QTimer::singleShot(0, this, &TrayIconsView::checkTray);
}

TrayIconsView::~TrayIconsView() {
    for (Slot& slot : slots_) slot.model->unobserve(slot.observer);
}

void TrayIconsView::openMenuFirstTime() {
    // Once the icons hold the menu, the platform opens it on a right click itself.
    if (!menuSource_ || slots_[0].icon->contextMenu()) return;
    QMenu* menu = menuSource_();
    if (!menu) return;
    for (Slot& slot : slots_) slot.icon->setContextMenu(menu);
    menu->popup(QCursor::pos());
}

void TrayIconsView::update(Slot& slot) {
    TrayIcon& model = *slot.model;
    Drawn wanted{model.picture(), model.drawing(), qGuiApp->devicePixelRatio()};
    bool isSensor = wanted.picture != TrayPicture::Chip && wanted.picture != TrayPicture::Suspend;
    // The built-in pictures do not depend on a drawing.
    if (!isSensor) wanted.drawing = {};
    if (!slot.drawn || !(*slot.drawn == wanted)) {
        slot.icon->setIcon(trayIconImage(model, wanted.scale));
        slot.drawn = wanted;
        ++drawCount_;
    }
    QString tip = QString::fromStdString(model.hint());
    if (slot.icon->toolTip() != tip) slot.icon->setToolTip(tip);
    bool shown = model.active() && trayAvailable_;
    if (slot.icon->isVisible() != shown) slot.icon->setVisible(shown);
}

void TrayIconsView::checkTray() {
    bool available = isTrayAvailable_();
    if (available != trayAvailable_) {
        trayAvailable_ = available;
        if (available && actions_.tell)
            actions_.tell("korvex: a notification area is here now; the tray icons are shown there");
        for (Slot& slot : slots_) {
            // Shown again from scratch, so the new notification area takes them in.
            slot.icon->setVisible(false);
            update(slot);
        }
    }
    if (available) return;
    if (!toldNoTray_ && actions_.tell)
        actions_.tell("korvex: this desktop has no notification area; the small window is shown instead");
    toldNoTray_ = true;
    // Without a tray a hidden window could not be brought back.
    if (actions_.windowHidden && actions_.windowHidden() && actions_.showSmallWindow) actions_.showSmallWindow();
}

}  // namespace kvx::ui::qt
