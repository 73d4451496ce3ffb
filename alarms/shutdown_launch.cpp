#include "alarms/shutdown_launch.h"

#include <utility>

namespace kvx::alarms {
namespace {

constexpr std::array<const char*, 3> kWayItems = {"Shut Down the System ", "Shut Down the System with Force",
                                                  "Poweroff System"};
constexpr std::array<const char*, 3> kSwitches = {"/SHUTDOWN", "/FSHUTDOWN", "/POWEROFF"};

}  // namespace

ShutdownLaunch::ShutdownLaunch(ui::Window& form, ui::Control* settingsPanel, ui::Control* aboutPanel,
                               platform::Scheduler& scheduler, ShutdownServices services)
    : enable_(form.add<ui::CheckBox>(settingsPanel, "CheckBox11")),
      way_(form.add<ui::ComboBox>(settingsPanel, "ComboBox3")),
      spin_(form.add<ui::SpinButton>(settingsPanel, "SHDNTabCountdownSpinButton")),
      countdownLabel_(form.add<ui::Label>(settingsPanel, "Label42")),
      services_(std::move(services)),
      countdown_(
          scheduler,
          [this] {
              if (services_.startSpeakerTimer) services_.startSpeakerTimer();
          },
          [this] {
              if (services_.stopSpeaker) services_.stopSpeaker();
          }) {
    enable_.setCaption("Enable ShutDown NOW! for:");
    enable_.setBounds({8, 8, 200, 17});
    const char* boxNames[3] = {"CheckBox8", "CheckBox9", "CheckBox10"};
    for (int i = 0; i < 3; ++i) {
        sensors_[i] = &form.add<ui::CheckBox>(settingsPanel, boxNames[i]);
        sensors_[i]->setCaption("Sensor " + std::to_string(i + 1));
        sensors_[i]->setBounds({24, 28 + 18 * i, 180, 17});
        sensors_[i]->setEnabled(false);
    }
    enable_.onClick = [this] { CheckBox11Click(); };

    auto& wayGroup = form.add<ui::Group>(settingsPanel, "SHDNTabWayGroupBox");
    wayGroup.setCaption("Select way to launch ShutDown NOW!");
    wayGroup.setBounds({8, 90, 240, 48});
    way_.setItems({kWayItems.begin(), kWayItems.end()});
    way_.setItemIndex(0);
    way_.onChange = [this] { storedWay_ = way_.itemIndex(); };
    way_.setBounds({16, 108, 220, 21});

    auto& countdownGroup = form.add<ui::Group>(settingsPanel, "SHDNTabCountdownGroupBox");
    countdownGroup.setCaption("Select ShutDown NOW! countdown");
    countdownGroup.setBounds({8, 144, 240, 48});
    spin_.setBounds({16, 162, 15, 21});
    countdownLabel_.setBounds({40, 166, 120, 13});
    spin_.onUpClick = [this] {
        if (countdownMs_ < kMaxCountdownMs) setCountdownMs(countdownMs_ + kCountdownStepMs);
    };
    spin_.onDownClick = [this] {
        if (countdownMs_ > kMinCountdownMs) setCountdownMs(countdownMs_ - kCountdownStepMs);
    };
    showCountdownLabel();

    auto& about = form.add<ui::Label>(aboutPanel, "SHDNTabAboutLabel");
    about.setCaption(
        "ShutDown NOW! for Win 9x or NT\nShuts the system down, with force, or powers it off when a sensor "
        "passes its alarm temperature.");
    about.setBounds({8, 8, 240, 120});
    // The web address, clickable.
    auto& link = form.add<ui::Button>(aboutPanel, "SHDNTabWebLabel");
    link.setCaption(kWebPage);
    link.setBounds({8, 140, 240, 13});
    link.onClick = [this] {
        if (services_.openWebPage) services_.openWebPage(kWebPage);
    };

    // "&Cancel" switches the launch off for every sensor.
    countdown_.onCancel = [this] { enable_.setChecked(false); };
}

std::string ShutdownLaunch::switchFor(int way) {
    if (way < 0 || way >= static_cast<int>(kSwitches.size())) return {};
    return kSwitches[static_cast<size_t>(way)];
}

void ShutdownLaunch::setWay(int way) {
    // A stored value outside the list selects nothing and launches with no switch.
    storedWay_ = way;
    way_.setItemIndex(way >= 0 && way < static_cast<int>(way_.items().size()) ? way : -1);
}

void ShutdownLaunch::setCountdownMs(int ms) {
    countdownMs_ = ms;
    showCountdownLabel();
}

void ShutdownLaunch::showCountdownLabel() {
    countdownLabel_.setCaption(std::to_string(countdownMs_ / 1000) + " Seconds");
}

std::string ShutdownLaunch::CheckForShutDownNowInRegistry() {
    std::string location = services_.locate ? services_.locate() : std::string();
    if (location.empty()) {
        for (ui::CheckBox* box : {&enable_, sensors_[0], sensors_[1], sensors_[2]}) {
            box->setChecked(false);
            box->setEnabled(false);
        }
    }
    return location;
}

void ShutdownLaunch::CheckBox11Click() {
    for (ui::CheckBox* box : sensors_) box->setEnabled(enable_.checked());
}

bool ShutdownLaunch::takeOverAlarm(int sensor, const std::string& sensorName) {
    if (!enable_.checked() || !sensors_[sensor - 1]->checked()) return false;
    // Written before the countdown, so a cancelled launch is logged too.
    if (services_.writeWarnings && services_.writeWarnings() && services_.writeWarning)
        services_.writeWarning((services_.timeText ? services_.timeText() : std::string()) +
                               " - Launched ShutDown Now! on " + sensorName + " Alarm");
    LaunchSHDN();
    return true;
}

void ShutdownLaunch::LaunchSHDN() {
    std::string switchText = switchFor(storedWay_);
    if (!services_.polling || !services_.polling()) return;
    if (services_.stopPolling) services_.stopPolling();
    if (services_.showTaskbarEntry) services_.showTaskbarEntry(true);
    bool launchDue = countdown_.run(kMessage, countdownMs_);
    if (services_.windowParked && services_.windowParked() && services_.showTaskbarEntry)
        services_.showTaskbarEntry(false);
    if (services_.startPolling) services_.startPolling();
    // A countdown cut short by the program's end launches nothing.
    if (!enable_.checked() || !launchDue) return;
    if (services_.saveSettings) services_.saveSettings();
    if (services_.launch) services_.launch(switchText);
}

}  // namespace kvx::alarms
