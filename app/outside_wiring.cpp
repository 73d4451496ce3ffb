// The outside programs' services that need the program: the shutdown
// launcher, the machine's settings that name the cooler, the message bus, the
// settings writer, the clipboard and the dump's events.
#include "app/application.h"
#include "settings/read_only_hive.h"

namespace kvx::app {
namespace {

constexpr const char* kCpuIdleKey = "HKEY_LOCAL_MACHINE\\Software\\CpuIdle";

}  // namespace

void Application::wireOutsidePrograms() {
    ui::MainWindow& main = *mainWindow_;
    ui::Window& countdown = main.shutdown().countdown().window();
    countdown.setModalHost(&services_.modalHost);
    windows_.add(countdown);
    auto timeText = [this] { return services_.locale.longTime(services_.scheduler.wallClock()); };
    auto saveSettings = [this] {
        auto report = store_.write(bindings_);
        reportFileMessages(report.fileMessages);
        if (!report.ok()) showError(report.error);
    };
    auto openWebPage = [this](const std::string& url) {
        events_.add(services_.scheduler.nowMs(), "run", url);
        if (services_.machine.lifecycle.startProgram) services_.machine.lifecycle.startProgram(url, "");
    };
    auto post = [this](const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) {
        events_.addFields(services_.scheduler.nowMs(), "post",
                          {{"window", title}, {"message", int64_t{number}}, {"wParam", wparam}, {"lParam", lparam}});
        if (services_.machine.lifecycle.postMessage)
            services_.machine.lifecycle.postMessage(title, number, wparam, lparam);
    };

    alarms::ShutdownServices& shdn = main.shutdown().services();
    shdn.timeText = timeText;
    shdn.writeWarning = [this](const std::string& text) { WriteErrorLog(text); };
    shdn.saveSettings = saveSettings;
    shdn.openWebPage = openWebPage;
    shdn.showTaskbarEntry = [](bool) {};  // the tray program has no taskbar entry of its own to show
    shdn.locate = [this] { return shutdownLauncher_ ? shutdownLauncher_->location() : std::string(); };
    shdn.launch = [this](const std::string& switchText) {
        events_.addFields(services_.scheduler.nowMs(), "launch", {{"switch", switchText}});
        if (shutdownLauncher_) shutdownLauncher_->launch(switchText);
    };

    alarms::CpuIdleServices& idle = main.cpuIdle().services();
    idle.timeText = timeText;
    idle.writeWarning = [this](const std::string& text) { WriteErrorLog(text); };
    idle.registryPath = [this] { return cpuIdlePath(); };
    idle.fileExists = [this](const std::string& path) { return !path.empty() && services_.machine.files.exists(path); };
    idle.executeFile = [this](const std::string& file, const std::string& folder) {
        events_.add(services_.scheduler.nowMs(), "run", file);
        if (services_.machine.lifecycle.startProgramIn) services_.machine.lifecycle.startProgramIn(file, folder);
    };
    idle.windowExists = [this](const std::string& title) {
        return services_.machine.lifecycle.windowExists && services_.machine.lifecycle.windowExists(title);
    };
    idle.post = post;
    idle.saveSettings = saveSettings;
    idle.openWebPage = openWebPage;

    steps_.checkOutsidePrograms = [&main] {
        main.cpuIdle().CheckForCPUIdleInRegistry();
        main.shutdown().CheckForShutDownNowInRegistry();
    };
    steps_.runSettingHandlers = [&main] {
        main.shutdown().CheckBox11Click();
        main.cpuIdle().CheckBox77Click();
        main.cpuIdle().CheckBox78Click();
    };

    main.systemInfo().facts = [this, &main] {
        ui::SystemFacts facts;
        facts.versionCaption = ui::MainWindow::kVersionText;
        facts.clockMhz = main.readings().cpuClockMHz;
        facts.userName = library_->currentUserName();
        facts.memoryUsePercent = library_->memoryUse();
        facts.totalMemoryBytes = library_->totalPhysicalMemory();
        facts.availableMemoryBytes = library_->availablePhysicalMemory();
        facts.programPath = services_.machine.programPath;
        facts.cpuIdlePath = main.cpuIdle().CheckForCPUIdleInRegistry().value_or(std::string());
        facts.shutdownPath = main.shutdown().CheckForShutDownNowInRegistry();
        facts.chipId = library_->chipId();
        facts.smbusBase = main.readings().smbusBase;
        return facts;
    };
    main.systemInfo().copyText = [this](const std::string& text) {
        events_.add(services_.scheduler.nowMs(), "copy", text);
        if (services_.machine.lifecycle.copyToClipboard) services_.machine.lifecycle.copyToClipboard(text);
    };
}

std::optional<std::string> Application::cpuIdlePath() {
    // The machine-wide hive is only read: a bad one is reported and left where it is.
    const auto& folders = services_.machine.folders;
    auto loaded = settings::loadReadOnlyHive(
        services_.machine.files, folders.machineHive.empty() ? folders.config + "/machine.reg" : folders.machineHive);
    reportFileMessages(loaded.messages);
    const auto* key = loaded.hive.findKey(kCpuIdleKey);
    if (!key) return std::nullopt;
    const auto* value = key->find("Path");
    return value && value->type == settings::HiveValueType::String ? value->text : std::string();
}

void Application::receiveMessage(uint32_t number, int64_t /*wparam*/, int64_t /*lparam*/) {
    mainWindow_->cpuIdle().handleMessage(number);
}

}  // namespace kvx::app
