#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "logs/interval_log_format.h"
#include "logs/log_file.h"

namespace kvx::logs {

// Which interval-log formats are chosen: check boxes "TXT" (CheckBox4, setting
// "Log Files TXT"), "HTML" (CheckBox7, "Log Files HTM"), "CSV " (CheckBox84,
// "Log Files CSV").
struct IntervalLogFormats {
    bool text = true;
    bool html = true;
    bool csv = false;
};

// The date (short date format) and time (long time format) of one moment.
struct DateTimeTexts {
    std::string date;
    std::string time;
};

struct IntervalLogWrite {
    // Ok, or the failure of the text or HTML file (formats after it were not
    // written). The caller reports it to the user and skips the size check;
    // the next tick tries again.
    platform::FsStatus status;
    // The CSV row could not be written (for example a spreadsheet holds the
    // file). Never an error: that row is simply missing from the CSV file.
    bool csvSkipped = false;
};

// One interval-log tick: appends one row of `shown` to each chosen file in
// `programFolder`, in the order text, HTML, CSV, each file opened and closed
// on its own. `now` is asked once per format written, so each row carries the
// moment its own file was written. `csvSeparator` is the setting "CSV Symbol".
IntervalLogWrite appendIntervalLogRows(LogFile& files, const std::string& programFolder,
                                       const IntervalLogFormats& formats, const DisplayedReadings& shown,
                                       std::string_view csvSeparator, const std::function<DateTimeTexts()>& now);

}  // namespace kvx::logs
