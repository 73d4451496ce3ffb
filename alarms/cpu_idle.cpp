#include "alarms/cpu_idle.h"

#include <cmath>
#include <utility>

#include "platform/window_messages.h"

namespace kvx::alarms {
namespace {

// Whole degrees with a half going to the even neighbour (the default rounding mode).
int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

CpuIdleControl::CpuIdleControl(ui::Window& form, Places places, CpuIdleServices services)
    : services_(std::move(services)),
      sensorList_(form.add<ui::ComboBox>(places.settingsPanel, "ComboBox7")),
      launchBox_(form.add<ui::CheckBox>(places.settingsPanel, "CheckBox77")),
      launchSensorLabel_(form.add<ui::Label>(places.settingsPanel, "CPUIdleLaunchSensorLabel")),
      launchSpin_(form.add<ui::SpinButton>(places.settingsPanel, "CPUIdleLaunchSpinButton")),
      launchValueLabel_(form.add<ui::Label>(places.settingsPanel, "CPUIdleLaunchValueLabel")),
      closeBox_(form.add<ui::CheckBox>(places.settingsPanel, "CheckBox78")),
      closeSensorLabel_(form.add<ui::Label>(places.settingsPanel, "CPUIdleCloseSensorLabel")),
      closeSpin_(form.add<ui::SpinButton>(places.settingsPanel, "CPUIdleCloseSpinButton")),
      closeValueLabel_(form.add<ui::Label>(places.settingsPanel, "CPUIdleCloseValueLabel")),
      apply_(form.add<ui::Button>(places.settingsPanel, "SpeedButton23")),
      memo_(form.add<ui::Memo>(places.infoPanel, "CPUIdleMemo")),
      reset_(form.add<ui::Button>(places.infoPanel, "CPUIdleResetButton")) {
    auto& group = form.add<ui::Group>(places.settingsPanel, "CPUIdleSensorGroupBox");
    group.setCaption("Select your CPU sensor:");
    group.setBounds({8, 0, 240, 44});
    sensorList_.setItems({"Sensor 1", "Sensor 2", "Sensor 3"});
    sensorList_.setItemIndex(0);
    sensorList_.setBounds({16, 16, 150, 21});
    sensorList_.onChange = [this] {
        monitored_ = sensorList_.itemIndex();
        ComboBox7Change();
    };

    launchBox_.setCaption("Launch CPUIdle ");
    launchBox_.setBounds({8, 50, 150, 17});
    launchSensorLabel_.setBounds({24, 70, 200, 13});
    launchSpin_.setBounds({24, 86, 15, 21});
    launchValueLabel_.setBounds({44, 90, 200, 13});
    closeBox_.setCaption("Close CPUIdle ");
    closeBox_.setBounds({8, 114, 150, 17});
    closeSensorLabel_.setBounds({24, 134, 200, 13});
    closeSpin_.setBounds({24, 150, 15, 21});
    closeValueLabel_.setBounds({44, 154, 200, 13});
    apply_.setCaption("Apply");
    apply_.setBounds({8, 180, 65, 22});
    apply_.setEnabled(false);
    launchBox_.onClick = [this] { CheckBox77Click(); };
    closeBox_.onClick = [this] { CheckBox78Click(); };
    // The launch value never goes below the close value, nor the close value above it.
    launchSpin_.onUpClick = [this] {
        if (!(launchValue_ < kLaunchMax)) return;
        setLaunchValue(launchValue_ + 1);
        changed();
    };
    launchSpin_.onDownClick = [this] {
        if (!(launchValue_ > kLaunchMin && launchValue_ > closeValue_)) return;
        setLaunchValue(launchValue_ - 1);
        changed();
    };
    closeSpin_.onDownClick = [this] {
        if (!(closeValue_ > kCloseMin)) return;
        setCloseValue(closeValue_ - 1);
        changed();
    };
    closeSpin_.onUpClick = [this] {
        if (!(closeValue_ < kCloseMax && closeValue_ < launchValue_)) return;
        setCloseValue(closeValue_ + 1);
        changed();
    };
    apply_.onClick = [this] {
        apply_.setEnabled(false);
        if (services_.saveSettings) services_.saveSettings();
    };

    memo_.setBounds({8, 0, 240, 150});
    reset_.setCaption("Reset");
    reset_.setBounds({8, 156, 65, 22});
    reset_.setEnabled(false);
    reset_.onClick = [this] {
        addMemoLine(": Reset");
        launched_ = false;
        reset_.setEnabled(false);
    };

    auto& about = form.add<ui::Label>(places.aboutPanel, "CPUIdleAboutLabel");
    about.setCaption("CpuIdle for Win95/98\nCools the processor by halting it while the system has nothing to do.");
    about.setBounds({8, 8, 240, 120});
    auto& link = form.add<ui::Button>(places.aboutPanel, "CPUIdleWebLabel");
    link.setCaption(kWebPage);
    link.setBounds({8, 140, 240, 13});
    link.onClick = [this] {
        if (services_.openWebPage) services_.openWebPage(kWebPage);
    };
    showValueLabels();
    showSensorLabels();
}

void CpuIdleControl::setMonitoredSensor(int index) {
    monitored_ = index;
    sensorList_.setItemIndex(index);
    showSensorLabels();
}

void CpuIdleControl::setLaunchValue(int value) {
    launchValue_ = value;
    showValueLabels();
}

void CpuIdleControl::setCloseValue(int value) {
    closeValue_ = value;
    showValueLabels();
}

void CpuIdleControl::setSensorName(int sensor, const std::string& name) {
    sensorList_.setItem(sensor - 1, name);
    showSensorLabels();
}

int CpuIdleControl::monitoredTemperature() const {
    int sensor = monitored_ >= 0 && monitored_ <= 2 ? monitored_ : 0;
    return services_.gaugePosition ? roundHalfEven(services_.gaugePosition(sensor + 1)) : 0;
}

bool CpuIdleControl::IsCPUIdleAlreadyRunning() const {
    return services_.windowExists && services_.windowExists(kWindowTitle);
}

std::optional<std::string> CpuIdleControl::CheckForCPUIdleInRegistry() {
    std::optional<std::string> path = services_.registryPath ? services_.registryPath() : std::nullopt;
    if (!path) {
        for (ui::CheckBox* box : {&launchBox_, &closeBox_}) {
            box->setChecked(false);
            box->setEnabled(false);
        }
        addMemoLine(": CPU Idle could not be found.");
    }
    return path;
}

void CpuIdleControl::CheckCPUIdleLaunch() {
    if (monitoredTemperature() < launchValue_) return;
    launched_ = true;
    reset_.setEnabled(true);
    if (IsCPUIdleAlreadyRunning()) {
        addMemoLine(": CPU Idle was already running.");
        logWarning("CPU Idle was already running.");
        return;
    }
    std::string path = CheckForCPUIdleInRegistry().value_or(std::string());
    if (!path.empty() && services_.fileExists && services_.fileExists(path)) {
        if (services_.executeFile) services_.executeFile(path, folderOf(path));
        addMemoLine(": CPU Idle was launched by KVX.");
        logWarning("CPU Idle was launched by KVX.");
    } else {
        addMemoLine(": CPU Idle could not be found by KVX");
        logWarning("CPU Idle could not be found by KVX");
    }
}

void CpuIdleControl::CheckCPUIdleClose() {
    if (monitoredTemperature() > closeValue_ || !IsCPUIdleAlreadyRunning()) return;
    launched_ = false;
    if (!services_.post) return;
    services_.post(kWindowTitle, platform::kCloseMessage, 0, 0);
    services_.post(kWindowTitle, kQuitMessage, 0, 0);
    addMemoLine(": CPU Idle was closed by KVX.");
    logWarning("CPU Idle was closed by KVX.");
}

void CpuIdleControl::pollStep() {
    if (launchBox_.checked() && !launched_) CheckCPUIdleLaunch();
    if (closeBox_.checked()) CheckCPUIdleClose();
}

bool CpuIdleControl::handleMessage(uint32_t number) {
    switch (number) {
        case kShowSmallMessage:
            if (services_.showSmall) services_.showSmall();
            return true;
        case kShowFullMessage:
            if (services_.showFull) services_.showFull();
            return true;
        case kTemperatureRequest: {
            // A request while no cooler window exists is ignored.
            if (!IsCPUIdleAlreadyRunning() || !services_.post) return true;
            int sensor = monitored_ >= 0 && monitored_ <= 2 ? monitored_ : 0;
            services_.post(kWindowTitle, kTemperatureAnswer, sensor, monitoredTemperature());
            return true;
        }
        default: return false;
    }
}

void CpuIdleControl::CheckBox77Click() {
    bool on = launchBox_.checked();
    launchSensorLabel_.setEnabled(on);
    launchValueLabel_.setEnabled(on);
    launchSpin_.setEnabled(on);
    apply_.setEnabled(true);
}

void CpuIdleControl::CheckBox78Click() {
    bool on = closeBox_.checked();
    closeSensorLabel_.setEnabled(on);
    closeValueLabel_.setEnabled(on);
    closeSpin_.setEnabled(on);
    apply_.setEnabled(true);
}

void CpuIdleControl::ComboBox7Change() {
    showSensorLabels();
    apply_.setEnabled(true);
}

void CpuIdleControl::showSensorLabels() {
    std::string caption = "If Sensor: " + sensorList_.text();
    launchSensorLabel_.setCaption(caption);
    closeSensorLabel_.setCaption(caption);
}

void CpuIdleControl::addMemoLine(const std::string& text) {
    memo_.addLine((services_.timeText ? services_.timeText() : std::string()) + text);
}

void CpuIdleControl::logWarning(const std::string& text) {
    if (services_.writeWarnings && services_.writeWarnings() && services_.writeWarning) services_.writeWarning(text);
}

std::string CpuIdleControl::valueText(int value) const {
    std::string degree = services_.degree ? services_.degree() : std::string("\xC2\xB0");
    int fahrenheit = static_cast<int>(std::nearbyint(value * 1.8 + 32.0));
    return "has reached " + std::to_string(value) + degree + "C / " + std::to_string(fahrenheit) + degree + "F";
}

void CpuIdleControl::showValueLabels() {
    launchValueLabel_.setCaption(valueText(launchValue_));
    closeValueLabel_.setCaption(valueText(closeValue_));
}

void CpuIdleControl::changed() { apply_.setEnabled(true); }

}  // namespace kvx::alarms
