#pragma once
#include <string>
#include <vector>

namespace kvx::test {

// Runs `argv` (found on PATH) to its end, at most `timeoutMs` (then killed);
// returns its exit code (-1 when it could not start or was killed) and, when
// `out` is given, its standard output.
int runTool(const std::vector<std::string>& argv, std::string* out = nullptr, int timeoutMs = 10000);
// Whether a program of that name is on PATH.
bool onPath(const std::string& program);

// A private X server (Xvfb) with a window manager (openbox) on it, as a
// person's desktop has, and xdotool to act on its windows as a person would.
class XSession {
public:
    // The tools a session needs; empty when all are there, else what is missing.
    static std::string missingTools();

    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty when the server and the window manager run, else why not.
    const std::string& problem() const { return problem_; }
    const std::string& display() const { return display_; }

    // The id of a window with exactly this title that is mapped and viewable,
    // once there is one (empty when none came within `timeoutMs`).
    std::string waitForVisibleWindow(const std::string& title, int timeoutMs = 10000) const;
    // Activates the window and types `keys` (xdotool names, e.g. "alt+o") into it.
    bool typeInto(const std::string& window, const std::string& keys) const;
    // The titles of all mapped top-level windows, for failure messages.
    std::string visibleTitles() const;

private:
    int xdotool(std::vector<std::string> args, std::string* out = nullptr, int timeoutMs = 10000) const;

    int server_ = -1;
    int windowManager_ = -1;
    std::string display_;
    std::string problem_;
};

}  // namespace kvx::test
