#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

extern char** environ;

namespace kvx::test {
namespace {

using Clock = std::chrono::steady_clock;

// Starts `argv` (found on PATH) with the test's environment, its output to `stdoutFd` and
// `stderrFd` or nowhere. Descriptors without close-on-exec stay open in the child.
pid_t spawn(const std::vector<std::string>& argv, int stdoutFd = -1, int stderrFd = -1) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    else posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (stderrFd >= 0) posix_spawn_file_actions_adddup2(&actions, stderrFd, 2);
    else posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

std::string readWhole(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = pread(fd, buffer, sizeof buffer, static_cast<off_t>(text.size()))) > 0)
        text.append(buffer, static_cast<size_t>(n));
    return text;
}

void stop(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status;
    waitpid(pid, &status, 0);
    pid = -1;
}

}  // namespace

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

int runTool(const std::vector<std::string>& argv, std::string* out, int timeoutMs) {
    // `timeout` kills the tool, and whatever it started, when it overruns.
    std::vector<std::string> timed = {"timeout", "-s", "KILL", std::to_string(timeoutMs / 1000.0)};
    timed.insert(timed.end(), argv.begin(), argv.end());
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
    pid_t pid = spawn(timed, pipeFds[1]);
    close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; pid > 0 && (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) < 0) return -1;
    if (out) *out = text;
    // 137: timeout killed the tool; 127: there is no such tool.
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 137 || WEXITSTATUS(status) == 127) return -1;
    return WEXITSTATUS(status);
}

std::string XSession::missingTools() {
    std::string missing;
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
        if (!onPath(tool)) missing += std::string(missing.empty() ? "" : ", ") + tool;
    return missing;
}

XSession::XSession() {
    // Xvfb picks a free display number and writes it to the descriptor given.
    int numberPipe[2];
    if (pipe(numberPipe) != 0) {
        problem_ = "no pipe";
        return;
    }
    fcntl(numberPipe[0], F_SETFD, FD_CLOEXEC);
    server_ = spawn(
        {"Xvfb", "-displayfd", std::to_string(numberPipe[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    close(numberPipe[1]);
    std::string number;
    pollfd fd{numberPipe[0], POLLIN, 0};
    char c;
    while (server_ > 0 && poll(&fd, 1, 10000) > 0 && read(numberPipe[0], &c, 1) == 1 && c != '\n') number += c;
    close(numberPipe[0]);
    if (number.empty()) {
        problem_ = "Xvfb did not start";
        return;
    }
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
    char logPattern[] = "/tmp/korvex-openbox-XXXXXX";
    int log = mkstemp(logPattern);
    windowManager_ = spawn({"openbox"}, log, log);
    // The window manager is ready once it has announced itself on the root window.
    auto deadline = Clock::now() + std::chrono::seconds(20);
    std::string out;
    bool ready = false;
    while (!ready && Clock::now() < deadline) {
        ready = runTool({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, &out) == 0 &&
                out.find("window id") != std::string::npos;
        if (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!ready) problem_ = "openbox did not start on " + display_ + ": " + readWhole(log) + " / xprop: " + out;
    if (log >= 0) close(log);
    unlink(logPattern);
}

XSession::~XSession() {
    stop(windowManager_);
    stop(server_);
}

int XSession::xdotool(std::vector<std::string> args, std::string* out, int timeoutMs) const {
    args.insert(args.begin(), "xdotool");
    return runTool(args, out, timeoutMs);
}

std::string XSession::waitForVisibleWindow(const std::string& title, int timeoutMs) const {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string out;
    do {
        if (xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}, &out) == 0 && !out.empty())
            return out.substr(0, out.find('\n'));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (Clock::now() < deadline);
    return {};
}

bool XSession::typeInto(const std::string& window, const std::string& keys) const {
    return xdotool({"windowactivate", "--sync", window, "key", "--clearmodifiers", keys}) == 0;
}

std::string XSession::visibleTitles() const {
    std::string ids, titles;
    xdotool({"search", "--onlyvisible", "--name", "."}, &ids);
    std::istringstream lines(ids);
    std::string id;
    while (std::getline(lines, id)) {
        std::string name;
        xdotool({"getwindowname", id}, &name);
        if (!name.empty() && name.back() == '\n') name.pop_back();
        titles += "\"" + name + "\" ";
    }
    return titles.empty() ? "none" : titles;
}

}  // namespace kvx::test
