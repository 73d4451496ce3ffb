#pragma once
#include <string>
#include <vector>

#include "logs/log_file.h"

namespace kvx::logs {

// The formats the warning log is written in ("TXT" and "HTML" on the Log page).
struct WarningLogFormats {
    bool text = true;
    bool html = true;
};

// One entry of the bordered text table: border, "|date|time|text|" padded to
// 8, 8 and 54 characters (a longer value is written whole), border.
std::vector<std::string> warningLogTextEntry(const std::string& date, const std::string& time, const std::string& text);
// One row of the HTML table, ending with the cut mark and the closing tags
// that the next entry removes.
std::string warningLogHtmlEntry(const std::string& date, const std::string& time, const std::string& text);

// Appends one entry to each chosen warning log file in `programFolder`. The
// first file that cannot be written ends the entry there; its status comes back.
platform::FsStatus writeWarningLog(LogFile& file, const std::string& programFolder, const WarningLogFormats& formats,
                                   const std::string& date, const std::string& time, const std::string& text);

}  // namespace kvx::logs
