#pragma once
#include <array>
#include <functional>

#include "acquisition/channel_settings.h"
#include "acquisition/reading_display.h"
#include "acquisition/reading_set.h"
#include "acquisition/sensor_library.h"
#include "acquisition/up_down_statistics.h"
#include "platform/scheduler.h"
#include "ui/model/timer.h"
#include "ui/model/vu_meter.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// The parts of the program that the poll reads from and writes to.
struct PollParts {
    SensorLibrary& library;
    TReadingSet& readings;
    ChannelSettings& settings;
    UpDownStatistics& statistics;
    ReadingDisplay& display;
    std::array<ui::VUMeter*, kSensorCount> gauges;
};

// The steps of a poll that other subsystems carry out. Each is optional.
struct PollHooks {
    std::function<void()> createIcon;
    // Step 4, only while polling: the temperature alarm tests.
    std::function<void()> temperatureAlarms;
    // A rail outside its band (value in volts); the alarm side checks its monitor box and polling.
    std::function<void(Rail, double)> voltageOutOfBand;
    std::function<double()> voltagePercentOff;
    // The fan step: begin, a fan without a reading, a fan with one (its speed), end.
    std::function<void()> fanStepBegin;
    std::function<void(int)> fanNotAvailable;
    std::function<void(int)> fanAvailable;
    std::function<void(int, double)> fanSpeed;
    std::function<void()> fanStepEnd;
    // Step 8, only while polling.
    std::function<void()> cpuIdle;
    // Suspend and resume: the tray's changes, and the swap step after a resume.
    std::function<void(bool suspended)> suspendChanged;
    std::function<void()> swapStep;
    // The poll is over: every reading and alarm of it is settled.
    std::function<void()> pollDone;
};

// The poll timer `Timer1` and the poll itself. Polling is the state in which
// the timer runs; handlers that change a reading setting poll at once, but
// only while polling.
class PollCycle {
public:
    static constexpr int kDefaultIntervalMs = 10000;
    static constexpr int kMinIntervalMs = 1000;
    static constexpr int kMaxIntervalMs = 60000;
    static constexpr int kIntervalStepMs = 1000;
    static constexpr double kDefaultVoltagePercentOff = 10.0;

    // Creates Timer1 on `form` and the interval label and spin button in `panel`.
    PollCycle(ui::Window& form, ui::Control* panel, platform::Scheduler& scheduler, PollParts parts);

    PollHooks hooks;

    // One poll.
    void Timer1Timer();
    // Polls at once when polling is active.
    void pollNow();
    bool polling() const { return timer1_.enabled(); }

    int intervalMs() const { return timer1_.interval(); }
    void setIntervalMs(int ms);
    void GenTabIntervalSpinButtonUpClick();
    void GenTabIntervalSpinButtonDownClick();

    // Suspend mode: toggles polling; `swapTimer` and `logTimer` run again on resume only if they ran before.
    void pause1Click(ui::Timer& swapTimer, ui::Timer& logTimer);
    // Whether suspend mode holds the timers (not the time before polling first starts).
    bool suspended() const { return suspended_; }
    // The log timer's state for the resume, when the log is switched during suspend mode.
    void setLogTimerOnResume(bool running) { logWasRunning_ = running; }

    ui::Timer& Timer1() { return timer1_; }

private:
    double readSource(int sensor);
    void pollTemperature(int sensor);
    void voltageStep();
    void fanStep();
    void updateIntervalLabel();

    PollParts parts_;
    ui::Timer& timer1_;
    ui::Label& intervalLabel_;
    ui::SpinButton& intervalSpin_;
    bool swapWasRunning_ = false;
    bool logWasRunning_ = false;
    bool suspended_ = false;
};

}  // namespace kvx::acquisition
