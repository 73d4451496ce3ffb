#include "acquisition/poll_cycle.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "text/band.h"

namespace kvx::acquisition {
namespace {

struct RailStep {
    Rail rail;
    TChannel channel;
};

// The voltage step's order.
constexpr RailStep kRailSteps[kRailCount] = {
    {Rail::Core, TChannel::CoreVoltage}, {Rail::P33, TChannel::P33Voltage}, {Rail::P5, TChannel::P5Voltage},
    {Rail::P12, TChannel::P12Voltage},   {Rail::N12, TChannel::N12Voltage}, {Rail::N5, TChannel::N5Voltage},
};

}  // namespace

PollCycle::PollCycle(ui::Window& form, ui::Control* panel, platform::Scheduler& scheduler, PollParts parts)
    : parts_(parts),
      timer1_(form.add<ui::Timer>(nullptr, "Timer1", scheduler)),
      intervalLabel_(form.add<ui::Label>(panel, "GenTabIntervalLabel")),
      intervalSpin_(form.add<ui::SpinButton>(panel, "GenTabIntervalSpinButton")) {
    intervalLabel_.setBounds({8, 96, 200, 13});
    intervalSpin_.setBounds({212, 92, 15, 20});
    timer1_.setInterval(kDefaultIntervalMs);
    timer1_.onTimer = [this] { Timer1Timer(); };
    intervalSpin_.onUpClick = [this] { GenTabIntervalSpinButtonUpClick(); };
    intervalSpin_.onDownClick = [this] { GenTabIntervalSpinButtonDownClick(); };
    updateIntervalLabel();
}

double PollCycle::readSource(int sensor) {
    SensorLibrary& lib = parts_.library;
    int listed = parts_.settings.listedSource(sensor);
    // A source that its list does not show is not read; the last reading stays.
    if (listed < 0) return parts_.readings.sensorReading[sensor - 1];
    auto source = static_cast<TTemperatureSource>(listed);
    switch (source) {
        case TTemperatureSource::None: return 0.0;
        case TTemperatureSource::WinBond1:
        case TTemperatureSource::LM78:
        case TTemperatureSource::LM79: return lib.lm78Temp();
        case TTemperatureSource::WinBond2: return lib.winBondSensor2();
        case TTemperatureSource::WinBond3: return lib.winBondSensor3();
        default: return lib.lm75Output(parts_.readings.smbusBase, lm75ReadAddress(source));
    }
}

void PollCycle::pollTemperature(int sensor) {
    const ChannelSettings& settings = parts_.settings;
    double reading = readSource(sensor);
    if (reading != kNoReading && settings.compensationOn(sensor)) reading += settings.compensationOffset(sensor);
    parts_.readings.sensorReading[sensor - 1] = reading;
    double value = sensor == 3 ? static_cast<double>(roundHalfEven(reading)) : reading;
    ui::VUMeter& gauge = *parts_.gauges[sensor - 1];
    // The gauge takes every reading, also one above its scale, so the texts and
    // statistics below show the temperature of this poll, never an old one.
    gauge.setPosition(static_cast<float>(value));
    if (reading == kNoReading) {
        gauge.setCenterLabel("");
        return;
    }
    gauge.setCenterLabel(temperatureText(sensor, gauge.position(), settings.textRules()));
    parts_.statistics.updateTemperature(sensor, gauge.position(), settings.textRules());
}

void PollCycle::Timer1Timer() {
    TReadingSet& r = parts_.readings;
    if (r.chipPresent) {
        r.rails = parts_.library.voltages();
        FanValues fans = parts_.library.fans();
        r.fanRaw = {fans.fan1, fans.fan2, fans.fan3};
    }
    for (int sensor = 1; sensor <= kSensorCount; ++sensor) pollTemperature(sensor);
    if (hooks.createIcon) hooks.createIcon();
    if (polling() && hooks.temperatureAlarms) hooks.temperatureAlarms();
    // An error inside the voltage or fan step ends that step only; the poll goes on.
    if (r.chipPresent) {
        try {
            voltageStep();
        } catch (...) {
        }
        try {
            fanStep();
        } catch (...) {
        }
        // The fan alarms' ignore counters are settled even when the fan step ended early.
        if (hooks.fanStepEnd) hooks.fanStepEnd();
    }
    parts_.statistics.updatePollCount();
    if (polling() && hooks.cpuIdle) hooks.cpuIdle();
    if (hooks.pollDone) hooks.pollDone();
}

void PollCycle::voltageStep() {
    const ChannelSettings& settings = parts_.settings;
    const RailVoltages& v = parts_.readings.rails;
    const NumberFormat& number = settings.textRules().number;
    double percent = hooks.voltagePercentOff ? hooks.voltagePercentOff() : kDefaultVoltagePercentOff;
    for (const RailStep& step : kRailSteps) {
        double nominal = 0, value = 0;
        switch (step.rail) {
            case Rail::Core:
                nominal = settings.coreNominal();
                value = settings.corePort1() ? v.corePort1 : v.corePort0;
                break;
            case Rail::P33:
                nominal = settings.p33Nominal();
                value = v.p33;
                break;
            case Rail::P5:
                nominal = 5.0;
                value = v.p5;
                break;
            case Rail::P12:
                nominal = 12.0;
                value = v.p12;
                break;
            case Rail::N12:
                nominal = -12.0;
                value = v.n12;
                break;
            case Rail::N5:
                nominal = -5.0;
                value = v.n5;
                break;
        }
        const auto slot = static_cast<std::size_t>(step.rail);
        parts_.readings.railVolts[slot] = value;
        parts_.readings.railOutOfBand[slot] = false;
        // A library with no reading for a rail says NaN: the rail keeps its text and statistics.
        if (std::isnan(value)) continue;
        double halfWidth = calculatePerc(std::abs(nominal), percent);
        ui::Label& label = parts_.display.railLabel(step.rail);
        label.setColour(ui::kColourBlack);
        label.setCaption(railText(value, number));
        if (outsideBand(value, nominal, halfWidth)) {
            parts_.readings.railOutOfBand[slot] = true;
            label.setColour(ui::kColourRed);
            if (hooks.voltageOutOfBand) hooks.voltageOutOfBand(step.rail, value);
        }
        parts_.statistics.updateRail(step.channel, value, number);
    }
}

void PollCycle::fanStep() {
    const ChannelSettings& settings = parts_.settings;
    const NumberFormat& number = settings.textRules().number;
    if (hooks.fanStepBegin) hooks.fanStepBegin();
    for (int fan = 1; fan <= kFanCount; ++fan) {
        int32_t raw = parts_.readings.fanRaw[fan - 1];
        ui::Label& label = parts_.display.fanLabel(fan);
        if (raw == kFanNotAvailable) {
            label.setCaption("not available");
            if (hooks.fanNotAvailable) hooks.fanNotAvailable(fan);
            continue;
        }
        if (hooks.fanAvailable) hooks.fanAvailable(fan);
        int32_t speed = fanSpeed(fan, raw, settings.fanType(fan));
        label.setCaption(std::to_string(speed));
        parts_.statistics.updateFan(fan, speed, number);
        if (polling() && hooks.fanSpeed) hooks.fanSpeed(fan, speed);
    }
}

void PollCycle::pollNow() {
    if (polling()) Timer1Timer();
}

void PollCycle::setIntervalMs(int ms) {
    timer1_.setInterval(ms);
    updateIntervalLabel();
}

void PollCycle::GenTabIntervalSpinButtonUpClick() {
    if (intervalMs() < kMaxIntervalMs) setIntervalMs(intervalMs() + kIntervalStepMs);
}

void PollCycle::GenTabIntervalSpinButtonDownClick() {
    if (intervalMs() > kMinIntervalMs) setIntervalMs(intervalMs() - kIntervalStepMs);
}

void PollCycle::updateIntervalLabel() {
    intervalLabel_.setCaption("Check at Intervals of " + std::to_string(intervalMs() / 1000) + " seconds");
}

void PollCycle::pause1Click(ui::Timer& swapTimer, ui::Timer& logTimer) {
    timer1_.setEnabled(!timer1_.enabled());
    suspended_ = !polling();
    if (!polling()) {
        if (hooks.suspendChanged) hooks.suspendChanged(true);
        logWasRunning_ = logTimer.enabled();
        swapWasRunning_ = swapTimer.enabled();
        logTimer.setEnabled(false);
        swapTimer.setEnabled(false);
    } else {
        if (hooks.suspendChanged) hooks.suspendChanged(false);
        logTimer.setEnabled(logWasRunning_);
        swapTimer.setEnabled(swapWasRunning_);
        Timer1Timer();
        if (hooks.swapStep) hooks.swapStep();
    }
}

}  // namespace kvx::acquisition
