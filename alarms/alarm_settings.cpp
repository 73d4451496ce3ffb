#include "alarms/alarm_settings.h"

#include <utility>

namespace kvx::alarms {
namespace {

using acquisition::generalText;

// The control names of each alarm's boxes: enable, run, play, show message, PC speaker.
constexpr const char* kSensorBoxes[kAlarmSensors][5] = {
    {"CheckBox3", "CheckBox5", "CheckBox17", "CheckBox13", "CheckBox48"},
    {"CheckBox14", "CheckBox12", "CheckBox18", "CheckBox49", "CheckBox50"},
    {"CheckBox56", "CheckBox57", "CheckBox58", "CheckBox59", "CheckBox60"},
};
constexpr const char* kSensorPathLabels[kAlarmSensors][2] = {
    {"Label21", "Label25"}, {"Label12", "Label26"}, {"Label40", "Label92"}};
constexpr const char* kVoltageBoxes[5] = {"CheckBox2", "CheckBox16", "CheckBox19", "CheckBox51", "CheckBox52"};
constexpr const char* kFanBoxes[kAlarmFans][5] = {
    {"CheckBox28", "CheckBox31", "CheckBox32", "CheckBox40", "CheckBox43"},
    {"CheckBox29", "CheckBox33", "CheckBox34", "CheckBox44", "CheckBox45"},
    {"CheckBox30", "CheckBox35", "CheckBox36", "CheckBox46", "CheckBox47"},
};
// Each sensor's alarm group and maximum-scale group; each fan's alarm group.
constexpr const char* kSensorGroups[kAlarmSensors][2] = {
    {"GroupBox5", "GroupBox1"}, {"GroupBox7", "GroupBox3"}, {"GroupBox28", "GroupBox27"}};
constexpr const char* kFanGroups[kAlarmFans] = {"GroupBox17", "GroupBox18", "GroupBox19"};
// Each sensor's temperature labels, Celsius then Fahrenheit: the alarm threshold and the scale maximum.
constexpr const char* kThresholdLabels[kAlarmSensors][2] = {
    {"Label3", "Label4"}, {"Label23", "Label22"}, {"Label35", "Label34"}};
constexpr const char* kScaleLabels[kAlarmSensors][2] = {
    {"Label1", "Label2"}, {"Label16", "Label15"}, {"Label33", "Label32"}};
// Each fan's user RPM label and its "Sound Alarm at:" percentage label.
constexpr const char* kFanRpmLabels[kAlarmFans] = {"Label75", "Label76", "Label77"};
constexpr const char* kFanPercentLabels[kAlarmFans] = {"Label78", "Label79", "Label80"};
constexpr const char* kFanPathLabels[kAlarmFans][2] = {
    {"Label81", "Label82"}, {"Label83", "Label84"}, {"Label85", "Label86"}};

constexpr double kVoltagePercentStep = 0.5, kVoltagePercentMin = 0.5, kVoltagePercentMax = 20.0;
constexpr double kFanRpmStep = 100.0, kFanRpmMax = 32000.0;
constexpr int kFanPercentMax = 50, kIgnoreCountMax = 50;

}  // namespace

std::string fileNamePart(const std::string& path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

AlarmSettings::AlarmSettings(ui::Window& form, const AlarmPlaces& places, AlarmSettingsSources sources)
    : form_(form), sources_(std::move(sources)) {
    for (int s = 1; s <= kAlarmSensors; ++s) buildSensor(s, places.sensorPanels[s - 1]);
    buildVoltage(places.voltagePanel);
    auto& ignoreSpin = form_.add<ui::SpinButton>(places.fanSettingsPanel, "FanTabIgnoreSpinButton");
    ignoreSpin.setBounds({200, 180, 15, 21});
    ignoreSpin.onUpClick = [this] { ignoreCountUp(); };
    ignoreSpin.onDownClick = [this] { ignoreCountDown(); };
    ignoreLabel_ = &form_.add<ui::Label>(places.fanSettingsPanel, "Label110");
    ignoreLabel_->setBounds({8, 184, 180, 13});
    for (int f = 1; f <= kAlarmFans; ++f) buildFan(f, places.fanPanels[f - 1]);
    refreshLabels();
}

AlarmActionBoxes AlarmSettings::makeActionBoxes(ui::Control* panel, const char* const names[5],
                                                const char* programLabel, const char* waveLabel, int top,
                                                const std::string& prefix) {
    AlarmActionBoxes boxes;
    const char* captions[5] = {"Enable Alarm", "On Alarm run:", "On Alarm play:", "Show Msg", "PC Speaker"};
    ui::CheckBox** slots[5] = {&boxes.enable, &boxes.run, &boxes.play, &boxes.showMessage, &boxes.pcSpeaker};
    for (int i = 0; i < 5; ++i) {
        auto& box = form_.add<ui::CheckBox>(panel, names[i]);
        box.setCaption(captions[i]);
        box.setBounds({8 + (i >= 3 ? 148 : 0), top + 18 * (i >= 3 ? i - 3 : i), i >= 3 ? 90 : 146, 17});
        *slots[i] = &box;
    }
    boxes.showMessage->setCheckedSilently(true);
    boxes.pcSpeaker->setCheckedSilently(true);
    // The PC speaker sounds only while the warning window is open, so it is offered only with Show Msg.
    ui::CheckBox* show = boxes.showMessage;
    ui::CheckBox* speaker = boxes.pcSpeaker;
    show->onClick = [show, speaker] { speaker->setEnabled(show->checked()); };
    boxes.programLabel = &form_.add<ui::Label>(panel, programLabel);
    boxes.programLabel->setBounds({8, top + 60, 150, 13});
    boxes.programLabel->setCaption("[none]");
    boxes.waveLabel = &form_.add<ui::Label>(panel, waveLabel);
    boxes.waveLabel->setBounds({8, top + 84, 150, 13});
    boxes.waveLabel->setCaption("[none]");
    boxes.selectFile = &form_.add<ui::Button>(panel, prefix + "SelectFileButton");
    boxes.selectFile->setCaption("Select File");
    boxes.selectFile->setBounds({168, top + 56, 80, 21});
    boxes.selectWave = &form_.add<ui::Button>(panel, prefix + "SelectWaveButton");
    boxes.selectWave->setCaption("Select Wave");
    boxes.selectWave->setBounds({168, top + 80, 80, 21});
    return boxes;
}

void AlarmSettings::connectSelectButtons(AlarmActionBoxes& alarm) {
    alarm.selectFile->onClick = [this, &alarm] { selectProgram(alarm); };
    alarm.selectWave->onClick = [this, &alarm] { selectWave(alarm); };
}

// A cancelled dialog keeps the old path; either way the label shows the
// path's file name and the action is switched on, as after a choice.
void AlarmSettings::selectProgram(AlarmActionBoxes& alarm) {
    if (chooseFile)
        if (auto path = chooseFile(platform::FileChoice::Program, alarm.programPath)) alarm.programPath = *path;
    alarm.programLabel->setCaption(fileNamePart(alarm.programPath));
    alarm.run->setChecked(true);
}

void AlarmSettings::selectWave(AlarmActionBoxes& alarm) {
    if (chooseFile)
        if (auto path = chooseFile(platform::FileChoice::Wave, alarm.wavePath)) alarm.wavePath = *path;
    alarm.waveLabel->setCaption(fileNamePart(alarm.wavePath));
    alarm.play->setChecked(true);
}

void AlarmSettings::buildSensor(int sensor, ui::Control* panel) {
    int i = sensor - 1;
    std::string prefix = "AlarmTabSensor" + std::to_string(sensor);
    ui::Group& alarmGroup = *(sensorAlarmGroups_[i] = &form_.add<ui::Group>(panel, kSensorGroups[i][0]));
    alarmGroup.setBounds({8, 8, 249, 160});
    alarmGroup.setCaption("Sensor " + std::to_string(sensor) + " Alarm Settings");
    ui::Group& scaleGroup = *(sensorScaleGroups_[i] = &form_.add<ui::Group>(panel, kSensorGroups[i][1]));
    scaleGroup.setBounds({8, 176, 249, 48});
    scaleGroup.setCaption("Sensor " + std::to_string(sensor) + " Maximum Scale");
    AlarmActionBoxes& boxes = sensors_[i] = makeActionBoxes(&alarmGroup, kSensorBoxes[i], kSensorPathLabels[i][0],
                                                            kSensorPathLabels[i][1], 16, prefix);
    connectSelectButtons(boxes);
    boxes.enable->setCheckedSilently(true);
    auto& thresholdSpin = form_.add<ui::SpinButton>(&alarmGroup, prefix + "ThresholdSpinButton");
    thresholdSpin.setBounds({200, 130, 15, 21});
    thresholdSpin.onUpClick = [this, sensor] { thresholdUp(sensor); };
    thresholdSpin.onDownClick = [this, sensor] { thresholdDown(sensor); };
    thresholdCelsius_[i] = &form_.add<ui::Label>(&alarmGroup, kThresholdLabels[i][0]);
    thresholdCelsius_[i]->setBounds({8, 134, 60, 13});
    thresholdFahrenheit_[i] = &form_.add<ui::Label>(&alarmGroup, kThresholdLabels[i][1]);
    thresholdFahrenheit_[i]->setBounds({80, 134, 60, 13});
    auto& scaleSpin = form_.add<ui::SpinButton>(&scaleGroup, prefix + "ScaleSpinButton");
    scaleSpin.setBounds({200, 16, 15, 21});
    scaleSpin.onUpClick = [this, sensor] { scaleUp(sensor); };
    scaleSpin.onDownClick = [this, sensor] { scaleDown(sensor); };
    scaleCelsius_[i] = &form_.add<ui::Label>(&scaleGroup, kScaleLabels[i][0]);
    scaleCelsius_[i]->setBounds({8, 20, 60, 13});
    scaleFahrenheit_[i] = &form_.add<ui::Label>(&scaleGroup, kScaleLabels[i][1]);
    scaleFahrenheit_[i]->setBounds({80, 20, 60, 13});
}

void AlarmSettings::buildVoltage(ui::Control* panel) {
    auto& group = form_.add<ui::Group>(panel, "VoltTabAlarmGroupBox");
    group.setBounds({8, 64, 249, 160});
    group.setCaption("Voltage Alarm Settings");
    voltage_ = makeActionBoxes(&group, kVoltageBoxes, "Label24", "Label27", 44, "VoltTab");
    connectSelectButtons(voltage_);
    voltage_.enable->setCheckedSilently(true);
    voltage_.run->setCaption("On Voltage Alarm run:");
    voltage_.play->setCaption("On Voltage Alarm play:");
    auto& spin = form_.add<ui::SpinButton>(&group, "VoltTabPercentSpinButton");
    spin.setBounds({200, 16, 15, 21});
    spin.onUpClick = [this] { voltagePercentUp(); };
    spin.onDownClick = [this] { voltagePercentDown(); };
    voltagePercentLabel_ = &form_.add<ui::Label>(&group, "Label17");
    voltagePercentLabel_->setBounds({8, 20, 180, 13});
}

void AlarmSettings::buildFan(int fan, ui::Control* panel) {
    int i = fan - 1;
    std::string prefix = "FanTabFan" + std::to_string(fan);
    auto& rpmGroup = form_.add<ui::Group>(panel, prefix + "RpmGroupBox");
    rpmGroup.setBounds({8, 8, 249, 44});
    rpmGroup.setCaption("User Defined RPM");
    ui::Group& alarmGroup = *(fanAlarmGroups_[i] = &form_.add<ui::Group>(panel, kFanGroups[i]));
    alarmGroup.setBounds({8, 60, 249, 160});
    alarmGroup.setCaption("Fan " + std::to_string(fan) + " Alarm Settings");
    fans_[i] = makeActionBoxes(&alarmGroup, kFanBoxes[i], kFanPathLabels[i][0], kFanPathLabels[i][1], 44, prefix);
    connectSelectButtons(fans_[i]);
    fans_[i].run->setCaption("On Fan Alarm run:");
    fans_[i].play->setCaption("On Fan Alarm play:");
    auto& rpmSpin = form_.add<ui::SpinButton>(&rpmGroup, prefix + "RpmSpinButton");
    rpmSpin.setBounds({200, 14, 15, 21});
    rpmSpin.onUpClick = [this, fan] { fanRpmUp(fan); };
    rpmSpin.onDownClick = [this, fan] { fanRpmDown(fan); };
    fanRpmLabels_[i] = &form_.add<ui::Label>(&rpmGroup, kFanRpmLabels[i]);
    fanRpmLabels_[i]->setBounds({8, 18, 180, 13});
    auto& percentSpin = form_.add<ui::SpinButton>(&alarmGroup, prefix + "PercentSpinButton");
    percentSpin.setBounds({200, 16, 15, 21});
    percentSpin.onUpClick = [this, fan] { fanPercentUp(fan); };
    percentSpin.onDownClick = [this, fan] { fanPercentDown(fan); };
    fanPercentLabels_[i] = &form_.add<ui::Label>(&alarmGroup, kFanPercentLabels[i]);
    fanPercentLabels_[i]->setBounds({8, 20, 180, 13});
}

std::string AlarmSettings::fahrenheitText(double celsius) const {
    long double f = static_cast<long double>(celsius) * 1.8L + 32.0L;
    bool round = sources_.roundFahrenheit && sources_.roundFahrenheit();
    if (round) return std::to_string(acquisition::roundHalfEven(f));
    return generalText(f, sources_.number);
}

std::string AlarmSettings::thresholdCelsiusText(int sensor) const {
    return std::to_string(thresholds_[sensor - 1]) + (sources_.degree ? sources_.degree() : "") + "C";
}

std::string AlarmSettings::thresholdFahrenheitText(int sensor) const {
    return fahrenheitText(thresholds_[sensor - 1]) + (sources_.degree ? sources_.degree() : "") + "F";
}

void AlarmSettings::updateSensorLabels(int sensor) {
    int i = sensor - 1;
    std::string degree = sources_.degree ? sources_.degree() : "";
    thresholdCelsius_[i]->setCaption(thresholdCelsiusText(sensor));
    thresholdFahrenheit_[i]->setCaption(thresholdFahrenheitText(sensor));
    double scale = sources_.gaugeScale(sensor);
    scaleCelsius_[i]->setCaption(std::to_string(acquisition::roundHalfEven(scale)) + degree + "C");
    scaleFahrenheit_[i]->setCaption(fahrenheitText(scale) + degree + "F");
}

void AlarmSettings::refreshLabels() {
    for (int s = 1; s <= kAlarmSensors; ++s) updateSensorLabels(s);
    voltagePercentLabel_->setCaption("Sound Alarm at: " + generalText(voltagePercentOff_, sources_.number) + "% off");
    for (int f = 1; f <= kAlarmFans; ++f) {
        fanRpmLabels_[f - 1]->setCaption(generalText(fanRpm_[f - 1], sources_.number) + " RPM");
        fanPercentLabels_[f - 1]->setCaption("Sound Alarm at: " + std::to_string(fanPercent_[f - 1]) + "% off");
    }
    ignoreLabel_->setCaption("Ignore Fan Alarm " + std::to_string(ignoreCount_) + " Times");
}

void AlarmSettings::setThreshold(int sensor, int celsius) {
    thresholds_[sensor - 1] = celsius;
    updateSensorLabels(sensor);
}

void AlarmSettings::thresholdUp(int sensor) {
    if (static_cast<float>(thresholds_[sensor - 1]) < sources_.gaugeScale(sensor))
        setThreshold(sensor, thresholds_[sensor - 1] + 1);
}

void AlarmSettings::thresholdDown(int sensor) {
    if (static_cast<float>(thresholds_[sensor - 1]) > sources_.gaugePosition(sensor))
        setThreshold(sensor, thresholds_[sensor - 1] - 1);
}

void AlarmSettings::scaleUp(int sensor) {
    sources_.setGaugeScale(sensor, sources_.gaugeScale(sensor) + 1.0f);
    updateSensorLabels(sensor);
}

void AlarmSettings::scaleDown(int sensor) {
    float scale = sources_.gaugeScale(sensor);
    if (scale > sources_.gaugePosition(sensor)) sources_.setGaugeScale(sensor, scale - 1.0f);
    updateSensorLabels(sensor);
}

void AlarmSettings::setVoltagePercentOff(double percent) {
    voltagePercentOff_ = percent;
    refreshLabels();
}

void AlarmSettings::voltagePercentUp() {
    if (voltagePercentOff_ >= kVoltagePercentMax) return;
    setVoltagePercentOff(voltagePercentOff_ + kVoltagePercentStep);
    if (onVoltagePercentChanged) onVoltagePercentChanged();
}

void AlarmSettings::voltagePercentDown() {
    if (voltagePercentOff_ <= kVoltagePercentMin) return;
    setVoltagePercentOff(voltagePercentOff_ - kVoltagePercentStep);
    if (onVoltagePercentChanged) onVoltagePercentChanged();
}

void AlarmSettings::setFanRpm(int fan, double rpm) {
    fanRpm_[fan - 1] = rpm;
    refreshLabels();
}

void AlarmSettings::fanRpmUp(int fan) {
    if (fanRpm_[fan - 1] < kFanRpmMax) setFanRpm(fan, fanRpm_[fan - 1] + kFanRpmStep);
}

void AlarmSettings::fanRpmDown(int fan) {
    if (fanRpm_[fan - 1] > 0) setFanRpm(fan, fanRpm_[fan - 1] - kFanRpmStep);
}

void AlarmSettings::setFanPercentOff(int fan, int percent) {
    fanPercent_[fan - 1] = percent;
    refreshLabels();
}

void AlarmSettings::fanPercentUp(int fan) {
    if (fanPercent_[fan - 1] < kFanPercentMax) setFanPercentOff(fan, fanPercent_[fan - 1] + 1);
}

void AlarmSettings::fanPercentDown(int fan) {
    if (fanPercent_[fan - 1] > 0) setFanPercentOff(fan, fanPercent_[fan - 1] - 1);
}

void AlarmSettings::setIgnoreCount(int count) {
    ignoreCount_ = count;
    refreshLabels();
}

void AlarmSettings::ignoreCountUp() {
    if (ignoreCount_ < kIgnoreCountMax) setIgnoreCount(ignoreCount_ + 1);
}

void AlarmSettings::ignoreCountDown() {
    if (ignoreCount_ > 0) setIgnoreCount(ignoreCount_ - 1);
}

void AlarmSettings::setProgramPath(AlarmActionBoxes& alarm, std::string path) {
    alarm.programLabel->setCaption(path.empty() ? "[none]" : fileNamePart(path));
    alarm.programPath = std::move(path);
}

void AlarmSettings::setWavePath(AlarmActionBoxes& alarm, std::string path) {
    alarm.waveLabel->setCaption(path.empty() ? "[none]" : fileNamePart(path));
    alarm.wavePath = std::move(path);
}

}  // namespace kvx::alarms
