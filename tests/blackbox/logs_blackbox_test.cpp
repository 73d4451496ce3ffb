// Three virtual hours of korvex with the interval log on and one "Save" on the
// Up/Down page, its files checked against figures worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "blackbox.h"

using namespace kvx::test;

namespace {

// "hh:mm:ss" (the C locale's time) as seconds of the day; -1 when it is not one.
int secondsOf(const std::string& time) {
    int h = 0, m = 0, s = 0;
    char rest = 0;
    if (std::sscanf(time.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &rest) != 3) return -1;
    return h * 3600 + m * 60 + s;
}

std::string timeAt(int seconds) {
    seconds = ((seconds % 86400) + 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

const std::string kC =
    "\xB0"
    "C";  // the degree sign of the single-byte files

// The texts the window shows in each hour (the board's phases), in the log's column order after the speed.
const std::vector<std::string> kPhases[3] = {
    {"30" + kC, "45" + kC, "40" + kC, "2.80", "3.31", "5.02", "-5.01", "12.10", "-11.90", "4500", "4400", "N/A"},
    {"40" + kC, "45" + kC, "40" + kC, "2.90", "3.35", "4.98", "-4.95", "12.20", "-12.10", "4000", "4400", "N/A"},
    {"35" + kC, "45" + kC, "40" + kC, "2.85", "3.30", "5.00", "-5.00", "12.00", "-12.00", "4200", "4300", "N/A"},
};

std::string padded(const std::string& text, size_t width) {
    size_t chars = text.size();  // single-byte file: one byte a character
    return chars >= width ? text : text + std::string(width - chars, ' ');
}

}  // namespace

// The interval log goes on at 5 s, between two polls (they fall at 0.2 s,
// 10.2 s, 20.2 s ...): a row at once and then one every 60 s, 180 rows, of
// which rows 0-59 show the first hour's readings, 60-119 the second's and
// 120-179 the third's. "Save" at 10795 s counts 4 polls at 0.2 s (the two
// sensor choices) and the timer's 1079 polls from 10.2 s to 10790.2 s: 1083,
// 363 in the first hour, 360 in each of the others.
TEST(LogsBlackBox, ThreeHoursOfIntervalLogAndASaveGiveTheRowsAndReportWorkedOutByHand) {
    ScopedEnv environment("TZ", "UTC");
    environment.set("LC_ALL", "C");
    ScenarioRun r("three-hours", "10800");
    ASSERT_EQ(r.run.exitCode, 0) << r.run.err;

    const std::string textFile = readFile(r.file("program/kvxlog.txt"));
    const std::string csvFile = readFile(r.file("program/kvxlog.csv"));
    const std::string htmlFile = readFile(r.file("program/kvxlog.htm"));
    EXPECT_TRUE(textFile.ends_with("\r\n") && csvFile.ends_with("\r\n")) << "every line ends with CR LF";
    const auto text = crlfLines(textFile);
    const auto csv = crlfLines(csvFile);
    ASSERT_EQ(text.size(), 5u + 180u);
    ASSERT_EQ(csv.size(), 1u + 180u);

    // The first row fixes the date and the clock time at 5 s; each later row is 60 s on.
    const std::string& firstRow = text[5];
    const std::string date = firstRow.substr(1, firstRow.find('|', 1) - 1);
    ASSERT_EQ(date.size(), 10u) << "mm/dd/yyyy, wider than its column: " << firstRow;
    const int first = secondsOf(firstRow.substr(date.size() + 2, 8));
    ASSERT_GE(first, 0) << firstRow;

    const int widths[15] = {8, 8, 7, 11, 11, 11, 4, 4, 4, 5, 5, 6, 9, 9, 9};
    std::string htmlRows;
    for (int k = 0; k < 180; ++k) {
        // A run that starts shortly before midnight would change the date: the rows keep their own.
        const std::string rowDate = text[5 + k].substr(1, 10);
        EXPECT_TRUE(rowDate == date || rowDate == text[5 + 179].substr(1, 10)) << "row " << k << ": " << rowDate;
        std::vector<std::string> values = {rowDate, timeAt(first + 60 * k), "450 MHz"};
        values.insert(values.end(), kPhases[k / 60].begin(), kPhases[k / 60].end());
        std::string textRow = "|", csvRow, cells;
        for (int i = 0; i < 15; ++i) {
            textRow += padded(values[i], widths[i]) + "|";
            csvRow += (i ? "," : "") + values[i];
            cells += "<td>" + values[i] + "</td>";
        }
        EXPECT_EQ(text[5 + k], textRow) << "row " << k;
        EXPECT_EQ(csv[1 + k], csvRow) << "row " << k;
        htmlRows += "<tr>" + cells;
    }
    EXPECT_EQ(csv[0],
              "Date;Time;Speed;Sensor 1;Sensor 2;Sensor 3;Core;+3.3 Volt;+5 Volt;-5 Volt;+12 Volt;-12 Volt;"
              "Fan 1;Fan 2;Fan 3");

    // The HTML file: its header, the rows without their closing tags, one cut mark and one closing line.
    const std::string htmlHeader =
        "<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n<table border=\"1\" width=\"1000\">\r\n"
        "<tr><td>Date</td><td>Time</td><td>Speed</td><td>Sensor 1</td><td>Sensor 2</td><td>Sensor 3</td>"
        "<td>Core</td><td>+3.3</td><td>+5</td><td>-5</td><td>+12</td><td>-12</td><td>Fan 1</td><td>Fan 2</td>"
        "<td>Fan 3</td></tr>";
    EXPECT_EQ(htmlFile, htmlHeader + htmlRows + "\x1A</tr></table>\r\n");
    EXPECT_EQ(std::count(htmlFile.begin(), htmlFile.end(), '\x1A'), 1);
    size_t closing = 0;
    for (size_t at = 0; (at = htmlFile.find("</tr></table>", at)) != std::string::npos; at += 1) ++closing;
    EXPECT_EQ(closing, 1u);

    // The report: the program's start is taken at 0.2 s, 4.8 s before the first row,
    // so its clock text is 5 s earlier, or 4 when the start fell late in its second
    // (the wall clock begins at the real time of start); "Save" is 10790 s after the first row.
    const std::string reportFile = readFile(r.file("program/updown.txt"));
    EXPECT_TRUE(reportFile.ends_with("\r\n"));
    const auto report = crlfLines(reportFile);
    ASSERT_EQ(report.size(), 22u);
    const std::string& line3 = report[2];
    const std::string start = line3.substr(1, 8);
    EXPECT_TRUE(start == timeAt(first - 5) || start == timeAt(first - 4)) << line3;
    const std::string saved = timeAt(first + 10790);
    EXPECT_EQ(line3, "|" + start + " till " + saved + ", number of polls: 1083       |");
    // 1083 · 35 − 15 = 37890 over 1083 polls; 40 · 1081 (two polls before sensor 3's
    // source was chosen read 0) / 1083; 3086.4 / 1083; 3595.53 / 1083; 5415.06 / 1083;
    // −5400.63 / 1083; 13104.3 / 1083; −12995.7 / 1083; 4585500 / 1083; 4729200 / 1083.
    const std::vector<std::string> expected = {
        "+----------------------------------------------------+",
        "|Up and Down Log: " + padded(text[5 + 179].substr(1, 10), 34) + " |",
        line3,
        "|CPU Speed: 450 MHz                                  |",
        "+----------------+-----------+-----------+-----------+",
        "|                |  Lowest   |  Highest  |  Average  |",
        "+----------------+-----------+-----------+-----------+",
        "|Sensor 1        |30         |40         |34.99      |",
        "|Sensor 2        |45         |45         |45.00      |",
        "|Sensor 3        |40         |40         |39.93      |",
        "|Core Voltage    |2.80       |2.90       |2.85       |",
        "|+3.3 Voltage    |3.30       |3.35       |3.32       |",
        "|+5 Voltage      |4.98       |5.02       |5.00       |",
        "|-5 Voltage      |-4.95      |-5.01      |-4.99      |",
        "|+12 Voltage     |12.00      |12.20      |12.10      |",
        "|-12 Voltage     |-11.90     |-12.10     |-12.00     |",
        "|Fan 1           |4000       |4500       |4234.07    |",
        "|Fan 2           |4300       |4400       |4366.76    |",
        "|Fan 3           |0          |0          |0          |",
        "+----------------+-----------+-----------+-----------+",
        "",
        "",
    };
    EXPECT_EQ(report, expected);
    const std::string htmlReport = readFile(r.file("program/updown.htm"));
    EXPECT_NE(htmlReport.find("<tr><td>" + start + " till " + saved +
                              ", number of polls: 1083</td></tr>\r\n"
                              "<tr><td>CPU Speed: 450 MHz</td></tr>\r\n"),
              std::string::npos);
    EXPECT_NE(htmlReport.find("<tr><td>Fan 2</td><td>4300</td><td>4400</td><td>4366.76</td></tr>\r\n"
                              "<tr><td>Fan 3</td><td>0</td><td>0</td><td>0</td></tr></table><br>\r\n"),
              std::string::npos);
}
