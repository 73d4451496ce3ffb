#include "app/metrics_snapshot.h"

#include <cmath>

#include "acquisition/conversions.h"

namespace kvx::app {
namespace {

using acquisition::TTemperatureSource;

// The library channel that a temperature source reads, for its "source" label.
std::string channelOf(TTemperatureSource source) {
    switch (source) {
        case TTemperatureSource::WinBond1:
        case TTemperatureSource::LM78:
        case TTemperatureSource::LM79: return "Temp1";
        case TTemperatureSource::WinBond2: return "Temp2";
        case TTemperatureSource::WinBond3: return "Temp3";
        case TTemperatureSource::None: return "";
        default:
            return "LM75." +
                   std::to_string(static_cast<int>(source) - static_cast<int>(TTemperatureSource::LM75_1) + 1);
    }
}

// Rail labels by acquisition::Rail.
constexpr const char* kRailLabels[acquisition::kRailCount] = {"core", "+3.3", "+5", "+12", "-12", "-5"};

constexpr struct {
    const char* label;
    alarms::AlarmSource source;
} kAlarms[] = {
    {"sensor1", alarms::AlarmSource::Sensor1}, {"sensor2", alarms::AlarmSource::Sensor2},
    {"sensor3", alarms::AlarmSource::Sensor3}, {"voltage", alarms::AlarmSource::Voltage},
    {"fan1", alarms::AlarmSource::Fan1},       {"fan2", alarms::AlarmSource::Fan2},
    {"fan3", alarms::AlarmSource::Fan3},
};

}  // namespace

metrics::Snapshot takeSnapshot(ui::MainWindow& main, const SnapshotContext& context) {
    metrics::Snapshot s;
    const acquisition::TReadingSet& readings = main.readings();
    const acquisition::ChannelSettings& channels = main.channels();
    ui::Window& form = main.form();

    for (int sensor = 1; sensor <= acquisition::kSensorCount; ++sensor) {
        metrics::TemperatureSample t;
        t.sensor = sensor;
        t.name = form.require<ui::Edit>("Edit" + std::to_string(3 + sensor)).text();
        const TTemperatureSource source = channels.source(sensor);
        const auto index = static_cast<std::size_t>(source);
        const std::string caption = index < acquisition::sourceCaptions().size() ? acquisition::sourceCaptions()[index]
                                                                                 : std::to_string(index);
        t.source = context.sources.sourceOf(channelOf(source), caption);
        const double reading = readings.sensorReading[sensor - 1];
        // A sensor switched off ("None") or without a reading has no sample.
        if (channels.inUse(sensor) && source != TTemperatureSource::None && reading != acquisition::kNoReading)
            t.celsius = reading;
        s.temperatures.push_back(std::move(t));
    }

    for (int rail = 0; rail < acquisition::kRailCount; ++rail) {
        metrics::RailSample r;
        r.rail = kRailLabels[rail];
        const double volts = readings.railVolts[rail];
        if (readings.chipPresent && !std::isnan(volts)) r.volts = volts;
        r.outOfBand = readings.railOutOfBand[rail];
        s.rails.push_back(std::move(r));
    }

    for (int fan = 1; fan <= acquisition::kFanCount; ++fan) {
        metrics::FanSample f;
        f.fan = fan;
        f.name = form.require<ui::Edit>("Edit" + std::to_string(fan)).text();
        const int32_t raw = readings.fanRaw[fan - 1];
        if (readings.chipPresent && raw != acquisition::kFanNotAvailable)
            f.rpm = acquisition::fanSpeed(fan, raw, channels.fanType(fan));
        s.fans.push_back(std::move(f));
    }

    alarms::AlarmSettings& settings = main.alarmSettings();
    const alarms::AlarmChecks& checks = main.alarmChecks();
    for (const auto& alarm : kAlarms) {
        const alarms::AlarmActionBoxes* boxes = nullptr;
        switch (alarm.source) {
            case alarms::AlarmSource::Sensor1: boxes = &settings.sensor(1); break;
            case alarms::AlarmSource::Sensor2: boxes = &settings.sensor(2); break;
            case alarms::AlarmSource::Sensor3: boxes = &settings.sensor(3); break;
            case alarms::AlarmSource::Voltage: boxes = &settings.voltage(); break;
            case alarms::AlarmSource::Fan1: boxes = &settings.fan(1); break;
            case alarms::AlarmSource::Fan2: boxes = &settings.fan(2); break;
            case alarms::AlarmSource::Fan3: boxes = &settings.fan(3); break;
            case alarms::AlarmSource::None: break;
        }
        s.alarms.push_back({alarm.label, boxes && boxes->enable->checked(), checks.actedCount(alarm.source)});
    }

    s.polls = context.polls;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(context.pollTime.time_since_epoch()).count();
    s.lastPollSeconds = static_cast<double>(ms) / 1000.0;
    s.library = context.libraryPath;
    s.chip = context.sources.chip;
    return s;
}

}  // namespace kvx::app
