// The tray's start-up steps: the chip picture before the settings are read,
// one swap step after the first poll, and the icons the settings choose.
#include "app/application.h"

namespace kvx::app {

void Application::wireTray() {
    tray::TrayIcons& tray = mainWindow_->tray();
    steps_.createIconBitmap = [&tray] { tray.createIconBitmap(); };
    steps_.swapStep = [&tray] { tray.Timer2Timer(); };
    steps_.showTrayIcons = [&tray] { tray.showTrayIcons(); };
}

}  // namespace kvx::app
