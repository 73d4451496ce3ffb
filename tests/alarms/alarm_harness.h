#pragma once
// The alarms on a bare window: gauges, polling and names as plain values, and a
// modal host that answers the warning window and keeps every message it showed.
#include <array>
#include <string>
#include <vector>

#include "alarms/alarm_checks.h"
#include "alarms/alarm_settings.h"
#include "alarms/warning_window.h"

namespace kvx::alarms::test {

class AnsweringHost final : public ui::ModalHost {
public:
    std::string answer = "&Disable Alarm";
    std::vector<std::string> messages;
    // Whether polling had stopped while the window was open.
    std::vector<bool> pollingWhileShown;
    std::function<bool()> polling;

    void showModal(ui::Window& window) override {
        messages.push_back(window.require<ui::Label>("Label1").caption());
        pollingWhileShown.push_back(polling && polling());
        for (ui::Button* button : window.closingButtons())
            if (button->caption() == answer) return button->click();
    }
};

struct AlarmHarness {
    ui::Window form{"Form1"};
    std::array<float, kAlarmSensors> positions{35.0f, 35.0f, 35.0f};
    std::array<float, kAlarmSensors> scales{60.0f, 80.0f, 80.0f};
    std::array<bool, kAlarmSensors> inUse{true, true, true};
    bool polling = true;
    int speakerStarts = 0;
    int speakerStops = 0;
    bool writeWarnings = true;
    std::vector<std::string> warningLog;
    AnsweringHost host;

    AlarmSettings settings{form, places(), sources()};
    WarningWindow warning;
    AlarmChecks checks{settings, warning, services()};

    AlarmHarness() {
        warning.window().setModalHost(&host);
        host.polling = [this] { return polling; };
    }

    // One poll's fan step with these speeds (255 raw: not available).
    void fanPoll(std::array<double, kAlarmFans> rpm, std::array<bool, kAlarmFans> available = {true, true, true}) {
        checks.fanStepBegin();
        for (int fan = 1; fan <= kAlarmFans; ++fan) {
            if (!available[fan - 1]) {
                checks.fanNotAvailable(fan);
                continue;
            }
            checks.fanAvailable(fan);
            checks.fanSpeed(fan, rpm[fan - 1]);
        }
        checks.fanStepEnd();
    }

private:
    AlarmPlaces places() {
        AlarmPlaces p;
        for (int i = 0; i < 3; ++i) {
            p.sensorPanels[i] = &form.add<ui::Panel>(nullptr, "SensorPanel" + std::to_string(i));
            p.fanPanels[i] = &form.add<ui::Panel>(nullptr, "FanPanel" + std::to_string(i));
        }
        p.voltagePanel = &form.add<ui::Panel>(nullptr, "VoltagePanel");
        p.fanSettingsPanel = &form.add<ui::Panel>(nullptr, "FanSettingsPanel");
        return p;
    }
    AlarmSettingsSources sources() {
        AlarmSettingsSources s;
        s.gaugePosition = [this](int sensor) { return positions[sensor - 1]; };
        s.gaugeScale = [this](int sensor) { return scales[sensor - 1]; };
        s.setGaugeScale = [this](int sensor, float scale) { scales[sensor - 1] = scale; };
        s.degree = [] { return std::string("\xC2\xB0"); };
        s.roundFahrenheit = [] { return true; };
        return s;
    }
    AlarmServices services() {
        AlarmServices s;
        s.polling = [this] { return polling; };
        s.sensorInUse = [this](int sensor) { return inUse[sensor - 1]; };
        s.sensorName = [](int sensor) { return "Sensor " + std::to_string(sensor); };
        s.fanName = [](int fan) { return "Fan " + std::to_string(fan); };
        s.startSpeakerTimer = [this] { ++speakerStarts; };
        s.stopSpeaker = [this] { ++speakerStops; };
        s.writeWarnings = [this] { return writeWarnings; };
        s.writeWarning = [this](const std::string& text) { warningLog.push_back(text); };
        s.stopPolling = [this] { polling = false; };
        s.resumePolling = [this] { polling = true; };
        return s;
    }
};

}  // namespace kvx::alarms::test
