#pragma once
#include <string>
#include <vector>

namespace kvx::app {

// What `korvex --help` says, kept as a table so that the manual page
// (korvex.1, made at build time by kvx-make-man-page) says the same: every
// option, environment variable, file and exit code is written here once.
// Descriptions are plain text; "\n" starts a new line of the same entry.
struct HelpEntry {
    std::string name;      // "--run-for", "KORVEX_CONFIG_DIR", "~/.config/korvex/user.reg", "2"
    std::string argument;  // an option's value ("SECONDS"), else empty
    std::string description;
};

struct HelpText {
    std::string synopsis;  // "korvex [options]"
    std::string summary;   // one line: what the program does
    std::string details;   // a short paragraph: how a person meets it
    std::vector<HelpEntry> options;
    std::vector<HelpEntry> environment;
    std::vector<HelpEntry> files;
    std::vector<HelpEntry> exitStatus;
};

const HelpText& helpText();

// usageText() (command_line.h), the text --help prints, is rendered from helpText().

// The manual page korvex(1) in man(7) markup, rendered from helpText().
// `version` ("3.82") and `date` ("2026-12-07") go into its title line.
std::string manPage(const std::string& version, const std::string& date);

}  // namespace kvx::app
