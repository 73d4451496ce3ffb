#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_dialogs.h"
#include "text/number_text.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::alarms {

inline constexpr int kAlarmSensors = 3;
inline constexpr int kAlarmFans = 3;

// Where the alarm controls go on the main window's pages.
struct AlarmPlaces {
    std::array<ui::Control*, kAlarmSensors> sensorPanels{};  // "Alarms" page, one panel per sensor
    ui::Control* voltagePanel = nullptr;                     // "Voltages" page, "Voltage Settings"
    ui::Control* fanSettingsPanel = nullptr;                 // "Fan's" page, "Fan Settings"
    std::array<ui::Control*, kAlarmFans> fanPanels{};        // "Fan's" page, one panel per fan
};

// What the alarm settings read from the rest of the window.
struct AlarmSettingsSources {
    // The gauge of a sensor: its position (the compensated reading in °C) and scale maximum.
    std::function<float(int sensor)> gaugePosition;
    std::function<float(int sensor)> gaugeScale;
    std::function<void(int sensor, float scale)> setGaugeScale;
    // The window's degree string ("°" or "") and whether Fahrenheit numbers are rounded.
    std::function<std::string()> degree;
    std::function<bool()> roundFahrenheit;
    acquisition::NumberFormat number;
};

// The alarm controls of one alarm that a temperature, voltage and fan alarm all have.
struct AlarmActionBoxes {
    ui::CheckBox* enable = nullptr;
    ui::CheckBox* run = nullptr;
    ui::CheckBox* play = nullptr;
    ui::CheckBox* showMessage = nullptr;
    ui::CheckBox* pcSpeaker = nullptr;
    ui::Label* programLabel = nullptr;
    ui::Label* waveLabel = nullptr;
    ui::Button* selectFile = nullptr;
    ui::Button* selectWave = nullptr;
    std::string programPath;
    std::string wavePath;
};

// The alarm settings of every sensor, the rails and every fan, with the
// controls that edit them on the "Alarms", "Voltages" and "Fan's" pages.
class AlarmSettings {
public:
    static constexpr int kDefaultThresholds[kAlarmSensors] = {50, 70, 70};
    static constexpr double kDefaultVoltagePercentOff = 10.0;
    static constexpr int kDefaultFanPercentOff = 10;
    static constexpr int kDefaultIgnoreCount = 5;

    AlarmSettings(ui::Window& form, const AlarmPlaces& places, AlarmSettingsSources sources);

    // Sensor alarms, sensor 1..3.
    AlarmActionBoxes& sensor(int sensor) { return sensors_[sensor - 1]; }
    int threshold(int sensor) const { return thresholds_[sensor - 1]; }
    // The compensated reading in °C that the sensor's gauge holds, also above its scale.
    float gaugePosition(int sensor) const { return sources_.gaugePosition(sensor); }
    void setThreshold(int sensor, int celsius);
    void thresholdUp(int sensor);
    void thresholdDown(int sensor);
    void scaleUp(int sensor);
    void scaleDown(int sensor);
    // The threshold's labels as the window shows them: "50°C" and "122°F".
    std::string thresholdCelsiusText(int sensor) const;
    std::string thresholdFahrenheitText(int sensor) const;

    // The voltage alarm, shared by all rails.
    AlarmActionBoxes& voltage() { return voltage_; }
    double voltagePercentOff() const { return voltagePercentOff_; }
    void setVoltagePercentOff(double percent);
    void voltagePercentUp();
    void voltagePercentDown();
    ui::Label& voltagePercentLabel() { return *voltagePercentLabel_; }
    // Runs after the percentage changed by a click, so the rails show the new band at once.
    std::function<void()> onVoltagePercentChanged;

    // Fan alarms, fan 1..3.
    AlarmActionBoxes& fan(int fan) { return fans_[fan - 1]; }
    double fanRpm(int fan) const { return fanRpm_[fan - 1]; }
    void setFanRpm(int fan, double rpm);
    void fanRpmUp(int fan);
    void fanRpmDown(int fan);
    int fanPercentOff(int fan) const { return fanPercent_[fan - 1]; }
    void setFanPercentOff(int fan, int percent);
    void fanPercentUp(int fan);
    void fanPercentDown(int fan);
    ui::Label& fanPercentLabel(int fan) { return *fanPercentLabels_[fan - 1]; }
    int ignoreCount() const { return ignoreCount_; }
    void setIgnoreCount(int count);
    void ignoreCountUp();
    void ignoreCountDown();

    // Every value label again, for a change of the degree string or the Fahrenheit rounding.
    void refreshLabels();
    // A program or wave path and the label that shows its file name ("[none]" when empty).
    const acquisition::NumberFormat& number() const { return sources_.number; }
    void setProgramPath(AlarmActionBoxes& alarm, std::string path);
    void setWavePath(AlarmActionBoxes& alarm, std::string path);
    // "Select File" and "Select Wave": the open-file dialog; nullopt when cancelled.
    // Unset, every choice is cancelled.
    std::function<std::optional<std::string>(platform::FileChoice, const std::string& startPath)> chooseFile;
    void selectProgram(AlarmActionBoxes& alarm);
    void selectWave(AlarmActionBoxes& alarm);
    // The groups whose captions carry the user's sensor and fan names.
    ui::Group& sensorAlarmGroup(int sensor) { return *sensorAlarmGroups_[sensor - 1]; }
    ui::Group& sensorScaleGroup(int sensor) { return *sensorScaleGroups_[sensor - 1]; }
    ui::Group& fanAlarmGroup(int fan) { return *fanAlarmGroups_[fan - 1]; }

private:
    AlarmActionBoxes makeActionBoxes(ui::Control* panel, const char* const names[5], const char* programLabel,
                                     const char* waveLabel, int top, const std::string& prefix);
    void connectSelectButtons(AlarmActionBoxes& alarm);
    void buildSensor(int sensor, ui::Control* panel);
    void buildVoltage(ui::Control* panel);
    void buildFan(int fan, ui::Control* panel);
    void updateSensorLabels(int sensor);
    std::string fahrenheitText(double celsius) const;

    ui::Window& form_;
    AlarmSettingsSources sources_;
    std::array<AlarmActionBoxes, kAlarmSensors> sensors_{};
    std::array<ui::Group*, kAlarmSensors> sensorAlarmGroups_{};
    std::array<ui::Group*, kAlarmSensors> sensorScaleGroups_{};
    std::array<ui::Group*, kAlarmFans> fanAlarmGroups_{};
    std::array<int, kAlarmSensors> thresholds_{50, 70, 70};
    std::array<ui::Label*, kAlarmSensors> thresholdCelsius_{};
    std::array<ui::Label*, kAlarmSensors> thresholdFahrenheit_{};
    std::array<ui::Label*, kAlarmSensors> scaleCelsius_{};
    std::array<ui::Label*, kAlarmSensors> scaleFahrenheit_{};
    AlarmActionBoxes voltage_;
    double voltagePercentOff_ = kDefaultVoltagePercentOff;
    ui::Label* voltagePercentLabel_ = nullptr;
    std::array<AlarmActionBoxes, kAlarmFans> fans_{};
    std::array<double, kAlarmFans> fanRpm_{};
    std::array<int, kAlarmFans> fanPercent_{kDefaultFanPercentOff, kDefaultFanPercentOff, kDefaultFanPercentOff};
    std::array<ui::Label*, kAlarmFans> fanRpmLabels_{};
    std::array<ui::Label*, kAlarmFans> fanPercentLabels_{};
    int ignoreCount_ = kDefaultIgnoreCount;
    ui::Label* ignoreLabel_ = nullptr;
};

// The file-name part of a path: the text after its last "\", "/" or ":".
std::string fileNamePart(const std::string& path);

}  // namespace kvx::alarms
