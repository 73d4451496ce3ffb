#pragma once
#include <optional>
#include <string>
#include <vector>

namespace kvx::app {

struct Options {
    bool headless = false;
    bool virtualTime = false;
    std::optional<double> runForSeconds;
    std::string scriptFile;
    std::string dumpFile;
    std::string programFolder;
    std::string configDir;
    std::string sensorLibrary;
    std::string scenarioFile;
    std::string metricsDir;  // where korvex.prom goes after every poll; empty: the setting decides
    bool help = false;
    bool version = false;
    bool listSensors = false;  // print what the sensor library found, then end
};

struct ParsedCommandLine {
    Options options;
    // One line naming what is wrong; empty when the command line is good.
    std::string error;
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

// The text --help prints (help_text.h holds what it says).
std::string usageText();

}  // namespace kvx::app
