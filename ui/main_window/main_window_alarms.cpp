// The alarms on the main window: where their controls go, what they read, and
// the poll and quick-info slots they fill.
#include "ui/main_window/main_window.h"

namespace kvx::ui {
namespace {

// A check box of the Log page that the warning log shares with the other logs:
// made here unless the log side has made it already.
CheckBox& sharedLogBox(Window& form, Control* panel, const char* name, const char* caption, bool checked, int top) {
    if (auto* existing = dynamic_cast<CheckBox*>(form.find(name))) return *existing;
    auto& box = form.add<CheckBox>(panel, name);
    box.setCaption(caption);
    box.setCheckedSilently(checked);
    box.setBounds({8, top, 200, 17});
    return box;
}

}  // namespace

alarms::AlarmPlaces MainWindow::alarmPlaces() {
    alarms::AlarmPlaces places;
    for (int i = 0; i < 3; ++i) places.sensorPanels[i] = pages_["AlarmTabTabSheet"].panels[i];
    places.voltagePanel = pages_["VoltTabTabSheet"].panels[0];
    places.fanSettingsPanel = pages_["FanTabTabSheet"].panels[0];
    for (int i = 0; i < 3; ++i) places.fanPanels[i] = pages_["FanTabTabSheet"].panels[1 + i];
    return places;
}

alarms::AlarmSettingsSources MainWindow::alarmSettingsSources() {
    alarms::AlarmSettingsSources sources;
    sources.gaugePosition = [this](int sensor) { return gauges_[sensor - 1]->position(); };
    sources.gaugeScale = [this](int sensor) { return gauges_[sensor - 1]->scale(); };
    sources.setGaugeScale = [this](int sensor, float scale) { gauges_[sensor - 1]->setScale(scale); };
    sources.degree = [this] { return channels_.textRules().degree; };
    sources.roundFahrenheit = [this] { return channels_.textRules().roundFahrenheit; };
    sources.number = number_;
    return sources;
}

alarms::AlarmServices MainWindow::alarmServices() {
    alarms::AlarmServices services;
    services.polling = [this] { return poll_.polling(); };
    services.sensorInUse = [this](int sensor) {
        return channels_.source(sensor) != acquisition::TTemperatureSource::None;
    };
    services.sensorName = [this](int sensor) { return names_[3 + sensor - 1]->text(); };
    services.fanName = [this](int fan) { return names_[fan - 1]->text(); };
    services.windowWidth = [this] { return form_.bounds().width; };
    services.compactWidth = [this] { return compactWidth_; };
    services.fullWidth = kExpandedWidth;
    services.setStayOnTop = [this](bool onTop) { form_.stayOnTop = onTop; };
    services.startSpeakerTimer = [this] { speaker_.startTimer(); };
    services.stopSpeaker = [this] { speaker_.stop(); };
    services.stopPolling = [this] { poll_.Timer1().setEnabled(false); };
    services.warningClosed = [this] {
        if (poll_.hooks.createIcon) poll_.hooks.createIcon();
    };
    return services;
}

void MainWindow::wireAlarms() {
    Control* logGeneral = pages_["LogTabTabSheet"].panels[0];
    auto* writeWarnings = &sharedLogBox(form_, logGeneral, "CheckBox41", "Write Warnings to Log File", false, 8);
    sharedLogBox(form_, logGeneral, "CheckBox6", "TXT", true, 120);
    sharedLogBox(form_, logGeneral, "CheckBox79", "HTML", true, 138);
    alarmChecks_.services().writeWarnings = [writeWarnings] { return writeWarnings->checked(); };
    auto& loopWaves = form_.add<CheckBox>(pages_["GenTabTabSheet"].panels[1], "GenTabLoopWavesCheckBox");
    loopWaves.setCaption("Loop Alarm Waves");
    loopWaves.setBounds({8, 100, 200, 17});  // clear of the pitch label below

    auto& hooks = poll_.hooks;
    hooks.temperatureAlarms = [this] { alarmChecks_.temperatureAlarms(); };
    hooks.voltageOutOfBand = [this](acquisition::Rail rail, double value) {
        CheckBox& monitor = display_.monitorBox(rail);
        if (monitor.checked() && poll_.polling()) alarmChecks_.voltageOutOfBand(monitor.caption(), value);
    };
    hooks.voltagePercentOff = [this] { return alarmSettings_.voltagePercentOff(); };
    hooks.fanStepBegin = [this] { alarmChecks_.fanStepBegin(); };
    hooks.fanNotAvailable = [this](int fan) { alarmChecks_.fanNotAvailable(fan); };
    hooks.fanAvailable = [this](int fan) { alarmChecks_.fanAvailable(fan); };
    hooks.fanSpeed = [this](int fan, double rpm) { alarmChecks_.fanSpeed(fan, rpm); };
    hooks.fanStepEnd = [this] { alarmChecks_.fanStepEnd(); };
    // The °F labels follow "Round °F" as the channel texts do.
    auto* roundFahrenheit = &form_.require<CheckBox>("CheckBox1");
    roundFahrenheit->onClick = [this, channelsClick = roundFahrenheit->onClick] {
        if (channelsClick) channelsClick();
        alarmSettings_.refreshLabels();
    };
    // A new band shows on the rails at once.
    alarmSettings_.onVoltagePercentChanged = [this] { poll_.pollNow(); };

    auto& sources = quickInfo_.sources;
    sources.temperatureAlarmText = [this](int sensor) {
        return "Sound Alarm at: " + alarmSettings_.thresholdCelsiusText(sensor) + "/" +
               alarmSettings_.thresholdFahrenheitText(sensor);
    };
    sources.temperatureAlarmOn = [this](int sensor) { return alarmSettings_.sensor(sensor).enable->checked(); };
    sources.voltageAlarmText = [this] { return alarmSettings_.voltagePercentLabel().caption(); };
    sources.voltageAlarmOn = [this](acquisition::Rail rail) {
        return alarmSettings_.voltage().enable->checked() && display_.monitorBox(rail).checked();
    };
    sources.fanAlarmText = [this](int fan) { return alarmSettings_.fanPercentLabel(fan).caption(); };
    sources.fanAlarmOn = [this](int fan) { return alarmSettings_.fan(fan).enable->checked(); };
}

}  // namespace kvx::ui
