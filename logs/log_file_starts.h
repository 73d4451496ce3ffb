#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "logs/interval_log_format.h"
#include "logs/log_file.h"

namespace kvx::logs {

// What a log file holds when it is new: its name in the program folder and its
// first lines (none for a file that starts empty).
struct LogFileStart {
    std::string_view fileName;
    std::vector<std::string> lines;
};

// The seven log files in the order in which they are created: the interval
// log (text, HTML, CSV) with headers naming `columns`, the warning log (text
// empty; HTML opening a table) and the Up/Down log (text empty; HTML opening
// the body, each report brings its own table).
std::vector<LogFileStart> logFileStarts(const IntervalLogColumns& columns);

// First lines of the new warning-log and Up/Down HTML files. The warning log's
// table line ends with one blank after its ">".
std::vector<std::string> warningLogHtmlStart();
std::vector<std::string> upDownLogHtmlStart();

// The interval log's headers: each creates its file in `programFolder`, or
// empties an existing one, and writes the header of its format. Used when a
// file is missing at start-up and when the interval log is erased. Returns the
// failure of the create or write, with the system's error text.
platform::FsStatus WriteIntervalLogStart(LogFile& files, const std::string& programFolder,
                                         const IntervalLogColumns& columns);
platform::FsStatus WriteIntervalLogStartHTM(LogFile& files, const std::string& programFolder,
                                            const IntervalLogColumns& columns);
platform::FsStatus WriteIntervalLogStartCSV(LogFile& files, const std::string& programFolder,
                                            const IntervalLogColumns& columns);

struct MissingLogFiles {
    // Ok, or the first failure (its message names the file and carries the
    // system's error text); files after a failing one were not attempted.
    platform::FsStatus status;
    // Names of the files created by this call, in creation order.
    std::vector<std::string> created;
};

// Start-up: creates each of the seven log files that does not exist yet in
// `programFolder` (which ends with "/"), with its first lines, in the order of
// logFileStarts. Existing files, empty ones included, are not touched. Stops at
// the first failure; the start-up then reports it and goes no further.
MissingLogFiles createMissingLogFiles(LogFile& files, const std::string& programFolder,
                                      const IntervalLogColumns& columns);

}  // namespace kvx::logs
