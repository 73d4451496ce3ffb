#pragma once
#include <array>
#include <functional>
#include <string>

#include "alarms/countdown_window.h"
#include "platform/scheduler.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::alarms {

// What the shutdown launch asks of the rest of the program. An empty function
// is a service that is not there: its step is skipped.
struct ShutdownServices {
    std::function<bool()> polling;  // the poll timer runs
    std::function<void()> stopPolling;
    std::function<void()> startPolling;
    std::function<void(bool)> showTaskbarEntry;
    std::function<bool()> windowParked;  // the main window is hidden off-screen
    std::function<void()> startSpeakerTimer;
    std::function<void()> stopSpeaker;  // stops the speaker timer and silences the speaker
    std::function<void()> saveSettings;
    // The launcher: where the shutdown program is ("" when not installed), and starting it.
    std::function<std::string()> locate;
    std::function<void(const std::string& switchText)> launch;
    std::function<std::string()> timeText;  // the current time in the long time format
    std::function<bool()> writeWarnings;
    std::function<void(const std::string&)> writeWarning;
    std::function<void(const std::string& url)> openWebPage;
};

// The shutdown program's launch: the "SHDN!" page's controls, the detection of
// the program, and the countdown before it is started in place of a
// temperature alarm.
class ShutdownLaunch {
public:
    static constexpr int kMinCountdownMs = 6000;
    static constexpr int kMaxCountdownMs = 60000;
    static constexpr int kCountdownStepMs = 1000;
    static constexpr int kDefaultCountdownMs = 15000;
    static constexpr const char* kMessage =
        "Korvex is about to launch ShutDown NOW!, press cancel to stop this process and to disable the "
        "ShutDown NOW! alarm settings";
    static constexpr const char* kWebPage = "https://www.example.org/shutdown-now/";

    ShutdownLaunch(ui::Window& form, ui::Control* settingsPanel, ui::Control* aboutPanel,
                   platform::Scheduler& scheduler, ShutdownServices services);

    ShutdownServices& services() { return services_; }
    CountdownWindow& countdown() { return countdown_; }
    ui::CheckBox& enableBox() { return enable_; }
    ui::CheckBox& sensorBox(int sensor) { return *sensors_[sensor - 1]; }
    ui::ComboBox& wayList() { return way_; }
    ui::SpinButton& countdownSpinButton() { return spin_; }

    // The command-line switch of a launch way; "" for a value outside 0..2.
    static std::string switchFor(int way);
    // The stored launch way, kept as read even when it lies outside the list.
    int way() const { return storedWay_; }
    void setWay(int way);
    int countdownMs() const { return countdownMs_; }
    void setCountdownMs(int ms);

    // Asks the launcher where the program is. Not installed: the four check
    // boxes are unticked and made unavailable and "" is the answer.
    std::string CheckForShutDownNowInRegistry();
    // When the alarm of `sensor` is due: true when the shutdown launch takes
    // its place (the launch is enabled and the sensor chosen); it has then
    // logged the launch and run the countdown.
    bool takeOverAlarm(int sensor, const std::string& sensorName);
    // Counts down and launches, unless the poll timer is stopped or the user cancels.
    void LaunchSHDN();
    // "Enable ShutDown NOW! for:" changed: the sensor boxes follow it.
    void CheckBox11Click();

private:
    void showCountdownLabel();

    ui::CheckBox& enable_;
    std::array<ui::CheckBox*, 3> sensors_{};
    ui::ComboBox& way_;
    ui::SpinButton& spin_;
    ui::Label& countdownLabel_;
    ShutdownServices services_;
    CountdownWindow countdown_;
    int countdownMs_ = kDefaultCountdownMs;
    int storedWay_ = 0;
};

}  // namespace kvx::alarms
