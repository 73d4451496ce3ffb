#pragma once
#include <array>
#include <string>
#include <vector>

#include "logs/log_file.h"

namespace kvx::logs {

// One channel row of the Up/Down page, exactly as it shows: its name label and
// its lowest, highest and average labels.
struct UpDownRow {
    std::string name;
    std::string lowest;
    std::string highest;
    std::string average;
};

// Everything one Up/Down report copies: the texts of the Up/Down page and the
// moments around them.
struct UpDownReport {
    std::string date;       // now, short date format
    std::string time;       // now, long time format
    std::string startTime;  // the program's start, long time format (a reset keeps it)
    std::string polls;      // the number of sensor 1 readings since the last reset
    long long clockRateMhz = 0;
    // Sensors 1-3, Core, +3.3, +5, -5, +12, -12, fans 1-3.
    std::array<UpDownRow, 12> rows;
};

// Which Up/Down formats are chosen: "TXT" (CheckBox6) and "HTML" (CheckBox79),
// the same boxes that choose the warning log's formats.
struct UpDownFormats {
    bool text = true;
    bool html = true;
};

// The report as lines without line ends. The text table is 54 characters wide
// when the values fit (a longer value is written whole) and ends with two
// empty lines; the HTML report is a table of its own followed by a line break.
std::vector<std::string> upDownTextReport(const UpDownReport& report);
std::vector<std::string> upDownHtmlReport(const UpDownReport& report);

// Appends one report to each chosen file in `programFolder`, text first. A
// failure ends the report there (the HTML report is not written after a failed
// text report) and comes back with the system's error text.
platform::FsStatus WriteUpDownLog(LogFile& files, const std::string& programFolder, const UpDownFormats& formats,
                                  const UpDownReport& report);

}  // namespace kvx::logs
