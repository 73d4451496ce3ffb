#pragma once
#include <string_view>
#include <vector>

#include "app/application.h"

namespace kvx::app {

// The subsystems that fill the hook slots of the others (PollHooks,
// StartupSteps, the quick-info sources, the channel and statistics hooks).
// The logs are three: the interval log (its start-up steps, the size check and
// the tray's log items), the Up/Down log, and Logs for what is not built yet
// (viewing and erasing the log files).
enum class Provider {
    MainWindow,
    Alarms,
    ValueLabels,
    Logs,
    Tray,
    OutsidePrograms,
    IntervalLog,
    UpDownLog,
    Metrics,
};

// Whether the subsystem exists yet. A slot whose provider is not built is
// empty and does nothing when it runs; once the subsystem lands, its entry
// here turns true and every slot it owns must then be filled.
constexpr bool isBuilt(Provider provider) {
    return provider == Provider::MainWindow || provider == Provider::Alarms || provider == Provider::IntervalLog ||
           provider == Provider::UpDownLog || provider == Provider::Metrics || provider == Provider::OutsidePrograms;
}

std::string_view providerName(Provider provider);

// One slot: where it is, who fills it, and whether it holds a function now.
struct HookSlot {
    std::string_view name;  // "PollHooks.temperatureAlarms"
    Provider provider;
    bool filled;
};

// Every hook slot of the running program with its provider, in one list.
// The slots of each hook struct are taken apart by a structured binding, so a
// slot added to one of them stops the build here until it is given a provider.
std::vector<HookSlot> hookSlots(Application& app);

}  // namespace kvx::app
