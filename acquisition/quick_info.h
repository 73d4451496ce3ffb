#pragma once
#include <array>
#include <functional>
#include <string>

#include "acquisition/channels.h"
#include "acquisition/information_window.h"
#include "acquisition/reading_display.h"
#include "acquisition/up_down_statistics.h"
#include "ui/model/controls.h"
#include "ui/model/vu_meter.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// The tray menu's "Quick Check" entries: each shows its channel's present
// value when the menu opens, and opens the Information window when chosen.
class QuickInfo {
public:
    // What the entries show that other parts of the window own.
    struct Sources {
        std::function<std::string(int sensor)> sensorName;
        std::function<std::string(int fan)> fanName;
        // "Sound Alarm at: " texts and whether each alarm is on.
        std::function<std::string(int sensor)> temperatureAlarmText;
        std::function<bool(int sensor)> temperatureAlarmOn;
        std::function<std::string()> voltageAlarmText;
        std::function<bool(Rail)> voltageAlarmOn;
        std::function<std::string(int fan)> fanAlarmText;
        std::function<bool(int fan)> fanAlarmOn;
    };

    // Adds the twelve entries to `menu` (the "Quick Check" submenu).
    QuickInfo(ui::Window& form, ui::MenuItem& menu, std::array<ui::VUMeter*, kSensorCount> gauges,
              ReadingDisplay& display, UpDownStatistics& statistics, InformationWindow& information);

    Sources sources;

    // Rebuilds the entries' captions; runs each time the tray menu opens.
    void updateCaptions();

    void MBClick() { showSensor(1); }
    void CPUClick() { showSensor(2); }
    void WBSensor2Click() { showSensor(3); }
    void COREClick() { showRail(Rail::Core); }
    void Po33Click() { showRail(Rail::P33); }
    void Po5Click() { showRail(Rail::P5); }
    void Ne5Click() { showRail(Rail::N5); }
    void Po12Click() { showRail(Rail::P12); }
    void Ne12Click() { showRail(Rail::N12); }
    void FANnr1Click() { showFan(1); }
    void FANnr2Click() { showFan(2); }
    void FANnr3Click() { showFan(3); }

private:
    void showSensor(int sensor);
    void showRail(Rail rail);
    void showFan(int fan);
    void show(TChannel channel, const std::string& title, const std::string& alarm, const std::string& current,
              bool on);
    std::string sensorName(int sensor) const;
    std::string fanName(int fan) const;

    std::array<ui::VUMeter*, kSensorCount> gauges_;
    ReadingDisplay& display_;
    UpDownStatistics& statistics_;
    InformationWindow& information_;
    std::array<ui::MenuItem*, kSensorCount> sensorItems_{};
    std::array<ui::MenuItem*, kRailCount> railItems_{};
    std::array<ui::MenuItem*, kFanCount> fanItems_{};
};

}  // namespace kvx::acquisition
