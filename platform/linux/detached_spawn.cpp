#include "platform/linux/detached_spawn.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace kvx::platform::linux_backend {
namespace {

// What the child reports through the pipe when it could not start the program.
enum class Stage : int { Detach = 1, WorkingFolder = 2, Execute = 3 };
struct ChildFailure {
    Stage stage;
    int error;
};

// Only async-signal-safe calls from here on: the child of a threaded program.
[[noreturn]] void failInChild(int pipeFd, Stage stage) {
    const ChildFailure failure{stage, errno};
    [[maybe_unused]] const ssize_t written = ::write(pipeFd, &failure, sizeof failure);
    ::_exit(127);
}

void resetSignals() {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &defaults, nullptr);  // some refuse; fine
}

[[noreturn]] void runGrandchild(const char* path, char* const* argv, const char* folder, int devNull, int pipeFd) {
    resetSignals();
    if (devNull == STDIN_FILENO)
        ::fcntl(devNull, F_SETFD, 0);  // our own standard input was closed: keep /dev/null open across exec
    else ::dup2(devNull, STDIN_FILENO);
    if (folder != nullptr && ::chdir(folder) != 0) failInChild(pipeFd, Stage::WorkingFolder);
    // Descriptors that another part of the program opened without
    // close-on-exec must not leak into the program (a lock would outlive us).
    ::syscall(SYS_close_range, 3u, ~0u, CLOSE_RANGE_CLOEXEC);
    ::execve(path, argv, environ);
    failInChild(pipeFd, Stage::Execute);
}

std::string describe(const ChildFailure& failure, const std::string& path, const std::string& folder) {
    const std::string cause = std::strerror(failure.error);
    switch (failure.stage) {
        case Stage::WorkingFolder: return "cannot enter working folder " + folder + ": " + cause;
        case Stage::Execute: return "cannot execute " + path + ": " + cause;
        case Stage::Detach: break;
    }
    return "cannot start " + path + " detached: " + cause;
}

LaunchOutcome failed(std::string reason) { return {false, std::move(reason)}; }

}  // namespace

LaunchOutcome spawnDetached(const std::string& path, const std::vector<std::string>& arguments,
                            const std::string& workingFolder) {
    // Everything the children need is made before fork: they may not allocate.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull < 0) return failed(std::string("open /dev/null: ") + std::strerror(errno));
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(devNull);
        return failed(std::string("pipe: ") + std::strerror(error));
    }

    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        if (::setsid() < 0) failInChild(report[1], Stage::Detach);
        const pid_t grandchild = ::fork();
        if (grandchild < 0) failInChild(report[1], Stage::Detach);
        if (grandchild > 0) ::_exit(0);
        runGrandchild(path.c_str(), argv.data(), folder, devNull, report[1]);
    }
    const int forkError = errno;
    ::close(report[1]);
    ::close(devNull);
    if (child < 0) {
        ::close(report[0]);
        return failed("cannot start " + path + ": fork: " + std::strerror(forkError));
    }

    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // End of file without a report: the program was executed (close-on-exec
    // closed the last writer).
    ChildFailure failure{};
    ssize_t got;
    do {
        got = ::read(report[0], &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof failure)) return failed(describe(failure, path, workingFolder));
    return {true, {}};
}

}  // namespace kvx::platform::linux_backend
