// The tray icons composed into the main window: what they read, and the poll's
// steps and the double click they take part in.
#include "ui/main_window/main_window.h"

namespace kvx::ui {

tray::TrayPlaces MainWindow::trayPlaces() {
    auto& visual = pages_["VisTabTabSheet"];
    return {visual.panels[3], visual.panels[0], visual.panels[2]};
}

tray::TraySources MainWindow::traySources() {
    tray::TraySources sources;
    sources.temperatureText = [this](int sensor) { return gauges_[sensor - 1]->centerLabel(); };
    sources.sensorName = [this](int sensor) { return names_[3 + sensor - 1]->text(); };
    sources.fanText = [this](int fan) { return display_.fanLabel(fan).caption(); };
    sources.sensorOn = [this](int sensor) { return channels_.source(sensor) != acquisition::TTemperatureSource::None; };
    sources.polling = [this] { return poll_.polling(); };
    return sources;
}

void MainWindow::wireTray() {
    poll_.hooks.createIcon = [this] { tray_.CreateIcon(); };
    poll_.hooks.suspendChanged = [this](bool suspended) { tray_.suspendChanged(suspended); };
    poll_.hooks.swapStep = [this] { tray_.Timer2Timer(); };
    // Rounding changes the °F texts of the scales and alarm limits.
    channels_.hooks.roundFahrenheitChanged = [this] { alarmSettings_.refreshLabels(); };
    // A double click repeats whichever of Show and Show & Expand was used last.
    tray_.onDoubleClick = [this] { trayDoubleClick(); };
}

}  // namespace kvx::ui
