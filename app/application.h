#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "acquisition/sensor_library.h"
#include "alarms/shutdown_launcher.h"
#include "app/dialogs/about_window.h"
#include "app/dialogs/exit_question.h"
#include "app/dialogs/splash.h"
#include "app/harness/event_log.h"
#include "app/harness/message_log.h"
#include "logs/log_file.h"
#include "platform/cd_tray.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/folders.h"
#include "platform/locale.h"
#include "platform/log_storage.h"
#include "platform/message_box.h"
#include "platform/scheduler.h"
#include "platform/sound_player.h"
#include "platform/text_encoding.h"
#include "settings/settings_bindings.h"
#include "settings/settings_store.h"
#include "ui/main_window/main_window.h"
#include "ui/model/window_set.h"

namespace kvx::app {

// The program's dealings with the rest of the desktop during start-up and
// exit. Each is optional; a missing one does nothing.
struct LifecycleHooks {
    // The one-copy guard: true when another copy runs (which is then asked to come forward).
    std::function<bool()> anotherCopyRuns;
    // The run-at-start entry "Korvex": whether it exists; cleaning up old releases' entries.
    std::function<bool()> runAtStartExists;
    std::function<void()> removeOldRunAtStartEntries;
    std::function<void(const std::string& programPath)> writeRunAtStart;
    std::function<void()> removeRunAtStart;
    // The uninstall window's actions: delete one file (false when it could not), start a program.
    std::function<bool(const std::string& path)> deleteFile;
    std::function<void(const std::string& program, const std::string& parameters)> startProgram;
    // Outside programs: a program started in its own folder, the local message
    // bus (posting to a window title, whether a title exists) and the clipboard.
    std::function<void(const std::string& program, const std::string& folder)> startProgramIn;
    std::function<bool(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam)> postMessage;
    std::function<bool(const std::string& title)> windowExists;
    std::function<void(const std::string& text)> copyToClipboard;
    // The Log page: open a file with the desktop's default program; move a file to the trash.
    std::function<void(const std::string& path)> openDocument;
    std::function<platform::FsStatus(const std::string& path)> moveToTrash;
};

// Start-up steps whose work belongs to the alarm, log and tray subsystems: each
// runs in its place in the sequence once its subsystem sets it.
struct StartupSteps {
    std::function<void()> createIconBitmap;      // the tray's chip picture
    std::function<void()> checkOutsidePrograms;  // CPUIdle and ShutDown NOW! found in the machine's settings
    std::function<void()> buildValueLabels;      // alarm, voltage, fan, log and countdown labels
    std::function<void()> runSettingHandlers;    // ShutDown NOW!, CPUIdle launch/close, swap mode, swap interval label
    std::function<void()> enableLogControls;     // the interval-log interval spin button and label
    std::function<void()> showLogMenuItems;      // "Show Log Options On Popup Menu"
    std::function<void()> checkLogFileSizes;     // the three size displays
    std::function<void()> swapStep;              // one icon swap when the swap timer runs
    std::function<void()> intervalLogStep;       // one interval-log entry when its timer runs
    std::function<void()> showTrayIcons;         // the tray icons the settings choose
};

// Where the program keeps its files on this machine, and how it meets the desktop.
struct MachineServices {
    platform::FileSystem& files;
    platform::LogStorage& logStorage;
    const platform::TextEncoding& textEncoding;
    platform::Folders folders;
    // The running program file, as stored in "KVX Path".
    std::string programPath;
    LifecycleHooks lifecycle;
    // --metrics-dir (empty: the "Metrics" settings key decides) and the sensor library's file.
    std::string metricsFolder{};
    std::string sensorLibraryPath{};
    // The CD drive's tray for "Tovel Beer Can Holder"; none: the item does nothing.
    platform::CdTray* cdTray = nullptr;
    // Plays the alarms' waves; null where nothing is heard (virtual time): the events still record them.
    platform::SoundPlayer* sound = nullptr;
};

// The platform services the program runs on, chosen by the program entry.
struct Services {
    platform::Scheduler& scheduler;
    platform::Locale& locale;
    platform::MessageBoxes& messageBoxes;
    ui::ModalHost& modalHost;
    MachineServices machine;
    // "Select File" and "Select Wave"; null: every choice is cancelled.
    platform::FileDialogs* fileDialogs = nullptr;
};

// The running program: every window model and the state behind them, its
// start-up and its end.
class Application {
public:
    enum class StartOutcome {
        Running,      // polling; or stopped part-way by an error the user was shown
        AnotherCopy,  // another copy runs: this one ends
        Declined,     // the agreement was not accepted: the program ends, nothing saved
    };

    Application(Services services, std::unique_ptr<acquisition::SensorLibrary> library);

    // The start-up sequence; polling runs from its end on.
    StartOutcome start();
    // A close request of the main window (tray "Exit", close box): asks, and on consent saves and ends.
    void requestClose();
    // The tray menu's "Exit".
    void Exit1Click();
    // The tray menu's "Un-install".
    void UnInstallExit1Click();
    // Another copy asked this one to come forward.
    void comeForward();
    // The end of the session, as a system shut-down asks it: no question, settings saved; then the loops end.
    void endSession();
    bool ended() const { return ended_; }
    // The last save of the settings failed (and was reported): the run must not end as a success.
    bool settingsSaveFailed() const { return settingsSaveFailed_; }

    ui::MainWindow& mainWindow() { return *mainWindow_; }
    const ui::WindowSet& windows() const { return windows_; }
    const MessageLog& messages() const { return messages_; }
    const EventLog& events() const { return events_; }
    platform::MessageBoxes& messageBoxes() { return messages_; }
    acquisition::SensorLibrary& sensorLibrary() { return *library_; }
    platform::Scheduler& scheduler() { return services_.scheduler; }
    settings::SettingsBindings& settings() { return bindings_; }
    StartupSteps& startupSteps() { return steps_; }
    Splash& splash() { return splash_; }
    const std::string& startTime() const { return startTime_; }
    // Appends one entry to the warning log in the chosen formats; a file that
    // cannot be written is reported and the next warning tries again.
    void WriteErrorLog(const std::string& text);

    // The shutdown launcher library; without one the shutdown program counts as not installed.
    void useShutdownLauncher(std::unique_ptr<alarms::ShutdownLauncher> launcher) {
        shutdownLauncher_ = std::move(launcher);
    }
    // A message posted to the main window by another program.
    void receiveMessage(uint32_t number, int64_t wparam, int64_t lparam);

    // ms the program waits after asking the processor's clock rate at start.
    static constexpr int kClockSettleMs = 200;
    static constexpr const char* kNoChipMessage =
        "No LM78 Detected. There will be no Motherboard Temperature, Voltage or Fan readouts";
    static constexpr const char* kAlreadyRunning = "Korvex is already running.";

private:
    bool FormCloseQuery();
    // Saves the settings; false (after showing why) when a value could not be saved.
    bool FormClose();
    void finish();
    void showError(const std::string& text);
    // Several lines in one box; nothing when there are none.
    void showErrors(const std::vector<std::string>& lines);
    // What loading a settings file found, in one box; a text already shown is not shown again.
    void reportFileMessages(const std::vector<std::string>& messages);
    void GenTabRunOnStartupCheckBoxClick();
    std::string uninstallCommand();
    // The alarms' services that belong to the program: the warning log, polling after a warning.
    void wireAlarms();
    // The shutdown launch, the cooler control and the system information panel.
    void wireOutsidePrograms();
    std::optional<std::string> cpuIdlePath();
    // The interval log's output and steps, and the Up/Down log's "Save".
    void wireLogs();
    // The tray's start-up steps.
    void wireTray();
    // The tray menu's help, about, web, mail and CD tray commands.
    void wireMenuCommands();
    // One Up/Down report of the page as it shows now, in each chosen format.
    void writeUpDownLog();
    // The Up/Down size displays; a file that cannot be measured is told.
    void checkUpDownLogFileSize();
    // The metrics file for node_exporter after every poll.
    void wireMetrics();
    // The view and erase buttons and the tray's "View Log" and "Erase Log".
    void wireLogFiles();
    // The warning log's size displays; a file that cannot be measured is told.
    void checkWarnLogFileSize();
    // The interval log's columns as the window names them now.
    logs::IntervalLogColumns intervalLogColumns();

    Services services_;
    std::unique_ptr<acquisition::SensorLibrary> library_;
    MessageLog messages_;
    Splash splash_;
    ExitQuestion exitQuestion_;
    AboutWindow about_;
    std::unique_ptr<ui::MainWindow> mainWindow_;
    ui::WindowSet windows_;
    settings::SettingsBindings bindings_;
    settings::SettingsStore store_;
    logs::LogFile logFile_;
    EventLog events_;
    StartupSteps steps_;
    std::string startTime_;
    bool started_ = false;
    bool exitQuestionAllowed_ = true;
    bool ended_ = false;
    bool settingsSaveFailed_ = false;
    std::set<std::string> fileMessagesShown_;
    std::shared_ptr<class MetricsExport> metrics_;
    std::unique_ptr<alarms::ShutdownLauncher> shutdownLauncher_;
};

}  // namespace kvx::app
