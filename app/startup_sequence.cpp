// The order in which the program comes to life. Later steps rely on state
// that earlier ones set: the labels are built from the settings just read, and
// the first poll runs only after the sensor sources are chosen.
#include <chrono>

#include "app/application.h"
#include "app/dialogs/first_run_dialogs.h"
#include "logs/log_file_starts.h"
#include "ui/main_window/main_window_settings.h"

namespace kvx::app {
namespace {

void run(const std::function<void()>& step) {
    if (step) step();
}

}  // namespace

Application::StartOutcome Application::start() {
    acquisition::SensorLibrary& lib = *library_;
    ui::MainWindow& main = *mainWindow_;
    ui::Window& form = main.form();
    acquisition::TReadingSet& readings = main.readings();
    platform::Scheduler& scheduler = services_.scheduler;
    const LifecycleHooks& hooks = services_.machine.lifecycle;

    auto today = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(scheduler.wallClock()));
    splash_.show(today, lib, messages_);

    readings.cpuClockMHz = lib.clockRate();
    scheduler.wait(kClockSettleMs);
    splash_.close();
    main.statistics().UDTabResetSpeedButtonClick();
    startTime_ = services_.locale.longTime(scheduler.wallClock());

    readings.chipPresent = lib.checkLM78();
    if (!readings.chipPresent) messages_.show({"Korvex", kNoChipMessage, platform::MessageIcon::None, {"OK"}});
    else lib.restartLM78();
    form.setCaption("Korvex");

    if (hooks.anotherCopyRuns && hooks.anotherCopyRuns()) {
        messages_.show({"Korvex", kAlreadyRunning, platform::MessageIcon::Warning, {"OK"}});
        finish();
        return StartOutcome::AnotherCopy;
    }

    form.setPosition(ui::MainWindow::kParkedLeft, 0);
    form.setVisible(false);
    run(steps_.createIconBitmap);
    readings.smbusBase = lib.smbAddress();
    main.channels().CheckSMB(readings.smbusBase);

    bool runAtStart = false;
    if (hooks.runAtStartExists) runAtStart = hooks.runAtStartExists();
    if (hooks.removeOldRunAtStartEntries) hooks.removeOldRunAtStartEntries();
    form.require<ui::CheckBox>("GenTabRunOnStartupCheckBox").setChecked(runAtStart);

    auto report = store_.read(bindings_, [&](int readNumber) { ui::afterSettingRead(bindings_, main, readNumber); });
    reportFileMessages(report.fileMessages);
    if (report.outcome == settings::ReadOutcome::FirstRunDue) {
        FirstRunInputs inputs;
        inputs.modalHost = &services_.modalHost;
        inputs.readVoltages = [&lib] { return lib.voltages(); };
        inputs.chipId = [&lib] { return lib.chipId(); };
        inputs.chipPresent = readings.chipPresent;
        inputs.number = acquisition::NumberFormat{services_.locale.decimalSeparator()};
        inputs.coreNominal = coreNominalEditingOf(main.channels());
        inputs.windowOpened = [this](ui::Window& w) { windows_.add(w); };
        inputs.windowClosed = [this](ui::Window& w) { windows_.remove(w); };
        auto outcome = runFirstRunDialogs(inputs);
        if (!outcome.accepted) {
            finish();
            return StartOutcome::Declined;
        }
        if (outcome.corePort1) form.require<ui::RadioButton>("RadioButton2").setChecked(true);
        else form.require<ui::RadioButton>("RadioButton1").setChecked(true);
    }
    store_.writeKvxPath(services_.machine.programPath);
    run(steps_.checkOutsidePrograms);
    run(steps_.buildValueLabels);

    // Handlers that make the window agree with the settings just read.
    run(steps_.runSettingHandlers);
    if (auto& degree = form.require<ui::CheckBox>("CheckBox20"); degree.onClick) degree.onClick();
    for (const char* name : {"RadioButton9", "RadioButton11"})
        if (auto& radio = form.require<ui::RadioButton>(name); radio.checked() && radio.onClick) radio.onClick();
    main.SetAllNameTexts();
    main.SetAll33VoltText();
    run(steps_.enableLogControls);
    main.SetActiveTab(std::get<int32_t>(bindings_.current("Tab on Top")));
    run(steps_.showLogMenuItems);

    // Missing log files are created with their headers. A log that cannot be
    // created is told once and monitoring starts all the same; its sizes are
    // then not measured, which would only tell the same fault again.
    auto created = logs::createMissingLogFiles(logFile_, services_.machine.folders.program, intervalLogColumns());
    if (created.status.ok()) run(steps_.checkLogFileSizes);
    else showError(created.status.message);
    main.channels().unitButton().click();
    for (int sensor = 1; sensor <= 3; ++sensor)
        main.channels().restoreSource(sensor, static_cast<int>(main.channels().source(sensor)));
    main.poll().Timer1Timer();
    if (main.Timer2().enabled()) run(steps_.swapStep);
    if (main.Timer3().enabled()) run(steps_.intervalLogStep);

    if (form.require<ui::CheckBox>("GenTabStartInTrayCheckBox").checked()) main.Hide1Click();
    else main.Show2Click();
    run(steps_.showTrayIcons);

    main.statistics().UDTabResetSpeedButtonClick();
    main.poll().Timer1().setEnabled(true);
    // Every step ran: the settings they complete are now taken from the window.
    bindings_.settleAll();
    started_ = true;
    return StartOutcome::Running;
}

}  // namespace kvx::app
