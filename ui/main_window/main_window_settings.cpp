#include "ui/main_window/main_window_settings.h"

#include <string>
#include <utility>

namespace kvx::ui {
namespace {

using settings::SettingValue;

class Binder {
public:
    Binder(settings::SettingsBindings& bindings, MainWindow& main) : b_(bindings), main_(main) {}

    // A check box: applying runs its click handler when the state changes.
    void checkBox(const char* setting, const char* control) {
        auto* box = &main_.form().require<CheckBox>(control);
        b_.bind(
            setting, [box](const SettingValue& v) { box->setChecked(std::get<bool>(v)); },
            [box] { return SettingValue{box->checked()}; });
    }
    // A radio button: true chooses it (clearing its group), false leaves the group without it.
    void radio(const char* setting, const char* control) {
        auto* radio = &main_.form().require<RadioButton>(control);
        b_.bind(
            setting, [radio](const SettingValue& v) { radio->setChecked(std::get<bool>(v)); },
            [radio] { return SettingValue{radio->checked()}; });
    }
    void edit(const char* setting, const char* control) {
        auto* edit = &main_.form().require<Edit>(control);
        b_.bind(
            setting, [edit](const SettingValue& v) { edit->setText(std::get<std::string>(v)); },
            [edit] { return SettingValue{edit->text()}; });
    }
    void gaugeScale(const char* setting, int sensor) {
        VUMeter* gauge = &main_.gauge(sensor);
        b_.bind(
            setting, [gauge](const SettingValue& v) { gauge->setScale(static_cast<float>(std::get<double>(v))); },
            [gauge] { return SettingValue{static_cast<double>(gauge->scale())}; });
    }
    void timerInterval(const char* setting, Timer& timer) {
        b_.bind(
            setting, [&timer](const SettingValue& v) { timer.setInterval(std::get<int32_t>(v)); },
            [&timer] { return SettingValue{static_cast<int32_t>(timer.interval())}; });
    }
    void integer(const char* setting, std::function<void(int32_t)> apply, std::function<int32_t()> current) {
        b_.bind(
            setting, [apply = std::move(apply)](const SettingValue& v) { apply(std::get<int32_t>(v)); },
            [current = std::move(current)] { return SettingValue{current()}; });
    }
    void real(const char* setting, std::function<void(double)> apply, std::function<double()> current) {
        b_.bind(
            setting, [apply = std::move(apply)](const SettingValue& v) { apply(std::get<double>(v)); },
            [current = std::move(current)] { return SettingValue{current()}; });
    }

private:
    settings::SettingsBindings& b_;
    MainWindow& main_;
};

void bindAlarmSettings(Binder& bind, settings::SettingsBindings& bindings, MainWindow& main);
void bindOutsideProgramSettings(Binder& bind, MainWindow& main);

}  // namespace

void bindMainWindowSettings(settings::SettingsBindings& bindings, MainWindow& main) {
    Binder bind(bindings, main);
    auto& channels = main.channels();
    auto& poll = main.poll();

    bind.gaugeScale("MB Tempature Scale", 1);
    bind.gaugeScale("CPU Tempature Scale", 2);
    bind.gaugeScale("Sensor 2 Temperature Scale", 3);

    bind.checkBox("VCore", "VMCoreVoltageCheckBox");
    bind.checkBox("V33", "VMP33VoltageCheckBox");
    bind.checkBox("V5", "VMP5VoltageCheckBox");
    bind.checkBox("Vm5Core", "VMN5VoltageCheckBox");
    bind.checkBox("V12", "VMP12VoltageCheckBox");
    bind.checkBox("Vm12", "VMN12VoltageCheckBox");
    bind.radio("Port 1", "RadioButton2");
    bind.real(
        "CoreVoltage", [&channels](double v) { channels.setCoreNominal(v); },
        [&channels] { return channels.coreNominal(); });
    bind.real(
        "3.3 Custom Value", [&channels](double v) { channels.setP33Nominal(v); },
        [&channels] { return channels.p33Nominal(); });

    // The unit button shows the other unit's letter; the stored text is the unit shown.
    Button& unit = channels.unitButton();
    bindings.bind(
        "C or F", [&unit](const SettingValue& v) { unit.setCaption(std::get<std::string>(v)); },
        [&unit] { return SettingValue{std::string(unit.caption() == "F" ? "C" : "F")}; });
    // Start-up's press of the unit button turns the caption read into the unit shown.
    bindings.holdUntilSettled("C or F");

    // The saved position is taken from the window unless it is parked off-screen.
    bind.integer(
        "Form X", [&main](int32_t v) { main.formX = v; },
        [&main] { return main.parked() ? main.formX : main.form().bounds().left; });
    bind.integer(
        "Form Y", [&main](int32_t v) { main.formY = v; },
        [&main] { return main.parked() ? main.formY : main.form().bounds().top; });

    bind.checkBox("Round F", "CheckBox1");
    bind.radio("Show Temp in Tray", "RadioButton18");
    bind.checkBox("Show CPU Temp", "CheckBox25");
    bindings.bind(
        "Interval", [&poll](const SettingValue& v) { poll.setIntervalMs(std::get<int32_t>(v)); },
        [&poll] { return SettingValue{static_cast<int32_t>(poll.intervalMs())}; });
    bind.checkBox("Startup Minimized", "GenTabStartInTrayCheckBox");
    bind.checkBox("Do Not Use Degree", "CheckBox20");

    // The in-use flags are worked out again from the sources at the end of start-up.
    // (An init-capture: clang 14 cannot capture a structured binding by name.)
    for (auto [setting, sensor] : {std::pair{"Check MB", 1}, std::pair{"Check CPU", 2}, std::pair{"Check WB2", 3}}) {
        bindings.bind(
            setting, [](const SettingValue&) {},
            [&channels, sensor = sensor] { return SettingValue{channels.inUse(sensor)}; });
        bindings.holdUntilSettled(setting);
    }

    bind.checkBox("Exit Question", "GenTabEnableExitQCheckBox");
    bind.integer(
        "Log File Interval", [&main](int32_t v) { main.intervalLog().setIntervalMs(v); },
        [&main] { return main.intervalLog().intervalMs(); });

    // Its click handler is detached while the stored state is applied.
    auto* mbCompensation = &main.form().require<CheckBox>("CheckBox53");
    bindings.bind(
        "Use LM78 Compensation",
        [mbCompensation](const SettingValue& v) { mbCompensation->setCheckedSilently(std::get<bool>(v)); },
        [mbCompensation] { return SettingValue{mbCompensation->checked()}; });
    bind.integer(
        "LM78 Compensation", [&channels](int32_t v) { channels.setCompensationOffset(1, v); },
        [&channels] { return static_cast<int32_t>(channels.compensationOffset(1)); });
    // The names cross over: "WB2 Compensation" is sensor 2's offset, shown on CheckBox69.
    bind.checkBox("Use WB2 Compensation", "CheckBox68");
    bind.integer(
        "WB2 Compensation", [&channels](int32_t v) { channels.setCompensationOffset(2, v); },
        [&channels] { return static_cast<int32_t>(channels.compensationOffset(2)); });
    bind.checkBox("Use WB3 Compensation", "CheckBox69");
    bind.integer(
        "WB3 Compensation", [&channels](int32_t v) { channels.setCompensationOffset(3, v); },
        [&channels] { return static_cast<int32_t>(channels.compensationOffset(3)); });

    bind.edit("Fan 1 Name", "Edit1");
    bind.edit("Fan 2 Name", "Edit2");
    bind.edit("Fan 3 Name", "Edit3");
    bind.edit("VUM 1 Name", "Edit4");
    bind.edit("VUM 2 Name", "Edit5");
    bind.edit("VUM 3 Name", "Edit6");

    bind.checkBox("Show WB Sensor 2 Temp", "CheckBox66");
    bind.checkBox("Show MB Temp", "CheckBox23");
    bind.radio("Swap Icons", "RadioButton19");
    bind.checkBox("Swap WB1", "CheckBox80");
    bind.checkBox("Swap LM75", "CheckBox81");
    bind.checkBox("Swap WB2", "CheckBox82");
    bind.timerInterval("Swap Interval", main.Timer2());

    const char* fanRadios[][2] = {
        {"Fan1 Type 1", "RadioButton23"}, {"Fan1 Type 2", "RadioButton24"}, {"Fan2 Type 1", "RadioButton21"},
        {"Fan2 Type 2", "RadioButton22"}, {"Fan3 Type 1", "RadioButton13"}, {"Fan3 Type 2", "RadioButton14"},
        {"Fan1 Div 1", "RadioButton15"},  {"Fan1 Div 2", "RadioButton9"},   {"Fan1 Div 4", "RadioButton10"},
        {"Fan1 Div 8", "RadioButton16"},  {"Fan2 Div 1", "RadioButton17"},  {"Fan2 Div 2", "RadioButton11"},
        {"Fan2 Div 4", "RadioButton12"},  {"Fan2 Div 8", "RadioButton20"},
    };
    for (auto& [setting, control] : fanRadios) bind.radio(setting, control);

    // The interval log and the Up/Down log.
    bind.checkBox("Log File", "CheckBox37");
    bind.integer(
        "Log File Size Max", [&main](int32_t v) { main.intervalLog().setSizeCapKb(v); },
        [&main] { return main.intervalLog().sizeCapKb(); });
    bind.checkBox("Log Files TXT", "CheckBox4");
    bind.checkBox("Log Files HTM", "CheckBox7");
    bind.checkBox("Log Files CSV", "CheckBox84");
    bind.edit("CSV Symbol", "Edit8");
    bind.checkBox("Warn/UpDown Files TXT", "CheckBox6");
    bind.checkBox("Warn/UpDown Files HTM", "CheckBox79");
    bind.checkBox("Save Up and Down on Exit", "CheckBox39");
    bind.checkBox("Show Log On Pop Up", "CheckBox42");

    for (int sensor = 1; sensor <= 3; ++sensor) {
        std::string setting = "Sensor " + std::to_string(sensor);
        bind.integer(
            setting.c_str(), [&channels, sensor](int32_t v) { channels.setStoredSource(sensor, v); },
            [&channels, sensor] { return static_cast<int32_t>(channels.source(sensor)); });
    }

    bindAlarmSettings(bind, bindings, main);
    bindOutsideProgramSettings(bind, main);
}

namespace {

// The alarm settings: every "Enable Alarm", run, play, Show Msg and PC Speaker box,
// the values the spin buttons edit and the program and wave paths.
void bindAlarmSettings(Binder& bind, settings::SettingsBindings& bindings, MainWindow& main) {
    alarms::AlarmSettings& alarms = main.alarmSettings();
    const char* boxes[][2] = {
        {"MB Alarm", "CheckBox3"},
        {"MB Alarm Run", "CheckBox5"},
        {"MB Alarm Wave", "CheckBox17"},
        {"MB Show Alarm Msg", "CheckBox13"},
        {"MB PC Speaker", "CheckBox48"},
        {"CPU Alarm", "CheckBox14"},
        {"CPU Alarm Run", "CheckBox12"},
        {"CPU Alarm Wave", "CheckBox18"},
        {"CPU Show Alarm Msg", "CheckBox49"},
        {"CPU PC Speaker", "CheckBox50"},
        {"WB Sensor 2 Alarm", "CheckBox56"},
        {"WB Sensor 2 Alarm Run", "CheckBox57"},
        {"WB Sensor 2 Alarm Play", "CheckBox58"},
        {"WB Sensor 2 Show Alarm Msg", "CheckBox59"},
        {"WB Sensor 2 PC Speaker", "CheckBox60"},
        {"Voltage Alarm", "CheckBox2"},
        {"Voltage Alarm Run", "CheckBox16"},
        {"Volt Alarm Wave", "CheckBox19"},
        {"Volt Show Alarm Msg", "CheckBox51"},
        {"Volt PC Speaker", "CheckBox52"},
        {"Fan1 Check", "CheckBox28"},
        {"Fan2 Check", "CheckBox29"},
        {"Fan3 Check", "CheckBox30"},
        {"Fan1 Alarm", "CheckBox31"},
        {"Fan2 Alarm", "CheckBox33"},
        {"Fan3 Alarm", "CheckBox35"},
        {"Fan1 Alarm Wave", "CheckBox32"},
        {"Fan2 Alarm Wave", "CheckBox34"},
        {"Fan3 Alarm Wave", "CheckBox36"},
        {"Fan1 Show Alarm Msg", "CheckBox40"},
        {"Fan2 Show Alarm Msg", "CheckBox44"},
        {"Fan3 Show Alarm Msg", "CheckBox46"},
        {"Fan1 PC Speaker", "CheckBox43"},
        {"Fan2 PC Speaker", "CheckBox45"},
        {"Fan3 PC Speaker", "CheckBox47"},
        {"Write Errors", "CheckBox41"},
        {"Loop Waves", "GenTabLoopWavesCheckBox"},
    };
    for (auto& [setting, control] : boxes) bind.checkBox(setting, control);
    // Shared with the Up/Down log: bound here unless the log side has bound them.
    for (auto [setting, control] :
         {std::pair{"Warn/UpDown Files TXT", "CheckBox6"}, std::pair{"Warn/UpDown Files HTM", "CheckBox79"}})
        if (!bindings.isBound(setting)) bind.checkBox(setting, control);

    const char* thresholds[3] = {"MB Tempature Alarm", "CPU Tempature Alarm", "WB Sensor 2 Tempature Alarm"};
    for (int sensor = 1; sensor <= 3; ++sensor)
        bind.integer(
            thresholds[sensor - 1], [&alarms, sensor](int32_t v) { alarms.setThreshold(sensor, v); },
            [&alarms, sensor] { return static_cast<int32_t>(alarms.threshold(sensor)); });
    bind.real(
        "Voltage Off", [&alarms](double v) { alarms.setVoltagePercentOff(v); },
        [&alarms] { return alarms.voltagePercentOff(); });
    for (int fan = 1; fan <= 3; ++fan) {
        std::string prefix = "Fan" + std::to_string(fan);
        bind.real((prefix + " Users RPM").c_str(), [&alarms, fan](double v) { alarms.setFanRpm(fan, v); },
                  [&alarms, fan] { return alarms.fanRpm(fan); });
        bind.integer((prefix + " Off Mark").c_str(), [&alarms, fan](int32_t v) { alarms.setFanPercentOff(fan, v); },
                     [&alarms, fan] { return static_cast<int32_t>(alarms.fanPercentOff(fan)); });
    }
    ui::TrackBar& pitch = main.pcSpeaker().pitchTrackBar();
    bind.integer(
        "PC Speaker Freq", [&pitch](int32_t v) { pitch.setPosition(v); },
        [&pitch] { return static_cast<int32_t>(pitch.position()); });
    bind.integer(
        "Ignore Fan Alarm", [&alarms](int32_t v) { alarms.setIgnoreCount(v); },
        [&alarms] { return static_cast<int32_t>(alarms.ignoreCount()); });

    auto paths = [&](const char* program, const char* wave, alarms::AlarmActionBoxes& alarm) {
        bindings.bind(
            program,
            [&alarms, &alarm](const SettingValue& v) { alarms.setProgramPath(alarm, std::get<std::string>(v)); },
            [&alarm] { return SettingValue{alarm.programPath}; });
        bindings.bind(
            wave, [&alarms, &alarm](const SettingValue& v) { alarms.setWavePath(alarm, std::get<std::string>(v)); },
            [&alarm] { return SettingValue{alarm.wavePath}; });
    };
    paths("MB Alarm Path", "MB Alarm Wave Path", alarms.sensor(1));
    paths("CPU Alarm Path", "CPU Alarm Wave Path", alarms.sensor(2));
    paths("WB Sensor 2 Alarm Path", "WB Sensor 2 Alarm Wave Path", alarms.sensor(3));
    paths("Voltage Alarm Path", "Volt Alarm Wave Path", alarms.voltage());
    for (int fan = 1; fan <= 3; ++fan) {
        std::string prefix = "Fan" + std::to_string(fan);
        paths((prefix + " Alarm Path").c_str(), (prefix + " Alarm Wave Path").c_str(), alarms.fan(fan));
    }
}

// The shutdown launch and the cooler control.
void bindOutsideProgramSettings(Binder& bind, MainWindow& main) {
    alarms::ShutdownLaunch& shdn = main.shutdown();
    bind.checkBox("SHDN - Enabled", "CheckBox11");
    bind.checkBox("SHDN - Sensor 1", "CheckBox8");
    bind.checkBox("SHDN - Sensor 2", "CheckBox9");
    bind.checkBox("SHDN - Sensor 3", "CheckBox10");
    bind.integer(
        "SHDN - way", [&shdn](int32_t v) { shdn.setWay(v); }, [&shdn] { return static_cast<int32_t>(shdn.way()); });
    bind.integer(
        "SHDN - Timer", [&shdn](int32_t v) { shdn.setCountdownMs(v); },
        [&shdn] { return static_cast<int32_t>(shdn.countdownMs()); });

    alarms::CpuIdleControl& idle = main.cpuIdle();
    bind.integer(
        "Sensor to Monitor for CPUIdle", [&idle](int32_t v) { idle.setMonitoredSensor(v); },
        [&idle] { return static_cast<int32_t>(idle.monitoredSensor()); });
    bind.checkBox("Use CPUIdle", "CheckBox77");
    bind.integer(
        "CPUIdle Alarm Value", [&idle](int32_t v) { idle.setLaunchValue(v); },
        [&idle] { return static_cast<int32_t>(idle.launchValue()); });
    bind.checkBox("Close CPUIdle", "CheckBox78");
    bind.integer(
        "CPUIdle Close Value", [&idle](int32_t v) { idle.setCloseValue(v); },
        [&idle] { return static_cast<int32_t>(idle.closeValue()); });
}

}  // namespace

void afterSettingRead(settings::SettingsBindings& bindings, MainWindow& main, int readNumber) {
    static const int logFileInterval = settings::findSetting("Log File Interval")->readNumber;
    if (readNumber == logFileInterval) main.Timer3().setEnabled(std::get<bool>(bindings.current("Log File")));
}

}  // namespace kvx::ui
