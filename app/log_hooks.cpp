// The interval log and the Up/Down log wired to the program's files, clock and
// messages: the interval log's start-up steps, its rows, and the Up/Down report
// of "Save" and of the exit.
#include "app/application.h"
#include "logs/up_down_report.h"

namespace kvx::app {

void Application::wireLogs() {
    ui::MainWindow& main = *mainWindow_;
    logs::IntervalLog& intervalLog = main.intervalLog();
    logs::IntervalLogOutput& output = intervalLog.output;
    output.files = &logFile_;
    output.storage = &services_.machine.logStorage;
    output.programFolder = services_.machine.folders.program;
    output.shown = [&main] { return main.shownReadings(); };
    output.now = [this] {
        const auto when = services_.scheduler.wallClock();
        return logs::DateTimeTexts{services_.locale.shortDate(when), services_.locale.longTime(when)};
    };
    output.polling = [&main] { return main.poll().polling(); };
    output.suspended = [&main] { return main.poll().suspended(); };
    output.runOnResume = [&main](bool running) { main.poll().setLogTimerOnResume(running); };
    output.reportError = [this](const std::string& message) { showError(message); };
    steps_.enableLogControls = [&intervalLog] { intervalLog.enableIntervalControls(); };
    steps_.intervalLogStep = [&intervalLog] { intervalLog.WriteStandardLogentry(); };
    steps_.showLogMenuItems = [&intervalLog] { intervalLog.CheckBox42Click(); };
    steps_.checkLogFileSizes = [this, &intervalLog] {
        if (platform::FsStatus status = intervalLog.CheckLogFileSize(); !status.ok()) showError(status.message);
        checkWarnLogFileSize();
        checkUpDownLogFileSize();
    };
    main.statistics().onSave = [this] {
        writeUpDownLog();
        checkUpDownLogFileSize();
    };
}

void Application::checkUpDownLogFileSize() {
    platform::FsStatus status = mainWindow_->upDownLog().CheckUpDownLogFileSize(services_.machine.logStorage,
                                                                                services_.machine.folders.program);
    if (!status.ok()) showError(status.message);
}

void Application::writeUpDownLog() {
    ui::MainWindow& main = *mainWindow_;
    acquisition::UpDownStatistics& statistics = main.statistics();
    logs::UpDownReport report;
    const auto when = services_.scheduler.wallClock();
    report.date = services_.locale.shortDate(when);
    report.time = services_.locale.longTime(when);
    report.startTime = startTime_;
    report.polls = std::to_string(statistics.record(acquisition::TChannel::Sensor1).count);
    report.clockRateMhz = main.readings().cpuClockMHz;
    for (int i = 0; i < acquisition::kChannelCount; ++i) {
        const auto channel = static_cast<acquisition::TChannel>(i);
        report.rows[i] = {statistics.nameLabel(channel).caption(), statistics.lowestLabel(channel).caption(),
                          statistics.highestLabel(channel).caption(), statistics.averageLabel(channel).caption()};
    }
    platform::FsStatus status = logs::WriteUpDownLog(logFile_, services_.machine.folders.program,
                                                     main.upDownLog().formats(), report);
    if (!status.ok()) showError(status.message);
}

}  // namespace kvx::app
