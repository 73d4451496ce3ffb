#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/command_line.h"
#include "app/help_text.h"

namespace {

std::string output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
    return text;
}

std::string manualPage() {
    std::ifstream in(std::string(KVX_BUILD_DIR) + "/packaging/korvex.1");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The names a section lists: in --help the first word of each indented line
// under "Heading:", in the manual page the word after .B/.BI under ".SH HEADING".
std::set<std::string> helpNames(const std::string& help, const std::string& heading) {
    std::set<std::string> names;
    std::istringstream in(help);
    bool inside = false;
    static const std::regex entry(R"(^  ([^\s,]+(, [^\s,]+)*))");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != ' ') inside = line == heading + ":";
        std::smatch m;
        if (inside && std::regex_search(line, m, entry)) names.insert(m[1]);
    }
    return names;
}

std::set<std::string> manualNames(const std::string& page, const std::string& heading) {
    std::set<std::string> names;
    std::istringstream in(page);
    bool inside = false;
    bool afterTp = false;
    // ".B NAME" or ".BI "NAME " ARGUMENT"
    static const std::regex bold(R"re(^\.B (.+)$)re");
    static const std::regex boldItalic(R"re(^\.BI "(.+?) ?" .*$)re");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(".SH ", 0) == 0) inside = line == ".SH " + heading;
        std::smatch m;
        if (inside && afterTp && (std::regex_match(line, m, bold) || std::regex_match(line, m, boldItalic)))
            names.insert(std::regex_replace(std::string(m[1]), std::regex(R"(\\-)"), "-"));
        afterTp = line == ".TP";
    }
    return names;
}

}  // namespace

// Guards against --help and the manual page drifting apart: an option, variable,
// file or exit code that one of them lists and the other does not.
TEST(ManualPage, ListsWhatHelpLists) {
    const std::string help = output(std::string(KVX_BIN_DIR) + "/korvex --help");
    const std::string page = manualPage();
    ASSERT_FALSE(page.empty()) << "build/packaging/korvex.1 was not made";
    const std::pair<const char*, const char*> sections[] = {
        {"Options", "OPTIONS"}, {"Environment", "ENVIRONMENT"}, {"Files", "FILES"}, {"Exit status", "EXIT STATUS"}};
    for (auto [helpHeading, manHeading] : sections) {
        SCOPED_TRACE(helpHeading);
        const auto fromHelp = helpNames(help, helpHeading);
        EXPECT_FALSE(fromHelp.empty()) << "--help lists nothing under " << helpHeading;
        EXPECT_EQ(fromHelp, manualNames(page, manHeading));
    }
    EXPECT_TRUE(helpNames(help, "Options").count("--list-sensors"));
}

// Guards against --help advertising an option that the command line refuses.
TEST(HelpText, EveryListedOptionIsAccepted) {
    for (const auto& option : kvx::app::helpText().options) {
        SCOPED_TRACE(option.name);
        std::vector<std::string> args{option.name};
        if (!option.argument.empty()) args.emplace_back("1");
        if (option.name == "--virtual-time") args.emplace_back("--headless");
        EXPECT_EQ(kvx::app::parseCommandLine(args).error, "");
    }
}

// Guards against markup that man reads wrongly (a line starting with '.', an
// unescaped backslash): man itself checks the page.
TEST(ManualPage, ManFindsNoFaults) {
    if (output("command -v man").empty()) GTEST_SKIP() << "man (package man-db) is not installed: page not checked";
    const std::string warnings = output("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '" + std::string(KVX_BUILD_DIR) +
                                        "/packaging/korvex.1' 2>&1 >/dev/null");
    EXPECT_EQ(warnings, "");
}
