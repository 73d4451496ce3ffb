#include "acquisition/quick_info.h"

namespace kvx::acquisition {
namespace {

struct RailEntry {
    Rail rail;
    TChannel channel;
    const char* item;
    const char* designCaption;
    const char* shortName;
};

// Menu order: core, +3.3, +5, -5, +12, -12.
constexpr RailEntry kRailEntries[kRailCount] = {
    {Rail::Core, TChannel::CoreVoltage, "CORE", "CORE", "Core"},
    {Rail::P33, TChannel::P33Voltage, "Po33", "+3.3", "+3.3"},
    {Rail::P5, TChannel::P5Voltage, "Po5", "+5", "+5"},
    {Rail::N5, TChannel::N5Voltage, "Ne5", "-5", "-5"},
    {Rail::P12, TChannel::P12Voltage, "Po12", "+12", "+12"},
    {Rail::N12, TChannel::N12Voltage, "Ne12", "-12", "-12"},
};

const RailEntry& entryOf(Rail rail) {
    for (const RailEntry& e : kRailEntries)
        if (e.rail == rail) return e;
    return kRailEntries[0];
}

}  // namespace

QuickInfo::QuickInfo(ui::Window& form, ui::MenuItem& menu, std::array<ui::VUMeter*, kSensorCount> gauges,
                     ReadingDisplay& display, UpDownStatistics& statistics, InformationWindow& information)
    : gauges_(gauges), display_(display), statistics_(statistics), information_(information) {
    auto addItem = [&](const char* name, const char* caption, std::function<void()> click) -> ui::MenuItem& {
        auto& item = form.add<ui::MenuItem>(&menu, name);
        item.setCaption(caption);
        item.onClick = std::move(click);
        menu.addItem(item);
        return item;
    };
    sensorItems_[0] = &addItem("MB", "MB", [this] { MBClick(); });
    sensorItems_[1] = &addItem("CPU", "CPU", [this] { CPUClick(); });
    sensorItems_[2] = &addItem("WBSensor2", "WB Sensor 2", [this] { WBSensor2Click(); });
    for (int i = 0; i < kRailCount; ++i) {
        const RailEntry& e = kRailEntries[i];
        railItems_[i] = &addItem(e.item, e.designCaption, [this, rail = e.rail] { showRail(rail); });
    }
    fanItems_[0] = &addItem("FANnr1", "FAN1", [this] { FANnr1Click(); });
    fanItems_[1] = &addItem("FANnr2", "FAN2", [this] { FANnr2Click(); });
    fanItems_[2] = &addItem("FANnr3", "FAN3", [this] { FANnr3Click(); });
}

std::string QuickInfo::sensorName(int sensor) const {
    return sources.sensorName ? sources.sensorName(sensor) : "Sensor " + std::to_string(sensor);
}

std::string QuickInfo::fanName(int fan) const {
    return sources.fanName ? sources.fanName(fan) : "Fan " + std::to_string(fan);
}

void QuickInfo::updateCaptions() {
    for (int sensor = 1; sensor <= kSensorCount; ++sensor)
        sensorItems_[sensor - 1]->setCaption(sensorName(sensor) + ": " + gauges_[sensor - 1]->centerLabel());
    for (int i = 0; i < kRailCount; ++i)
        railItems_[i]->setCaption(std::string(kRailEntries[i].shortName) +
                                  display_.railLabel(kRailEntries[i].rail).caption());
    for (int fan = 1; fan <= kFanCount; ++fan)
        fanItems_[fan - 1]->setCaption(fanName(fan) + " " + display_.fanLabel(fan).caption());
}

void QuickInfo::show(TChannel channel, const std::string& title, const std::string& alarm, const std::string& current,
                     bool on) {
    information_.ShowInfoLog("Quick info for: " + title, "Lowest value: " + statistics_.lowestLabel(channel).caption(),
                             "Highest value: " + statistics_.highestLabel(channel).caption(), alarm,
                             "Current Value: " + current, on);
}

void QuickInfo::showSensor(int sensor) {
    show(static_cast<TChannel>(sensor - 1), sensorName(sensor),
         sources.temperatureAlarmText ? sources.temperatureAlarmText(sensor) : "", gauges_[sensor - 1]->centerLabel(),
         sources.temperatureAlarmOn && sources.temperatureAlarmOn(sensor));
}

void QuickInfo::showRail(Rail rail) {
    const RailEntry& e = entryOf(rail);
    show(e.channel, display_.monitorBox(rail).caption(), sources.voltageAlarmText ? sources.voltageAlarmText() : "",
         display_.railLabel(rail).caption(), sources.voltageAlarmOn && sources.voltageAlarmOn(rail));
}

void QuickInfo::showFan(int fan) {
    auto channel = static_cast<TChannel>(static_cast<int>(TChannel::Fan1) + fan - 1);
    show(channel, fanName(fan), sources.fanAlarmText ? sources.fanAlarmText(fan) : "",
         fanName(fan) + " " + display_.fanLabel(fan).caption(), sources.fanAlarmOn && sources.fanAlarmOn(fan));
}

}  // namespace kvx::acquisition
