#pragma once
#include <QObject>
#include <QWidget>

#include <functional>

namespace kvx::ui::qt {

// Minimising `window` hides it to the notification area instead (the tray
// menu brings it back), as long as there is a notification area.
class MinimiseToTray : public QObject {
public:
    MinimiseToTray(QWidget& window, std::function<bool()> trayAvailable, std::function<void()> hideToTray);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<bool()> trayAvailable_;
    std::function<void()> hideToTray_;
};

}  // namespace kvx::ui::qt
