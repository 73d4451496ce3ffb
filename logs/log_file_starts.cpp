#include "logs/log_file_starts.h"

#include "logs/log_file_names.h"

namespace kvx::logs {

std::vector<std::string> warningLogHtmlStart() {
    return {"<html>", "<body bgcolor=\"#FFFFFF\">", "<table border=\"1\"> "};
}

std::vector<std::string> upDownLogHtmlStart() { return {"<html>", "<body bgcolor=\"#FFFFFF\">"}; }

std::vector<LogFileStart> logFileStarts(const IntervalLogColumns& columns) {
    return {
        {kIntervalLogText, intervalLogTextHeader(columns)},
        {kIntervalLogHtml, intervalLogHtmlHeader(columns)},
        {kIntervalLogCsv, intervalLogCsvHeader(columns)},
        {kWarningLogText, {}},
        {kWarningLogHtml, warningLogHtmlStart()},
        {kUpDownLogText, {}},
        {kUpDownLogHtml, upDownLogHtmlStart()},
    };
}

platform::FsStatus WriteIntervalLogStart(LogFile& files, const std::string& programFolder,
                                         const IntervalLogColumns& columns) {
    return files.create(logFilePath(programFolder, kIntervalLogText), intervalLogTextHeader(columns));
}

platform::FsStatus WriteIntervalLogStartHTM(LogFile& files, const std::string& programFolder,
                                            const IntervalLogColumns& columns) {
    return files.create(logFilePath(programFolder, kIntervalLogHtml), intervalLogHtmlHeader(columns));
}

platform::FsStatus WriteIntervalLogStartCSV(LogFile& files, const std::string& programFolder,
                                            const IntervalLogColumns& columns) {
    return files.create(logFilePath(programFolder, kIntervalLogCsv), intervalLogCsvHeader(columns));
}

MissingLogFiles createMissingLogFiles(LogFile& files, const std::string& programFolder,
                                      const IntervalLogColumns& columns) {
    MissingLogFiles result;
    for (const LogFileStart& start : logFileStarts(columns)) {
        const platform::LogStorage::Created made = files.createIfMissing(logFilePath(programFolder, start.fileName),
                                                                         start.lines);
        if (!made.status.ok()) {
            result.status = made.status;
            break;
        }
        if (made.created) result.created.emplace_back(start.fileName);
    }
    return result;
}

}  // namespace kvx::logs
