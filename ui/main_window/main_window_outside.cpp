// The outside programs on the main window: the shutdown launch in place of a
// temperature alarm, the cooler's poll step and the system information panel.
#include "ui/main_window/main_window.h"

namespace kvx::ui {

void MainWindow::wireOutsidePrograms() {
    Timer* pollTimer = &poll_.Timer1();
    auto* writeWarnings = &form_.require<CheckBox>("CheckBox41");

    alarms::ShutdownServices& shdn = shutdown_.services();
    shdn.polling = [this] { return poll_.polling(); };
    shdn.stopPolling = [pollTimer] { pollTimer->setEnabled(false); };
    shdn.startPolling = [pollTimer] { pollTimer->setEnabled(true); };
    shdn.windowParked = [this] { return parked(); };
    shdn.startSpeakerTimer = [this] { speaker_.startTimer(); };
    shdn.stopSpeaker = [this] { speaker_.stop(); };
    shdn.writeWarnings = [writeWarnings] { return writeWarnings->checked(); };
    alarmChecks_.services().shutdownInstead = [this](int sensor) {
        return shutdown_.takeOverAlarm(sensor, names_[3 + sensor - 1]->text());
    };

    alarms::CpuIdleServices& idle = cpuIdle_.services();
    idle.gaugePosition = [this](int sensor) { return static_cast<double>(gauges_[sensor - 1]->position()); };
    idle.degree = [this] { return channels_.textRules().degree; };
    idle.writeWarnings = [writeWarnings] { return writeWarnings->checked(); };
    idle.showSmall = [this] { Show2Click(); };
    idle.showFull = [this] { Show1Click(); };
    poll_.hooks.cpuIdle = [this] { cpuIdle_.pollStep(); };

    // "System Info" is filled afresh each time it is chosen.
    auto* selector = &form_.require<ComboBox>("GenTabComboBox");
    selector->onChange = [this, selector, showPanel = selector->onChange] {
        if (selector->itemIndex() == 2) systemInfo_.SetAllSystemInfo();
        if (showPanel) showPanel();
    };
}

}  // namespace kvx::ui
