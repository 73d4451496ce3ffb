// The alarms' services that need the program: the warning log, the programs an
// alarm runs, and the poll timer that a closing warning window starts again.
#include "app/application.h"
#include "logs/warning_log.h"

namespace kvx::app {

void Application::wireAlarms() {
    alarms::AlarmServices& services = mainWindow_->alarmChecks().services();
    // Until start-up has finished its own steps start the poll timer.
    services.resumePolling = [this] {
        if (started_) mainWindow_->poll().Timer1().setEnabled(true);
    };
    services.writeWarning = [this](const std::string& text) { WriteErrorLog(text); };
    // "On Alarm run": the file's default action, without parameters; checked on every alarm.
    services.fileExists = [this](const std::string& path) {
        return !path.empty() && services_.machine.files.exists(path);
    };
    services.executeFile = [this, start = services_.machine.lifecycle.startProgram](const std::string& path) {
        events_.addFields(services_.scheduler.nowMs(), "run",
                          {{"program", path}, {"parameters", std::string()}, {"folder", std::string()}});
        if (start) start(path, "");
    };
    // The wave is heard where there is a player and recorded for the dump everywhere.
    auto* loop = &mainWindow_->form().require<ui::CheckBox>("GenTabLoopWavesCheckBox");
    services.playWave = [this, loop, sound = services_.machine.sound](const std::string& path) {
        if (path.empty()) {
            events_.add(services_.scheduler.nowMs(), "stopWave");
            if (sound) sound->stop();
            return;
        }
        events_.addFields(services_.scheduler.nowMs(), "play", {{"path", path}, {"loop", loop->checked()}});
        if (sound) sound->play(path, loop->checked());
    };
    // "Select File" and "Select Wave".
    mainWindow_->alarmSettings().chooseFile = [dialogs = services_.fileDialogs](platform::FileChoice choice,
                                                                                const std::string& start) {
        return dialogs ? dialogs->chooseFile(choice, start) : std::nullopt;
    };
    services.stopSpeaker = [this, stop = services.stopSpeaker] {
        if (stop) stop();
        events_.add(services_.scheduler.nowMs(), "stopSound");
    };
}

void Application::WriteErrorLog(const std::string& text) {
    ui::Window& form = mainWindow_->form();
    logs::WarningLogFormats formats{form.require<ui::CheckBox>("CheckBox6").checked(),
                                    form.require<ui::CheckBox>("CheckBox79").checked()};
    auto now = services_.scheduler.wallClock();
    platform::FsStatus status = logs::writeWarningLog(logFile_, services_.machine.folders.program, formats,
                                                      services_.locale.shortDate(now), services_.locale.longTime(now),
                                                      text);
    if (!status.ok()) showError(status.message);
    else checkWarnLogFileSize();
}

}  // namespace kvx::app
