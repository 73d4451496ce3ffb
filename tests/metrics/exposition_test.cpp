// The metrics text: label escaping, sample values, and which samples a poll gives.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "metrics/exposition.h"

using namespace kvx::metrics;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

bool hasLine(const std::string& text, const std::string& line) {
    for (const std::string& l : lines(text))
        if (l == line) return true;
    return false;
}

int samplesOf(const std::string& text, const std::string& metric) {
    int count = 0;
    for (const std::string& l : lines(text))
        if (l.rfind(metric + "{", 0) == 0 || l.rfind(metric + " ", 0) == 0) ++count;
    return count;
}

Snapshot boardAfterPoll() {
    Snapshot s;
    s.temperatures = {{1, "CPU", "coretemp-isa-0000/Package id 0", 53.5},
                      {2, "Mobo", "WinBond 2", std::nullopt},
                      {3, "Drive", "sim", 38.25}};
    s.rails = {{"core", 1.75, false}, {"+3.3", 3.31, false},        {"+5", 5.02, false},
               {"+12", 13.4, true},   {"-12", std::nullopt, false}, {"-5", -5.01, false}};
    s.fans = {{1, "CPU Fan", 4500}, {2, "Case", std::nullopt}, {3, "Fan 3", 0}};
    s.alarms = {{"sensor1", true, 0}, {"voltage", false, 2}};
    s.polls = 7;
    s.lastPollSeconds = 1765065068.25;
    s.library = "/opt/korvex/libkvx.so";
    s.chip = "nct6775-isa-0290";
    return s;
}

}  // namespace

// Guards against: a name or chip label that makes node_exporter reject the whole file.
TEST(MetricsLabels, EscapesWhatTheTextFormatRequiresAndNothingElse) {
    struct Case {
        const char* why;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"plain text passes", "Package id 0", "Package id 0"},
        {"a quote would end the value", "5\" bay", "5\\\" bay"},
        {"a backslash would start an escape", "C:\\temp", "C:\\\\temp"},
        {"a line feed would end the sample line", "two\nlines", "two\\nlines"},
        {"UTF-8 stays as it is",
         "Mobo \xC2\xB0"
         "C",
         "Mobo \xC2\xB0"
         "C"},
        {"a lone Windows-1252 byte is not UTF-8",
         "Mobo \xB0"
         "C",
         "Mobo \xEF\xBF\xBD"
         "C"},
        {"a sequence cut short at the end", "x\xE2\x82", "x\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"an encoded surrogate is not UTF-8", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"an overlong slash is not UTF-8", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"four-byte characters pass", "\xF0\x9F\x94\xA5", "\xF0\x9F\x94\xA5"},
    };
    for (const Case& c : cases) EXPECT_EQ(escapeLabelValue(c.in), c.out) << c.why;
}

// Guards against: readings rounded on the way out, and special values the parser does not know.
TEST(MetricsValues, ReadBackExactlyAndSpellSpecialValuesAsTheFormatDoes) {
    for (double v : {0.0, 47.5, -11.9, 3.31, 1765065068.25, 0.1 + 0.2}) {
        const std::string text = sampleValue(v);
        EXPECT_EQ(std::stod(text), v) << text;  // no digits lost on the way to the scraper
    }
    EXPECT_EQ(sampleValue(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(sampleValue(std::numeric_limits<double>::infinity()), "+Inf");
    EXPECT_EQ(sampleValue(-std::numeric_limits<double>::infinity()), "-Inf");
}

// Guards against: a missing reading exported as 0, which graphs and alerts would take for real.
// (The values and labels of the samples that do exist are read back through node_exporter by
// the metrics black-box test.)
TEST(MetricsText, GivesEveryReadingThatExistsAndNoneThatDoesNot) {
    const std::string text = expositionText(boardAfterPoll());
    EXPECT_EQ(samplesOf(text, "korvex_temperature_celsius"), 2);
    EXPECT_EQ(samplesOf(text, "korvex_voltage_volts"), 5);
    EXPECT_EQ(samplesOf(text, "korvex_voltage_out_of_band"), 5);
    EXPECT_TRUE(hasLine(text, "korvex_voltage_out_of_band{rail=\"+12\"} 1"));
    // A fan standing still reads 0 and is a sample; a fan without a reading is none.
    EXPECT_EQ(samplesOf(text, "korvex_fan_rpm"), 2);
    EXPECT_TRUE(hasLine(text, "korvex_fan_rpm{fan=\"3\",name=\"Fan 3\"} 0"));
    EXPECT_TRUE(hasLine(text, "korvex_alarms_total{alarm=\"voltage\"} 2"));
    EXPECT_TRUE(hasLine(text, "korvex_last_poll_timestamp_seconds 1765065068.25"));
}

// Guards against: families that vanish (or lose their TYPE) on a machine without chip or sensors.
TEST(MetricsText, EveryMetricHasHelpAndTypeOnceBeforeItsSamplesEvenWithoutSamples) {
    Snapshot empty;  // no chip, no sensor: the families must still be described
    for (const Snapshot& s : {boardAfterPoll(), empty}) {
        const std::vector<std::string> all = lines(expositionText(s));
        const std::pair<const char*, const char*> families[] = {
            {"korvex_temperature_celsius", "gauge"}, {"korvex_voltage_volts", "gauge"},
            {"korvex_voltage_out_of_band", "gauge"}, {"korvex_fan_rpm", "gauge"},
            {"korvex_alarm_armed", "gauge"},         {"korvex_alarms_total", "counter"},
            {"korvex_polls_total", "counter"},       {"korvex_last_poll_timestamp_seconds", "gauge"},
            {"korvex_sensor_library_info", "gauge"},
        };
        for (auto [name, type] : families) {
            int typeLine = -1, firstSample = -1, helps = 0;
            for (int i = 0; i < static_cast<int>(all.size()); ++i) {
                const std::string& l = all[i];
                if (l.rfind(std::string("# HELP ") + name + " ", 0) == 0) ++helps;
                if (l == std::string("# TYPE ") + name + " " + type) typeLine = i;
                if (firstSample < 0 &&
                    (l.rfind(std::string(name) + "{", 0) == 0 || l.rfind(std::string(name) + " ", 0) == 0))
                    firstSample = i;
            }
            EXPECT_EQ(helps, 1) << name;
            EXPECT_GE(typeLine, 0) << name;
            if (firstSample >= 0) {
                EXPECT_LT(typeLine, firstSample) << name;
            }
        }
    }
}
