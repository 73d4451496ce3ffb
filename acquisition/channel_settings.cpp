#include "acquisition/channel_settings.h"

#include <functional>
#include <vector>

namespace kvx::acquisition {
namespace {

// The compensation check box and spin button of each sensor. The names cross
// over between sensors 2 and 3; stored settings depend on this pairing.
struct CompensationDesign {
    const char* group;
    const char* box;
    const char* spin;
};
constexpr CompensationDesign kCompensation[kSensorCount] = {
    {"GroupBox23", "CheckBox53", "SpinButton18"},
    {"GroupBox32", "CheckBox69", "SpinButton24"},
    {"GroupBox31", "CheckBox68", "SpinButton23"},
};

struct RadioDesign {
    const char* name;
    const char* caption;
    int value;
};
constexpr RadioDesign kFanTypes[kFanCount][2] = {
    {{"RadioButton23", "1", 1}, {"RadioButton24", "2", 2}},
    {{"RadioButton21", "1", 1}, {"RadioButton22", "2", 2}},
    {{"RadioButton13", "1", 1}, {"RadioButton14", "2", 2}},
};
constexpr RadioDesign kFanDivisors[2][4] = {
    {{"RadioButton15", "1", 1}, {"RadioButton9", "2", 2}, {"RadioButton10", "4", 4}, {"RadioButton16", "8", 8}},
    {{"RadioButton17", "1", 1}, {"RadioButton11", "2", 2}, {"RadioButton12", "4", 4}, {"RadioButton20", "8", 8}},
};

// A label and a row of radio buttons forming one group ("Fan1Type", "Fan1Div", ...),
// the one of value `chosen` checked; a click reports the button's value.
template <size_t N>
void addRadioRow(ui::Window& form, ui::Control* parent, const std::string& group, const std::string& caption,
                 const RadioDesign (&row)[N], int top, int chosen, const std::function<void(int)>& click) {
    auto& label = form.add<ui::Label>(parent, "FanTab" + group + "Label");
    label.setCaption(caption);
    label.setBounds({8, top + 2, 70, 13});
    for (size_t i = 0; i < N; ++i) {
        auto& radio = form.add<ui::RadioButton>(parent, row[i].name, group);
        radio.setCaption(row[i].caption);
        radio.setBounds({80 + 36 * static_cast<int>(i), top, 34, 17});
        if (row[i].value == chosen) radio.setChecked(true);
        radio.onClick = [click, value = row[i].value] { click(value); };
    }
}

std::vector<std::string> allSources() {
    const auto& captions = sourceCaptions();
    return {captions.begin(), captions.end()};
}

}  // namespace

ChannelSettings::ChannelSettings(ui::Window& form, const ChannelSettingsPlaces& places, NumberFormat number)
    : number_(number),
      unitButton_(form.add<ui::Button>(nullptr, "SpeedButton2")),
      roundFahrenheit_(form.add<ui::CheckBox>(places.roundFahrenheitPanel, "CheckBox1")),
      port0_(form.add<ui::RadioButton>(places.coreSettingsPanel, "RadioButton1", "CorePort")),
      port1_(form.add<ui::RadioButton>(places.coreSettingsPanel, "RadioButton2", "CorePort")),
      coreNominalLabel_(form.add<ui::Label>(places.coreSettingsPanel, "Label11")) {
    rules_.number = number;

    const char* sourceLabels[kSensorCount] = {"Sensor 1 : ", "Sensor 2 :", "Sensor 3 :"};
    for (int i = 0; i < kSensorCount; ++i) {
        int sensor = i + 1;
        auto& label = form.add<ui::Label>(places.sourcePanel, "GenTabSensor" + std::to_string(sensor) + "Label");
        label.setCaption(sourceLabels[i]);
        label.setBounds({8, 8 + 26 * i, 56, 13});
        auto& list = form.add<ui::ComboBox>(places.sourcePanel, "Sensor" + std::to_string(sensor) + "ComboBox");
        list.setItems(allSources());
        list.setItemIndex(sources_[i]);
        list.setBounds({68, 4 + 26 * i, 100, 21});
        list.onChange = [this, sensor] { SensorComboBoxChange(sensor); };
        sourceLists_[i] = &list;

        auto& group = form.add<ui::Group>(places.compensationPage, kCompensation[i].group);
        group.setCaption("Sensor " + std::to_string(sensor));
        group.setBounds({8, 8 + 64 * i, 248, 56});
        auto& box = form.add<ui::CheckBox>(&group, kCompensation[i].box);
        box.setBounds({12, 20, 120, 17});
        box.onClick = [this] { pollNow(); };
        compensationBoxes_[i] = &box;
        auto& spin = form.add<ui::SpinButton>(&group, kCompensation[i].spin);
        spin.setBounds({140, 18, 15, 22});
        spin.onUpClick = [this, sensor] { CompensationUpClick(sensor); };
        spin.onDownClick = [this, sensor] { CompensationDownClick(sensor); };
        updateCompensationCaption(sensor);
    }

    unitButton_.setCaption("C");
    unitButton_.setBounds({88, 8, 15, 15});
    unitButton_.onClick = [this] { SpeedButton2Click(); };

    roundFahrenheit_.setCaption("Round " + rules_.degree + "F");
    roundFahrenheit_.setCheckedSilently(true);
    roundFahrenheit_.setBounds({8, 28, 120, 17});  // under "Use degree symbol in window"
    roundFahrenheit_.onClick = [this] { CheckBox1Click(); };

    auto& coreSpin = form.add<ui::SpinButton>(places.coreSettingsPanel, "SpinButton6");
    port0_.setCaption("Port 0");
    port1_.setCaption("Port 1");
    port0_.setBounds({8, 16, 60, 17});
    port1_.setBounds({8, 36, 60, 17});
    port0_.setChecked(true);
    port0_.onClick = [this] { pollNow(); };
    port1_.onClick = [this] { pollNow(); };
    coreNominalLabel_.setBounds({80, 26, 120, 13});
    coreNominalLabel_.setCaption(coreNominalText());
    coreSpin.setBounds({204, 20, 15, 22});
    coreSpin.onUpClick = [this] { SpinButton6UpClick(); };
    coreSpin.onDownClick = [this] { SpinButton6DownClick(); };

    auto& p33Label = form.add<ui::Label>(places.p33Panel, "Label131");
    p33Label.setCaption(p33NameText());
    p33Label.setBounds({8, 16, 120, 13});
    auto& p33Spin = form.add<ui::SpinButton>(places.p33Panel, "SpinButton25");
    p33Spin.setBounds({132, 12, 15, 22});
    p33Spin.onUpClick = [this] { SpinButton25UpClick(); };
    p33Spin.onDownClick = [this] { SpinButton25DownClick(); };

    for (int f = 0; f < kFanCount; ++f) {
        int fan = f + 1;
        addRadioRow(form, places.fanSettingsPanel, "Fan" + std::to_string(fan) + "Type",
                    "Fan " + std::to_string(fan) + " Type:", kFanTypes[f], 6 + 22 * f, 1,
                    [this, fan](int type) { FanTypeClick(fan, type); });
    }
    for (int f = 0; f < 2; ++f) {
        int fan = f + 1;
        addRadioRow(form, places.fanSettingsPanel, "Fan" + std::to_string(fan) + "Div",
                    "Fan " + std::to_string(fan) + " Div:", kFanDivisors[f], 78 + 22 * f, 2,
                    [this, fan](int divisor) { FanDivisorClick(fan, divisor); });
    }
}

void ChannelSettings::setDegree(std::string degree) {
    rules_.degree = std::move(degree);
    roundFahrenheit_.setCaption("Round " + rules_.degree + "F");
}

void ChannelSettings::setCompensationOffset(int sensor, int offset) {
    offsets_[sensor - 1] = offset;
    updateCompensationCaption(sensor);
}

void ChannelSettings::setCoreNominal(double volts) {
    coreNominal_ = volts;
    coreNominalLabel_.setCaption(coreNominalText());
}

void ChannelSettings::setP33Nominal(double volts) {
    p33Nominal_ = volts;
    if (hooks.p33NameChanged) hooks.p33NameChanged(p33NameText());
}

void ChannelSettings::restoreSource(int sensor, int index) {
    sources_[sensor - 1] = index;
    sourceLists_[sensor - 1]->setItemIndex(index);
    SensorComboBoxChange(sensor);
}

void ChannelSettings::CheckSMB(uint16_t smbusBase) {
    if (smbusBase != kNoSmbus) return;
    std::vector<std::string> shortened = allSources();
    shortened.resize(kSourcesWithoutSmbus);
    for (ui::ComboBox* list : sourceLists_) {
        int chosen = list->itemIndex();
        list->setItems(shortened);
        list->setItemIndex(chosen < kSourcesWithoutSmbus ? chosen : -1);
    }
}

void ChannelSettings::SensorComboBoxChange(int sensor) {
    int i = sensor - 1;
    int listed = sourceLists_[i]->itemIndex();
    // A stored LM75 source with no SMBus matches no entry: the sensor stays in use without a listed source.
    if (listed >= 0) sources_[i] = listed;
    if (sources_[i] != static_cast<int>(TTemperatureSource::None)) {
        pollNow();
        if (hooks.sensorSwitchedOn) hooks.sensorSwitchedOn(sensor);
        inUse_[i] = true;
        pollNow();
    } else {
        if (hooks.sensorSwitchedOff) hooks.sensorSwitchedOff(sensor);
        inUse_[i] = false;
    }
}

void ChannelSettings::updateCompensationCaption(int sensor) {
    compensationBoxes_[sensor - 1]->setCaption("Custom +" + std::to_string(offsets_[sensor - 1]));
}

void ChannelSettings::CompensationUpClick(int sensor) {
    if (offsets_[sensor - 1] < kMaxOffset) ++offsets_[sensor - 1];
    updateCompensationCaption(sensor);
}

void ChannelSettings::CompensationDownClick(int sensor) {
    if (offsets_[sensor - 1] > kMinOffset) --offsets_[sensor - 1];
    updateCompensationCaption(sensor);
}

void ChannelSettings::SpeedButton2Click() {
    // The caption names the other unit; any caption but "C" switches to Fahrenheit.
    if (unitButton_.caption() == "C") {
        rules_.celsius = true;
        unitButton_.setCaption("F");
    } else {
        rules_.celsius = false;
        unitButton_.setCaption("C");
    }
    pollNow();
    if (hooks.unitSwitched) hooks.unitSwitched(rules_);
}

void ChannelSettings::CheckBox1Click() {
    rules_.roundFahrenheit = roundFahrenheit_.checked();
    if (hooks.roundFahrenheitChanged) hooks.roundFahrenheitChanged();
    pollNow();
}

std::string ChannelSettings::coreNominalText() const {
    return "Core Voltage: " + fixedText(coreNominal_, 1, number_) + "Volt";
}

std::string ChannelSettings::p33NameText() const { return "+" + generalText(p33Nominal_, number_) + " Voltage"; }

// The bound is tested before the step on a value that collects rounding error,
// so from 2.8 the highest value reached shows as 5.1 and the lowest as 1.0.
void ChannelSettings::SpinButton6UpClick() {
    if (coreNominal_ < 5.0) coreNominal_ += 0.1;
    coreNominalLabel_.setCaption(coreNominalText());
}

void ChannelSettings::SpinButton6DownClick() {
    if (coreNominal_ > 1.0) coreNominal_ -= 0.1;
    coreNominalLabel_.setCaption(coreNominalText());
}

void ChannelSettings::SpinButton25UpClick() {
    if (p33Nominal_ < 4.0) p33Nominal_ += 0.1;
    if (hooks.p33NameChanged) hooks.p33NameChanged(p33NameText());
}

void ChannelSettings::SpinButton25DownClick() {
    if (p33Nominal_ > 3.0) p33Nominal_ -= 0.1;
    if (hooks.p33NameChanged) hooks.p33NameChanged(p33NameText());
}

void ChannelSettings::FanTypeClick(int fan, int type) {
    fanTypes_[fan - 1] = type;
    pollNow();
}

void ChannelSettings::FanDivisorClick(int fan, int divisor) {
    fanDivisors_[fan - 1] = divisor;
    if (hooks.setFanDivisor) hooks.setFanDivisor(fan, divisor);
    if (hooks.resetStatistics) hooks.resetStatistics();
    pollNow();
}

}  // namespace kvx::acquisition
