#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "text/number_text.h"

namespace kvx::logs {

// The settings that name the interval log's columns. Taken when a header is
// written (start-up for a missing file, erasing the log); a header already in
// a file is never rewritten when they change later.
struct IntervalLogColumns {
    // Names of sensors 1-3: settings "VUM 1 Name".."VUM 3 Name", the name
    // fields Edit4..Edit6 (at most 11 characters, filling one text column each).
    std::array<std::string, 3> sensorNames{"Sensor 1", "Sensor 2", "Sensor 3"};
    // Names of fans 1-3: settings "Fan 1 Name".."Fan 3 Name", the name fields
    // Edit1..Edit3 (at most 9 characters).
    std::array<std::string, 3> fanNames{"Fan 1", "Fan 2", "Fan 3"};
    // Nominal value of the +3.3 V rail in volts: setting "3.3 Custom Value".
    // Titles that column in the text and CSV headers ("+3.3" by default).
    double p33Nominal = 3.3;
    // The user's decimal separator (platform::Locale::decimalSeparator), used
    // in that title: "+3,3" on a system with a decimal comma.
    acquisition::NumberFormat numbers;
};

// What the window shows after the latest poll: one interval-log row is a copy
// of these texts, never of the raw readings.
struct DisplayedReadings {
    // The processor clock in MHz that the sensor library measured at start
    // (ClockRate, kept by the start-up).
    long long clockRateMhz = 0;
    // Sensors 1-3: the centre label of each gauge (VUMeterWB1, VUMeterLM75,
    // VUMeterWB2), e.g. "35°C"; "--" for a sensor that is off, empty when the
    // latest poll had no reading.
    std::array<std::string, 3> temperatures;
    // The rail value labels of the "Voltage Monitor" group, in the log's column
    // order Core, +3.3, +5, -5, +12, -12 (note: -5 before +12). Each reads ": "
    // followed by the value with two decimals, e.g. ": 1.98".
    std::array<std::string, 6> rails;
    // The fan speed labels of fans 1-3: the RPM, or "not available".
    std::array<std::string, 3> fans;
};

// The 15 values of one row, in column order: date, time, speed, sensors 1-3,
// Core, +3.3, +5, -5, +12, -12, fans 1-3. All three formats write the same values.
struct IntervalLogRow {
    std::array<std::string, 15> values;
};

// Builds a row from the displayed texts and the moment of writing (`date` in
// the short date format, `time` in the long time format): the speed becomes
// "<MHz> MHz", each rail text loses its first two characters (": "), and a fan
// text that contains "not" anywhere becomes "N/A".
IntervalLogRow intervalLogRow(const DisplayedReadings& shown, std::string date, std::string time);

// Headers, as lines without line ends (UTF-8; the log file encodes them).
// Text table: five lines. HTML: four lines; the last ends with the cut mark
// and "</tr></table>", so the first row replaces that tail. The HTML header
// titles the +3.3 V column "+3.3" whatever the nominal value. CSV: one line,
// always separated by ";" whatever the CSV separator setting says.
std::vector<std::string> intervalLogTextHeader(const IntervalLogColumns& columns);
std::vector<std::string> intervalLogHtmlHeader(const IntervalLogColumns& columns);
std::vector<std::string> intervalLogCsvHeader(const IntervalLogColumns& columns);

// One row as one line (without line end).
// Text table: fixed-width cells; a value wider than its cell is written whole.
std::string intervalLogTextRow(const IntervalLogRow& row);
// HTML: a table row without its closing tag, then the cut mark and "</tr></table>".
std::string intervalLogHtmlRow(const IntervalLogRow& row);
// CSV: the values joined by `separator` (setting "CSV Symbol", Edit8: one
// character or empty), with no quoting, exactly as the window shows them.
std::string intervalLogCsvRow(const IntervalLogRow& row, std::string_view separator);

}  // namespace kvx::logs
