#pragma once
#include <string>
#include <string_view>

namespace kvx::logs {

// The seven log files; all live in the program folder.
inline constexpr std::string_view kIntervalLogText = "kvxlog.txt";
inline constexpr std::string_view kIntervalLogHtml = "kvxlog.htm";
inline constexpr std::string_view kIntervalLogCsv = "kvxlog.csv";
inline constexpr std::string_view kWarningLogText = "kvxwarnlog.txt";
inline constexpr std::string_view kWarningLogHtml = "kvxwarnlog.htm";
inline constexpr std::string_view kUpDownLogText = "updown.txt";
inline constexpr std::string_view kUpDownLogHtml = "updown.htm";

// Full path of a log file: the program folder (which ends with "/") followed by
// the file name. A folder given without its trailing "/" gets one, so the file
// never lands beside the folder under a glued-together name. No length limit:
// a cut path would name a different file.
inline std::string logFilePath(const std::string& programFolder, std::string_view fileName) {
    std::string path = programFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += fileName;
    return path;
}

}  // namespace kvx::logs
