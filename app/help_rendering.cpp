// The two renderings of helpText(): the --help text and the manual page.
#include <sstream>

#include "app/command_line.h"
#include "app/help_text.h"

namespace kvx::app {
namespace {

constexpr size_t kDescriptionColumn = 26;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// "  NAME ARG    description", continuation lines under the description; a name
// too long for its column puts the description on the next line.
void listEntries(std::ostringstream& out, const char* heading, const std::vector<HelpEntry>& entries) {
    out << "\n" << heading << ":\n";
    for (const auto& entry : entries) {
        std::string head = "  " + entry.name + (entry.argument.empty() ? "" : " " + entry.argument);
        const std::string indent(kDescriptionColumn, ' ');
        if (head.size() + 2 > kDescriptionColumn) head += "\n" + indent;
        else head += std::string(kDescriptionColumn - head.size(), ' ');
        bool first = true;
        for (const auto& line : lines(entry.description)) {
            out << (first ? head : indent) << line << "\n";
            first = false;
        }
    }
}

// Text for man(7): backslashes and hyphens escaped, and a line that would
// start with a control character ('.' or '\'') guarded.
std::string roff(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\\') result += "\\e";
        else if (c == '-') result += "\\-";
        else result += c;
    }
    std::string guarded;
    bool lineStart = true;
    for (char c : result) {
        if (lineStart && (c == '.' || c == '\'')) guarded += "\\&";
        guarded += c;
        lineStart = c == '\n';
    }
    return guarded;
}

// A description flows as one paragraph in the manual page.
std::string flowing(const std::string& description) {
    std::string text;
    for (const auto& line : lines(description)) text += (text.empty() ? "" : " ") + line;
    return text;
}

void manEntries(std::ostringstream& out, const char* section, const std::vector<HelpEntry>& entries) {
    out << ".SH " << section << "\n";
    for (const auto& entry : entries) {
        // .BI alternates bold and italic without spaces: the name, then its argument.
        if (entry.argument.empty()) out << ".TP\n.B " << roff(entry.name) << "\n";
        else out << ".TP\n.BI \"" << roff(entry.name) << " \" " << roff(entry.argument) << "\n";
        out << roff(flowing(entry.description)) << "\n";
    }
}

}  // namespace

std::string usageText() {
    const HelpText& help = helpText();
    std::ostringstream out;
    out << "Usage: " << help.synopsis << "\n" << help.summary << "\n\n" << help.details << "\n";
    listEntries(out, "Options", help.options);
    listEntries(out, "Environment", help.environment);
    listEntries(out, "Files", help.files);
    listEntries(out, "Exit status", help.exitStatus);
    return out.str();
}

std::string manPage(const std::string& version, const std::string& date) {
    const HelpText& help = helpText();
    std::ostringstream out;
    out << ".TH KORVEX 1 \"" << roff(date) << "\" \"Korvex " << roff(version) << "\" \"User Commands\"\n"
        << ".SH NAME\nkorvex \\- hardware\\-health monitor in the notification area\n"
        << ".SH SYNOPSIS\n.B korvex\n[\\fIoptions\\fR]\n"
        << ".SH DESCRIPTION\n"
        << roff(help.summary) << "\n.PP\n"
        << roff(flowing(help.details)) << "\n";
    manEntries(out, "OPTIONS", help.options);
    manEntries(out, "ENVIRONMENT", help.environment);
    manEntries(out, "FILES", help.files);
    manEntries(out, "EXIT STATUS", help.exitStatus);
    out << ".SH SEE ALSO\n.BR sensors (1)\n";
    return out.str();
}

}  // namespace kvx::app
