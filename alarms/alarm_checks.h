#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "alarms/alarm_settings.h"
#include "alarms/warning_window.h"

namespace kvx::alarms {

// What the alarms ask of the rest of the program. An empty function is a
// service that is not there: its step is skipped.
struct AlarmServices {
    std::function<bool()> polling;                // the poll timer runs
    std::function<bool(int sensor)> sensorInUse;  // its source is not "None"
    std::function<std::string(int sensor)> sensorName;
    std::function<std::string(int fan)> fanName;
    // The main window's width and compact width; always on top while narrower than the full width.
    std::function<int()> windowWidth;
    std::function<int()> compactWidth;
    int fullWidth = 572;
    std::function<void(bool)> setStayOnTop;
    // Running a program and playing a wave, each only when the file exists at that moment.
    std::function<bool(const std::string&)> fileExists;
    std::function<void(const std::string&)> executeFile;
    std::function<void(const std::string&)> playWave;  // "" stops the wave in progress
    // The PC speaker's timer, running only while an alarm's warning window is open.
    std::function<void()> startSpeakerTimer;
    std::function<void()> stopSpeaker;  // stops the timer and silences the speaker
    // "Write Warnings to Log File" and the warning log itself.
    std::function<bool()> writeWarnings;
    std::function<void(const std::string&)> writeWarning;
    // The poll timer is stopped while the warning window is open and started
    // again when it closes (when start-up has finished); then the tray icons are redrawn.
    std::function<void()> stopPolling;
    std::function<void()> resumePolling;
    std::function<void()> warningClosed;
    // The shutdown launch in place of a temperature alarm: true when it took
    // the alarm over (then nothing else is done and the alarm stays enabled).
    std::function<bool(int sensor)> shutdownInstead;
};

// Which alarm last filled the warning window.
enum class AlarmSource { None = 0, Sensor1 = 1, Sensor2 = 2, Voltage = 3, Fan1 = 4, Fan2 = 5, Fan3 = 6, Sensor3 = 7 };

// The alarm tests that the poll runs and the actions of an alarm that is due.
// Every alarm is one-shot: acting switches its own "Enable Alarm" box off.
class AlarmChecks {
public:
    AlarmChecks(AlarmSettings& settings, WarningWindow& warning, AlarmServices services);

    // The poll's steps, in the order it runs them.
    void temperatureAlarms();
    // A rail out of band whose monitor box is on, while polling; `name` is the box's caption.
    void voltageOutOfBand(const std::string& name, double value) { DisplayVoltageAlarm(name, value); }
    void fanStepBegin();
    void fanNotAvailable(int fan);
    void fanAvailable(int fan);
    void fanSpeed(int fan, double rpm);
    void fanStepEnd();

    void DisplayTempAlarm(int sensor);
    void DisplayVoltageAlarm(const std::string& name, double value);
    void DisplayFanAlarm(int fan, int percent, double rpm);

    // Services that the program fills in after the window is built.
    AlarmServices& services() { return services_; }
    AlarmSource alarmSource() const { return source_; }
    int ignoreCounter(int fan) const { return ignoreCounters_[fan - 1]; }
    // How often the alarm has acted since start (switched its box off and ran its actions).
    std::uint64_t actedCount(AlarmSource source) const { return acted_[static_cast<int>(source)]; }

private:
    void showWarning(const std::string& text, AlarmSource source);
    void runAndPlay(const AlarmActionBoxes& alarm);
    void run(const AlarmActionBoxes& alarm);
    void play(const AlarmActionBoxes& alarm);
    void logWarning(const std::string& text);
    void stopSpeaker();
    void enableAlarmOf(AlarmSource source);
    void warningClosed();
    void countActed(AlarmSource source) { ++acted_[static_cast<int>(source)]; }

    AlarmSettings& settings_;
    WarningWindow& warning_;
    AlarmServices services_;
    std::array<int, kAlarmFans> ignoreCounters_{};
    std::array<bool, kAlarmFans> pending_{};
    AlarmSource source_ = AlarmSource::None;
    std::array<std::uint64_t, 8> acted_{};  // by AlarmSource
};

}  // namespace kvx::alarms
