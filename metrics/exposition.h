#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvx::metrics {

// What one poll left behind, in base units, as the metrics file shows it.
// A value that is absent (no reading, switched off, no chip) gives no sample.
struct TemperatureSample {
    int sensor = 0;      // 1..3
    std::string name;    // the user's name for it
    std::string source;  // the chip input that feeds it, or "sim"
    std::optional<double> celsius;
};

struct RailSample {
    std::string rail;  // "core", "+3.3", "+5", "+12", "-12", "-5"
    std::optional<double> volts;
    bool outOfBand = false;
};

struct FanSample {
    int fan = 0;  // 1..3
    std::string name;
    std::optional<double> rpm;
};

struct AlarmSample {
    std::string alarm;  // "sensor1" .. "fan3"
    bool armed = false;
    std::uint64_t acted = 0;  // times it acted since the program started
};

struct Snapshot {
    std::vector<TemperatureSample> temperatures;
    std::vector<RailSample> rails;
    std::vector<FanSample> fans;
    std::vector<AlarmSample> alarms;
    std::uint64_t polls = 0;
    double lastPollSeconds = 0;  // Unix time of the poll
    std::string library;         // the sensor library's file
    std::string chip;            // the chip it reports
};

// A label value as the text format needs it: backslash, double quote and line
// feed escaped; bytes that are not UTF-8 replaced by U+FFFD, since a scraper
// rejects the whole file for one bad byte.
std::string escapeLabelValue(std::string_view value);

// A sample value: shortest text that reads back to the same double; NaN and
// the infinities as the format spells them.
std::string sampleValue(double value);

// The whole file: every metric with its HELP and TYPE lines, even when it has
// no sample this poll, ending with a line feed.
std::string expositionText(const Snapshot& snapshot);

}  // namespace kvx::metrics
