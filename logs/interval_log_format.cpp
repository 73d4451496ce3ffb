#include "logs/interval_log_format.h"

#include "logs/fixed_width.h"
#include "logs/log_file.h"

namespace kvx::logs {
namespace {

// Inner widths of the text table's cells, in column order.
constexpr std::array<std::size_t, 15> kCellWidths{8, 8, 7, 11, 11, 11, 4, 4, 4, 5, 5, 6, 9, 9, 9};

const std::string kTextBorder =
    "+--------+--------+-------+-----------+-----------+-----------+----+----+----+-----+-----+------+---------+"
    "---------+---------+";

std::string htmlCell(std::string_view text) { return "<td>" + std::string(text) + "</td>"; }

std::string htmlTableEnd() { return std::string(1, kCutMark) + "</tr></table>"; }

// "+3.3" with the nominal value in general format and the user's separator.
std::string p33Title(const IntervalLogColumns& columns) {
    return "+" + acquisition::generalText(columns.p33Nominal, columns.numbers);
}

}  // namespace

IntervalLogRow intervalLogRow(const DisplayedReadings& shown, std::string date, std::string time) {
    IntervalLogRow row;
    auto value = row.values.begin();
    *value++ = std::move(date);
    *value++ = std::move(time);
    *value++ = std::to_string(shown.clockRateMhz) + " MHz";
    for (const std::string& temperature : shown.temperatures) *value++ = temperature;
    for (const std::string& rail : shown.rails) *value++ = rail.size() > 2 ? rail.substr(2) : std::string();
    for (const std::string& fan : shown.fans) *value++ = fan.find("not") != std::string::npos ? "N/A" : fan;
    return row;
}

std::vector<std::string> intervalLogTextHeader(const IntervalLogColumns& columns) {
    std::string titles = "|  Date  |  Time  | Speed |";
    for (const std::string& name : columns.sensorNames) titles += leftAligned(name, 11) + "|";
    titles += "Core|" + leftAligned(p33Title(columns), 4) + "| +5 | -5  | +12 | -12  |";
    for (const std::string& name : columns.fanNames) titles += leftAligned(name, 9) + "|";
    return {
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): long rows are split into adjacent literals.
        "+--------+--------+-------+-----------------------------------+---------------------------------+"
        "-----------------------------+",
        "|        |        |       |            Temperature            |             Voltages            |"
        "              Fans           |",
        kTextBorder,
        titles,
        kTextBorder,
    };
}

std::vector<std::string> intervalLogHtmlHeader(const IntervalLogColumns& columns) {
    std::string titles = "<tr><td>Date</td><td>Time</td><td>Speed</td>";
    for (const std::string& name : columns.sensorNames) titles += htmlCell(name);
    titles += "<td>Core</td><td>+3.3</td><td>+5</td><td>-5</td><td>+12</td><td>-12</td>";
    for (const std::string& name : columns.fanNames) titles += htmlCell(name);
    titles += "</tr>" + htmlTableEnd();
    return {"<html>", "<body bgcolor=\"#FFFFFF\">", "<table border=\"1\" width=\"1000\">", titles};
}

std::vector<std::string> intervalLogCsvHeader(const IntervalLogColumns& columns) {
    std::string line = "Date;Time;Speed;";
    for (const std::string& name : columns.sensorNames) line += name + ";";
    line += "Core;" + p33Title(columns) + " Volt;+5 Volt;-5 Volt;+12 Volt;-12 Volt";
    for (const std::string& name : columns.fanNames) line += ";" + name;
    return {line};
}

std::string intervalLogTextRow(const IntervalLogRow& row) {
    std::string line = "|";
    for (std::size_t i = 0; i < row.values.size(); ++i) line += leftAligned(row.values[i], kCellWidths[i]) + "|";
    return line;
}

std::string intervalLogHtmlRow(const IntervalLogRow& row) {
    std::string line = "<tr>";
    for (const std::string& value : row.values) line += htmlCell(value);
    return line + htmlTableEnd();
}

std::string intervalLogCsvRow(const IntervalLogRow& row, std::string_view separator) {
    std::string line;
    for (std::size_t i = 0; i < row.values.size(); ++i) {
        if (i > 0) line += separator;
        line += row.values[i];
    }
    return line;
}

}  // namespace kvx::logs
