// Who fills which hook slot. Read this to see what a new subsystem must
// provide, and where a slot that does nothing today is meant to be filled.
#include "app/hook_providers.h"

namespace kvx::app {
namespace {

struct SlotList {
    std::vector<HookSlot> slots;
    template <typename Function>
    void add(std::string_view name, const Function& slot, Provider provider) {
        slots.push_back({name, provider, static_cast<bool>(slot)});
    }
};

}  // namespace

std::string_view providerName(Provider provider) {
    switch (provider) {
        case Provider::MainWindow: return "main window";
        case Provider::Alarms: return "alarms";
        case Provider::ValueLabels: return "value labels";
        case Provider::Logs: return "logs";
        case Provider::Tray: return "tray";
        case Provider::OutsidePrograms: return "outside programs";
        case Provider::IntervalLog: return "interval log";
        case Provider::UpDownLog: return "Up/Down log";
        case Provider::Metrics: return "metrics";
    }
    return "?";
}

std::vector<HookSlot> hookSlots(Application& app) {
    SlotList list;
    ui::MainWindow& main = app.mainWindow();
    using enum Provider;

    {
        auto& [createIcon, temperatureAlarms, voltageOutOfBand, voltagePercentOff, fanStepBegin, fanNotAvailable,
               fanAvailable, fanSpeed, fanStepEnd, cpuIdle, suspendChanged, swapStep, pollDone] = main.poll().hooks;
        list.add("PollHooks.createIcon", createIcon, Tray);
        list.add("PollHooks.temperatureAlarms", temperatureAlarms, Alarms);
        list.add("PollHooks.voltageOutOfBand", voltageOutOfBand, Alarms);
        list.add("PollHooks.voltagePercentOff", voltagePercentOff, Alarms);
        list.add("PollHooks.fanStepBegin", fanStepBegin, Alarms);
        list.add("PollHooks.fanNotAvailable", fanNotAvailable, Alarms);
        list.add("PollHooks.fanAvailable", fanAvailable, Alarms);
        list.add("PollHooks.fanSpeed", fanSpeed, Alarms);
        list.add("PollHooks.fanStepEnd", fanStepEnd, Alarms);
        list.add("PollHooks.cpuIdle", cpuIdle, OutsidePrograms);
        list.add("PollHooks.suspendChanged", suspendChanged, Tray);
        list.add("PollHooks.swapStep", swapStep, Tray);
        list.add("PollHooks.pollDone", pollDone, Metrics);
    }
    {
        auto& [createIconBitmap, checkOutsidePrograms, buildValueLabels, runSettingHandlers, enableLogControls,
               showLogMenuItems, checkLogFileSizes, swapStep, intervalLogStep, showTrayIcons] = app.startupSteps();
        list.add("StartupSteps.createIconBitmap", createIconBitmap, Tray);
        list.add("StartupSteps.checkOutsidePrograms", checkOutsidePrograms, OutsidePrograms);
        // The alarm labels follow their values; the log and countdown labels wait for their subsystems.
        list.add("StartupSteps.buildValueLabels", buildValueLabels, ValueLabels);
        list.add("StartupSteps.runSettingHandlers", runSettingHandlers, OutsidePrograms);
        list.add("StartupSteps.enableLogControls", enableLogControls, IntervalLog);
        list.add("StartupSteps.showLogMenuItems", showLogMenuItems, IntervalLog);
        list.add("StartupSteps.checkLogFileSizes", checkLogFileSizes, IntervalLog);
        list.add("StartupSteps.swapStep", swapStep, Tray);
        list.add("StartupSteps.intervalLogStep", intervalLogStep, IntervalLog);
        list.add("StartupSteps.showTrayIcons", showTrayIcons, Tray);
    }
    {
        auto& [sensorName, fanName, temperatureAlarmText, temperatureAlarmOn, voltageAlarmText, voltageAlarmOn,
               fanAlarmText, fanAlarmOn] = main.quickInfo().sources;
        list.add("QuickInfo.sensorName", sensorName, MainWindow);
        list.add("QuickInfo.fanName", fanName, MainWindow);
        list.add("QuickInfo.temperatureAlarmText", temperatureAlarmText, Alarms);
        list.add("QuickInfo.temperatureAlarmOn", temperatureAlarmOn, Alarms);
        list.add("QuickInfo.voltageAlarmText", voltageAlarmText, Alarms);
        list.add("QuickInfo.voltageAlarmOn", voltageAlarmOn, Alarms);
        list.add("QuickInfo.fanAlarmText", fanAlarmText, Alarms);
        list.add("QuickInfo.fanAlarmOn", fanAlarmOn, Alarms);
    }
    {
        auto& [pollNow, sensorSwitchedOn, sensorSwitchedOff, setFanDivisor, resetStatistics, unitSwitched,
               roundFahrenheitChanged, p33NameChanged] = main.channels().hooks;
        list.add("ChannelSettings.pollNow", pollNow, MainWindow);
        list.add("ChannelSettings.sensorSwitchedOn", sensorSwitchedOn, MainWindow);
        list.add("ChannelSettings.sensorSwitchedOff", sensorSwitchedOff, MainWindow);
        list.add("ChannelSettings.setFanDivisor", setFanDivisor, MainWindow);
        list.add("ChannelSettings.resetStatistics", resetStatistics, MainWindow);
        list.add("ChannelSettings.unitSwitched", unitSwitched, MainWindow);
        list.add("ChannelSettings.roundFahrenheitChanged", roundFahrenheitChanged, Tray);
        list.add("ChannelSettings.p33NameChanged", p33NameChanged, MainWindow);
    }
    // UpDownStatistics keeps private state, so its two slots are listed by hand.
    list.add("UpDownStatistics.pollNow", main.statistics().pollNow, MainWindow);
    list.add("UpDownStatistics.onSave", main.statistics().onSave, UpDownLog);
    return list.slots;
}

}  // namespace kvx::app
