#include "ui/model/main_window_settings.h"

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
        auto* box = main_.form().findAs<CheckBox>(control);
        if (!box) return;
        b_.bind(setting, [box](const SettingValue& v) { box->setChecked(std::get<bool>(v)); },
                [box] { return SettingValue{box->checked()}; });
    }
    // A radio button: true chooses it (clearing its group), false leaves the group without it.
    void radio(const char* setting, const char* control) {
        auto* radio = main_.form().findAs<RadioButton>(control);
        if (!radio) return;
        b_.bind(setting, [radio](const SettingValue& v) { radio->setChecked(std::get<bool>(v)); },
                [radio] { return SettingValue{radio->checked()}; });
    }
    void edit(const char* setting, const char* control) {
        auto* edit = main_.form().findAs<Edit>(control);
        if (!edit) return;
        b_.bind(setting, [edit](const SettingValue& v) { edit->setText(std::get<std::string>(v)); },
                [edit] { return SettingValue{edit->text()}; });
    }
    void gaugeScale(const char* setting, int sensor) {
        VUMeter* gauge = &main_.gauge(sensor);
        b_.bind(setting, [gauge](const SettingValue& v) { gauge->setScale(static_cast<float>(std::get<double>(v))); },
                [gauge] { return SettingValue{static_cast<double>(gauge->scale())}; });
    }
    void timerInterval(const char* setting, Timer& timer) {
        b_.bind(setting, [&timer](const SettingValue& v) { timer.setInterval(std::get<int32_t>(v)); },
                [&timer] { return SettingValue{static_cast<int32_t>(timer.interval())}; });
    }
    void integer(const char* setting, std::function<void(int32_t)> apply, std::function<int32_t()> current) {
        b_.bind(setting, [apply = std::move(apply)](const SettingValue& v) { apply(std::get<int32_t>(v)); },
                [current = std::move(current)] { return SettingValue{current()}; });
    }
    void real(const char* setting, std::function<void(double)> apply, std::function<double()> current) {
        b_.bind(setting, [apply = std::move(apply)](const SettingValue& v) { apply(std::get<double>(v)); },
                [current = std::move(current)] { return SettingValue{current()}; });
    }

private:
    settings::SettingsBindings& b_;
    MainWindow& main_;
};

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
    bind.real("CoreVoltage", [&channels](double v) { channels.setCoreNominal(v); }, [&channels] { return channels.coreNominal(); });
    bind.real("3.3 Custom Value", [&channels](double v) { channels.setP33Nominal(v); }, [&channels] { return channels.p33Nominal(); });

    // The unit button shows the other unit's letter; the stored text is the unit shown.
    Button& unit = channels.unitButton();
    bindings.bind("C or F", [&unit](const SettingValue& v) { unit.setCaption(std::get<std::string>(v)); },
                  [&unit] { return SettingValue{std::string(unit.caption() == "F" ? "C" : "F")}; });
    // Start-up's press of the unit button turns the caption read into the unit shown.
    bindings.holdUntilSettled("C or F");

    // The saved position is taken from the window unless it is parked off-screen.
    bind.integer("Form X", [&main](int32_t v) { main.formX = v; },
                 [&main] { return main.parked() ? main.formX : main.form().bounds().left; });
    bind.integer("Form Y", [&main](int32_t v) { main.formY = v; },
                 [&main] { return main.parked() ? main.formY : main.form().bounds().top; });

    bind.checkBox("Round F", "CheckBox1");
    bind.radio("Show Temp in Tray", "RadioButton18");
    bind.checkBox("Show CPU Temp", "CheckBox25");
    bindings.bind("Interval",
                  [&poll](const SettingValue& v) { poll.setIntervalMs(std::get<int32_t>(v)); },
                  [&poll] { return SettingValue{static_cast<int32_t>(poll.intervalMs())}; });
    bind.checkBox("Startup Minimized", "GenTabStartInTrayCheckBox");
    bind.checkBox("Do Not Use Degree", "CheckBox20");

    // The in-use flags are worked out again from the sources at the end of start-up.
    // (An init-capture: clang 14 cannot capture a structured binding by name.)
    for (auto [setting, sensor] : {std::pair{"Check MB", 1}, std::pair{"Check CPU", 2}, std::pair{"Check WB2", 3}}) {
        bindings.bind(setting, [](const SettingValue&) {},
                      [&channels, sensor = sensor] { return SettingValue{channels.inUse(sensor)}; });
        bindings.holdUntilSettled(setting);
    }

    bind.checkBox("Exit Question", "GenTabEnableExitQCheckBox");
    bind.integer("Log File Interval", [&main](int32_t v) { main.Timer3().setInterval(v); },
                 [&main] { return static_cast<int32_t>(main.Timer3().interval()); });

    // Its click handler is detached while the stored state is applied.
    auto* mbCompensation = main.form().findAs<CheckBox>("CheckBox53");
    bindings.bind("Use LM78 Compensation",
                  [mbCompensation](const SettingValue& v) { mbCompensation->setCheckedSilently(std::get<bool>(v)); },
                  [mbCompensation] { return SettingValue{mbCompensation->checked()}; });
    bind.integer("LM78 Compensation", [&channels](int32_t v) { channels.setCompensationOffset(1, v); },
                 [&channels] { return static_cast<int32_t>(channels.compensationOffset(1)); });
    // The names cross over: "WB2 Compensation" is sensor 2's offset, shown on CheckBox69.
    bind.checkBox("Use WB2 Compensation", "CheckBox68");
    bind.integer("WB2 Compensation", [&channels](int32_t v) { channels.setCompensationOffset(2, v); },
                 [&channels] { return static_cast<int32_t>(channels.compensationOffset(2)); });
    bind.checkBox("Use WB3 Compensation", "CheckBox69");
    bind.integer("WB3 Compensation", [&channels](int32_t v) { channels.setCompensationOffset(3, v); },
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

    for (int sensor = 1; sensor <= 3; ++sensor) {
        std::string setting = "Sensor " + std::to_string(sensor);
        bind.integer(setting.c_str(), [&channels, sensor](int32_t v) { channels.setStoredSource(sensor, v); },
                     [&channels, sensor] { return static_cast<int32_t>(channels.source(sensor)); });
    }
}

void afterSettingRead(settings::SettingsBindings& bindings, MainWindow& main, int readNumber) {
    static const int logFileInterval = settings::findSetting("Log File Interval")->readNumber;
    if (readNumber == logFileInterval) main.Timer3().setEnabled(std::get<bool>(bindings.current("Log File")));
}

}  // namespace kvx::ui
