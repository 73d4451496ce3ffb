#include "logs/interval_log_rows.h"

#include "logs/log_file_names.h"

namespace kvx::logs {
namespace {

IntervalLogRow rowAtNow(const DisplayedReadings& shown, const std::function<DateTimeTexts()>& now) {
    DateTimeTexts moment = now();
    return intervalLogRow(shown, std::move(moment.date), std::move(moment.time));
}

}  // namespace

IntervalLogWrite appendIntervalLogRows(LogFile& files, const std::string& programFolder,
                                       const IntervalLogFormats& formats, const DisplayedReadings& shown,
                                       std::string_view csvSeparator, const std::function<DateTimeTexts()>& now) {
    IntervalLogWrite result;
    if (formats.text) {
        result.status = files.append(logFilePath(programFolder, kIntervalLogText),
                                     {intervalLogTextRow(rowAtNow(shown, now))});
        if (!result.status.ok()) return result;
    }
    if (formats.html) {
        result.status = files.append(logFilePath(programFolder, kIntervalLogHtml),
                                     {intervalLogHtmlRow(rowAtNow(shown, now))});
        if (!result.status.ok()) return result;
    }
    if (formats.csv) {
        const platform::FsStatus csv = files.append(logFilePath(programFolder, kIntervalLogCsv),
                                                    {intervalLogCsvRow(rowAtNow(shown, now), csvSeparator)});
        result.csvSkipped = !csv.ok();
    }
    return result;
}

}  // namespace kvx::logs
