#include "logs/warning_log.h"

#include "logs/log_file_names.h"

namespace kvx::logs {
namespace {

constexpr const char* kBorder = "+--------+--------+------------------------------------------------------+";

// Pads to `width` characters as the file counts them: one per character, so a
// "°" (two bytes here, one in the file) counts once.
std::string padded(const std::string& value, size_t width) {
    size_t characters = 0;
    for (unsigned char c : value)
        if ((c & 0xC0) != 0x80) ++characters;
    return characters >= width ? value : value + std::string(width - characters, ' ');
}

}  // namespace

std::vector<std::string> warningLogTextEntry(const std::string& date, const std::string& time,
                                             const std::string& text) {
    return {kBorder, "|" + padded(date, 8) + "|" + padded(time, 8) + "|" + padded(text, 54) + "|", kBorder};
}

std::string warningLogHtmlEntry(const std::string& date, const std::string& time, const std::string& text) {
    return "<tr><td>" + date + "</td><td>" + time + "</td><td>" + text + "</td>" + kCutMark + "</tr></table>";
}

platform::FsStatus writeWarningLog(LogFile& file, const std::string& programFolder, const WarningLogFormats& formats,
                                   const std::string& date, const std::string& time, const std::string& text) {
    if (formats.text) {
        platform::FsStatus status = file.append(logFilePath(programFolder, kWarningLogText),
                                                warningLogTextEntry(date, time, text));
        if (!status.ok()) return status;
    }
    if (formats.html)
        return file.append(logFilePath(programFolder, kWarningLogHtml), {warningLogHtmlEntry(date, time, text)});
    return {};
}

}  // namespace kvx::logs
