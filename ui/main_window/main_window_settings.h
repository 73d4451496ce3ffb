#pragma once
#include "settings/settings_bindings.h"
#include "ui/main_window/main_window.h"

namespace kvx::ui {

// Binds every setting that a control or state of the main window holds to it,
// so that reading the settings applies each value to its control (running the
// click handlers it would run) and writing takes each value from it. Settings
// whose controls are not on the window yet stay held by `bindings` and still
// round-trip.
void bindMainWindowSettings(settings::SettingsBindings& bindings, MainWindow& main);

// What happens at points of the reading: the interval-log timer after "Log File
// Interval", the "Tovel" item after the last value.
void afterSettingRead(settings::SettingsBindings& bindings, MainWindow& main, int readNumber);

}  // namespace kvx::ui
