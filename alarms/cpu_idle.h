#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::alarms {

// What the cooler control asks of the rest of the program. An empty function
// is a service that is not there: its step is skipped.
struct CpuIdleServices {
    std::function<double(int sensor)> gaugePosition;  // °C after compensation
    std::function<std::string()> degree;              // the window's degree string
    std::function<std::string()> timeText;            // the current time in the long time format
    std::function<bool()> writeWarnings;
    std::function<void(const std::string&)> writeWarning;
    // The cooler's entry in the machine's settings: nullopt when its key is
    // missing, else its "Path" ("" when that value is missing).
    std::function<std::optional<std::string>()> registryPath;
    std::function<bool(const std::string& path)> fileExists;
    std::function<void(const std::string& file, const std::string& folder)> executeFile;
    // The local message bus: whether a window of that title exists, and posting to it.
    std::function<bool(const std::string& title)> windowExists;
    std::function<void(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam)> post;
    std::function<void()> saveSettings;
    std::function<void(const std::string& url)> openWebPage;
    // The requests to show the small and the full window.
    std::function<void()> showSmall;
    std::function<void()> showFull;
};

// The outside cooler "CPUIdle": started when the monitored sensor reaches the
// launch value and closed when it falls to the close value, with the
// "CPUIdle" page's controls, the status memo, and the messages exchanged with
// the cooler's window.
class CpuIdleControl {
public:
    static constexpr const char* kWindowTitle = "CPUIdle";
    static constexpr uint32_t kShowSmallMessage = 0x8190;
    static constexpr uint32_t kShowFullMessage = 0x8191;
    static constexpr uint32_t kTemperatureRequest = 0x8192;
    // The answer to a temperature request, posted to the cooler's window.
    static constexpr uint32_t kTemperatureAnswer = 0x8190;
    // Posted after the platform's close request so that the cooler ends.
    static constexpr uint32_t kQuitMessage = 0x8000;
    static constexpr int kLaunchMin = 20;
    static constexpr int kLaunchMax = 80;
    static constexpr int kCloseMin = 17;
    static constexpr int kCloseMax = 77;
    static constexpr const char* kWebPage = "https://www.example.org/cpuidle/";

    struct Places {
        ui::Control* settingsPanel = nullptr;
        ui::Control* infoPanel = nullptr;
        ui::Control* aboutPanel = nullptr;
    };

    CpuIdleControl(ui::Window& form, Places places, CpuIdleServices services);

    CpuIdleServices& services() { return services_; }
    ui::ComboBox& sensorList() { return sensorList_; }
    ui::CheckBox& launchBox() { return launchBox_; }
    ui::CheckBox& closeBox() { return closeBox_; }
    ui::SpinButton& launchSpinButton() { return launchSpin_; }
    ui::SpinButton& closeSpinButton() { return closeSpin_; }
    ui::Label& launchValueLabel() { return launchValueLabel_; }
    ui::Button& applyButton() { return apply_; }
    ui::Button& resetButton() { return reset_; }
    ui::Memo& memo() { return memo_; }

    // The stored monitored-sensor index (0..2; any other value monitors sensor 1).
    int monitoredSensor() const { return monitored_; }
    void setMonitoredSensor(int index);
    int launchValue() const { return launchValue_; }
    void setLaunchValue(int value);
    int closeValue() const { return closeValue_; }
    void setCloseValue(int value);
    bool launched() const { return launched_; }
    // Item `sensor - 1` of the sensor list follows the sensor's name.
    void setSensorName(int sensor, const std::string& name);

    // The monitored gauge's position rounded to whole °C, halves to even.
    int monitoredTemperature() const;
    bool IsCPUIdleAlreadyRunning() const;
    // nullopt when the cooler is not installed (its boxes then unticked and
    // unavailable and the memo told); else its path ("" when not recorded).
    std::optional<std::string> CheckForCPUIdleInRegistry();
    void CheckCPUIdleLaunch();
    void CheckCPUIdleClose();
    // The poll's step: the launch test while not launched, then the close test.
    void pollStep();
    // A message posted to the main window; false when it is not one of the cooler's.
    bool handleMessage(uint32_t number);
    // The handlers run once at start-up and whenever the boxes change.
    void CheckBox77Click();
    void CheckBox78Click();
    void ComboBox7Change();

private:
    void addMemoLine(const std::string& text);
    void logWarning(const std::string& text);
    std::string valueText(int value) const;
    void showValueLabels();
    void showSensorLabels();
    void changed();

    CpuIdleServices services_;
    ui::ComboBox& sensorList_;
    ui::CheckBox& launchBox_;
    ui::Label& launchSensorLabel_;
    ui::SpinButton& launchSpin_;
    ui::Label& launchValueLabel_;
    ui::CheckBox& closeBox_;
    ui::Label& closeSensorLabel_;
    ui::SpinButton& closeSpin_;
    ui::Label& closeValueLabel_;
    ui::Button& apply_;
    ui::Memo& memo_;
    ui::Button& reset_;
    int monitored_ = 0;
    int launchValue_ = 45;
    int closeValue_ = 40;
    bool launched_ = false;
};

}  // namespace kvx::alarms
