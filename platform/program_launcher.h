#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kvx::platform {

// Result of starting a program or opening a document.
struct LaunchOutcome {
    bool started = false;
    // One line saying why nothing was started; empty when started.
    std::string reason;

    explicit operator bool() const { return started; }
};

// Splits a parameter text into arguments the way a command line is read,
// without any shell: blanks (space, tab) separate arguments; double quotes
// group blanks into one argument and are removed; "" gives an empty argument.
// Backslashes are literal except before a double quote: 2n backslashes and a
// quote give n backslashes and a grouping quote, 2n+1 backslashes and a quote
// give n backslashes and a literal quote. Nothing else is special: $HOME, *,
// ~ and ; stay as written. An unclosed quote groups up to the end.
std::vector<std::string> splitParameters(std::string_view parameters);

// Starts outside programs and opens documents, detached from this process:
// the started program outlives the caller, inherits no console input and
// leaves no zombie behind. Calls come from one thread.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // Starts `file` with `parameters` (split by splitParameters) in
    // `workingFolder` (empty: this process's working folder).
    // An executable file, including a script with a #! line, runs directly
    // with those arguments; a bare name without '/' is looked up in PATH.
    // Anything else (a document, a folder, a URL such as https://...) is
    // handed to the desktop's opener, which chooses the program; `parameters`
    // are then not used.
    // started = true means the program (or the opener) was started; whether it
    // then succeeds is not followed. On failure `reason` names the file and
    // the cause (no such file, cannot be executed, no opener installed).
    virtual LaunchOutcome launch(const std::string& file, const std::string& parameters,
                                 const std::string& workingFolder) = 0;

    // Hands `path` to the desktop's opener, which opens it with the program
    // the desktop associates with its type; never runs `path` itself, even
    // when it is executable. A missing file or association is the opener's to
    // report. started = false only when the opener could not be started.
    virtual LaunchOutcome openDocument(const std::string& path) = 0;

    LaunchOutcome launch(const std::string& file, const std::string& parameters) {
        return launch(file, parameters, std::string());
    }
};

}  // namespace kvx::platform
