#include "alarms/alarm_checks.h"

#include <utility>

#include "text/band.h"

namespace kvx::alarms {
namespace {

using acquisition::fixedText;
using acquisition::generalText;

// The warning window's line break: line feed, then carriage return.
constexpr const char* kMessageBreak = "\n\r";

}  // namespace

AlarmChecks::AlarmChecks(AlarmSettings& settings, WarningWindow& warning, AlarmServices services)
    : settings_(settings), warning_(warning), services_(std::move(services)) {
    ui::Window& window = warning_.window();
    // No poll, and so no second alarm, runs while the warning is open.
    window.onShow = [this] {
        if (services_.stopPolling) services_.stopPolling();
    };
    window.onClose = [this] { warningClosed(); };
    warning_.enableButton().onClick = [this] { enableAlarmOf(source_); };
}

void AlarmChecks::temperatureAlarms() {
    for (int sensor = 1; sensor <= kAlarmSensors; ++sensor) {
        // The gauge's position is the compensated reading in °C as this poll gave it,
        // also when it is above the gauge's scale, so a reading past the scale still alarms.
        double reading = settings_.gaugePosition(sensor);
        bool reached = settings_.threshold(sensor) <= reading;
        if (reached && settings_.sensor(sensor).enable->checked() && services_.sensorInUse(sensor))
            DisplayTempAlarm(sensor);
    }
}

void AlarmChecks::fanStepBegin() { pending_.fill(false); }

void AlarmChecks::fanNotAvailable(int fan) {
    ui::CheckBox& enable = *settings_.fan(fan).enable;
    if (!enable.checked() || !services_.polling()) return;
    // A fan that stopped answering alarms at once, whatever the ignore count.
    ignoreCounters_[fan - 1] = settings_.ignoreCount();
    DisplayFanAlarm(fan, settings_.fanPercentOff(fan), 0.0);
    enable.setChecked(false);
}

void AlarmChecks::fanAvailable(int fan) { settings_.fan(fan).enable->setEnabled(true); }

void AlarmChecks::fanSpeed(int fan, double rpm) {
    double expected = settings_.fanRpm(fan);
    double band = expected / 100.0 * settings_.fanPercentOff(fan);
    if (acquisition::outsideBand(rpm, expected, band)) DisplayFanAlarm(fan, settings_.fanPercentOff(fan), rpm);
}

void AlarmChecks::fanStepEnd() {
    // A fan that was in band (or not tested) in this poll starts its count again.
    for (int i = 0; i < kAlarmFans; ++i)
        if (!pending_[i]) ignoreCounters_[i] = 0;
}

void AlarmChecks::DisplayTempAlarm(int sensor) {
    if (services_.shutdownInstead && services_.shutdownInstead(sensor)) return;
    AlarmActionBoxes& alarm = settings_.sensor(sensor);
    static constexpr AlarmSource kSensorSources[kAlarmSensors] = {AlarmSource::Sensor1, AlarmSource::Sensor2,
                                                                  AlarmSource::Sensor3};
    countActed(kSensorSources[sensor - 1]);
    if (services_.windowWidth && services_.windowWidth() > services_.compactWidth() && services_.setStayOnTop)
        services_.setStayOnTop(false);
    alarm.enable->setChecked(false);
    runAndPlay(alarm);
    if (alarm.pcSpeaker->checked() && services_.startSpeakerTimer) services_.startSpeakerTimer();
    std::string name = services_.sensorName(sensor);
    std::string limits = settings_.thresholdCelsiusText(sensor) + " / " + settings_.thresholdFahrenheitText(sensor);
    if (alarm.showMessage->checked())
        showWarning("Your " + name + " has reached the temperature of " + limits, kSensorSources[sensor - 1]);
    logWarning("WARNING: " + name + " has reached: " + limits);
    stopSpeaker();
    if (services_.windowWidth && services_.windowWidth() < services_.fullWidth && services_.setStayOnTop)
        services_.setStayOnTop(true);
}

void AlarmChecks::DisplayVoltageAlarm(const std::string& name, double value) {
    AlarmActionBoxes& alarm = settings_.voltage();
    // One box serves every rail: the first rail that acts silences the others.
    if (!alarm.enable->checked()) return;
    alarm.enable->setChecked(false);
    countActed(AlarmSource::Voltage);
    run(alarm);
    if (services_.windowWidth && services_.windowWidth() > services_.compactWidth() && services_.setStayOnTop)
        services_.setStayOnTop(false);
    play(alarm);
    if (alarm.pcSpeaker->checked() && services_.startSpeakerTimer) services_.startSpeakerTimer();
    const acquisition::NumberFormat& number = settings_.number();
    std::string volts = fixedText(value, 2, number);
    if (alarm.showMessage->checked())
        showWarning(std::string("Voltage Alarm for ") + name + kMessageBreak + "This unit is more then " +
                        generalText(settings_.voltagePercentOff(), number) +
                        "% off, and reached the value of: " + volts + " Volt." + kMessageBreak + kMessageBreak +
                        "Please go to the Voltage tab to turn this Alarm on again.",
                    AlarmSource::Voltage);
    if (services_.windowWidth && services_.windowWidth() < services_.fullWidth && services_.setStayOnTop)
        services_.setStayOnTop(true);
    logWarning("WARNING: " + name + " has reached: " + volts + "V");
    stopSpeaker();
}

void AlarmChecks::DisplayFanAlarm(int fan, int percent, double rpm) {
    AlarmActionBoxes& alarm = settings_.fan(fan);
    if (!alarm.enable->checked()) return;
    // Out of band on fewer consecutive polls than the ignore count: this poll is ignored.
    if (++ignoreCounters_[fan - 1] < settings_.ignoreCount()) {
        pending_[fan - 1] = true;
        return;
    }
    alarm.enable->setChecked(false);
    static constexpr AlarmSource kFanSources[kAlarmFans] = {AlarmSource::Fan1, AlarmSource::Fan2, AlarmSource::Fan3};
    countActed(kFanSources[fan - 1]);
    const acquisition::NumberFormat& number = settings_.number();
    std::string name = services_.fanName(fan);
    logWarning("WARNING: " + name + " has reached: " + generalText(rpm, number) + " RPM");
    runAndPlay(alarm);
    if (alarm.pcSpeaker->checked() && services_.startSpeakerTimer) services_.startSpeakerTimer();
    if (alarm.showMessage->checked())
        showWarning("Fan Alarm for " + name + ", this Fan is more then " + std::to_string(percent) +
                        "% off the user defined value of " + generalText(settings_.fanRpm(fan), number) +
                        ", and has reached the value of: " + generalText(rpm, number) + " RPM.",
                    kFanSources[fan - 1]);
    stopSpeaker();
}

void AlarmChecks::showWarning(const std::string& text, AlarmSource source) {
    warning_.message().setCaption(text);
    source_ = source;
    warning_.window().showModal();
}

void AlarmChecks::runAndPlay(const AlarmActionBoxes& alarm) {
    run(alarm);
    play(alarm);
}

void AlarmChecks::run(const AlarmActionBoxes& alarm) {
    if (!alarm.run->checked() || !services_.executeFile || !services_.fileExists) return;
    if (services_.fileExists(alarm.programPath)) services_.executeFile(alarm.programPath);
}

void AlarmChecks::play(const AlarmActionBoxes& alarm) {
    if (!alarm.play->checked() || !services_.playWave || !services_.fileExists) return;
    if (services_.fileExists(alarm.wavePath)) services_.playWave(alarm.wavePath);
}

void AlarmChecks::logWarning(const std::string& text) {
    if (services_.writeWarnings && services_.writeWarnings() && services_.writeWarning) services_.writeWarning(text);
}

void AlarmChecks::stopSpeaker() {
    if (services_.stopSpeaker) services_.stopSpeaker();
}

void AlarmChecks::enableAlarmOf(AlarmSource source) {
    ui::CheckBox* box = nullptr;
    switch (source) {
        case AlarmSource::Sensor1: box = settings_.sensor(1).enable; break;
        case AlarmSource::Sensor2: box = settings_.sensor(2).enable; break;
        case AlarmSource::Sensor3: box = settings_.sensor(3).enable; break;
        case AlarmSource::Voltage: box = settings_.voltage().enable; break;
        case AlarmSource::Fan1: box = settings_.fan(1).enable; break;
        case AlarmSource::Fan2: box = settings_.fan(2).enable; break;
        case AlarmSource::Fan3: box = settings_.fan(3).enable; break;
        case AlarmSource::None: break;
    }
    if (box) box->setChecked(true);
}

void AlarmChecks::warningClosed() {
    if (services_.resumePolling) services_.resumePolling();
    if (services_.warningClosed) services_.warningClosed();
    stopSpeaker();
    if (services_.playWave) services_.playWave("");
}

}  // namespace kvx::alarms
