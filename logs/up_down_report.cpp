#include "logs/up_down_report.h"

#include "logs/fixed_width.h"
#include "logs/log_file_names.h"

namespace kvx::logs {
namespace {

const std::string kTitleBorder = "+----------------------------------------------------+";
const std::string kGridBorder = "+----------------+-----------+-----------+-----------+";

std::string cell(const std::string& text) { return "<td>" + text + "</td>"; }

}  // namespace

std::vector<std::string> upDownTextReport(const UpDownReport& report) {
    std::vector<std::string> lines;
    lines.push_back(kTitleBorder);
    lines.push_back("|Up and Down Log: " + leftAligned(report.date, 34) + " |");
    lines.push_back("|" + rightAligned(report.startTime, 8) + " till " + rightAligned(report.time, 8) +
                    ", number of polls: " + leftAligned(report.polls, 10) + " |");
    lines.push_back("|CPU Speed: " + leftAligned(std::to_string(report.clockRateMhz), 3) + " " +
                    leftAligned("MHz", 37) + "|");
    lines.push_back(kGridBorder);
    lines.emplace_back("|                |  Lowest   |  Highest  |  Average  |");
    lines.push_back(kGridBorder);
    for (const UpDownRow& row : report.rows)
        lines.push_back("|" + leftAligned(row.name, 16) + "|" + leftAligned(row.lowest, 11) + "|" +
                        leftAligned(row.highest, 11) + "|" + leftAligned(row.average, 11) + "|");
    lines.push_back(kGridBorder);
    lines.emplace_back();
    lines.emplace_back();
    return lines;
}

std::vector<std::string> upDownHtmlReport(const UpDownReport& report) {
    std::vector<std::string> lines;
    lines.push_back("<table border=\"1\"><tr><td>Up And Down Log: " + report.date + "</td></tr>");
    lines.push_back("<tr><td>" + report.startTime + " till " + report.time + ", number of polls: " + report.polls +
                    "</td></tr>");
    lines.push_back("<tr><td>CPU Speed: " + std::to_string(report.clockRateMhz) + " MHz</td></tr>");
    lines.emplace_back("<tr><td></td><td>Lowest</td><td>Highest</td><td>Average</td></tr>");
    for (const UpDownRow& row : report.rows)
        lines.push_back("<tr>" + cell(row.name) + cell(row.lowest) + cell(row.highest) + cell(row.average) + "</tr>");
    lines.back() += "</table><br>";
    return lines;
}

platform::FsStatus WriteUpDownLog(LogFile& files, const std::string& programFolder, const UpDownFormats& formats,
                                  const UpDownReport& report) {
    if (formats.text) {
        platform::FsStatus status = files.append(logFilePath(programFolder, kUpDownLogText), upDownTextReport(report));
        if (!status.ok()) return status;
    }
    if (formats.html) return files.append(logFilePath(programFolder, kUpDownLogHtml), upDownHtmlReport(report));
    return {};
}

}  // namespace kvx::logs
