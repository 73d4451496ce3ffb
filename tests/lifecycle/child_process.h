#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace kvx::lifecycle_test {

// A forked copy of the test process: it runs `setUp` (whose objects it keeps,
// e.g. by leaking them), reports whether that succeeded, then waits until the
// parent ends it with finish() (normal exit) or kill() (SIGKILL).
class ChildProcess {
public:
    explicit ChildProcess(const std::function<bool()>& setUp) {
        int ready[2], hold[2];
        if (::pipe(ready) != 0 || ::pipe(hold) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(hold[1]);
            const char ok = setUp() ? 1 : 0;
            [[maybe_unused]] ssize_t n = ::write(ready[1], &ok, 1);
            char any;
            n = ::read(hold[0], &any, 1);  // returns when the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(hold[0]);
        char ok = 0;
        setUpOk_ = ::read(ready[0], &ok, 1) == 1 && ok == 1;
        ::close(ready[0]);
        release_ = hold[1];
    }
    ~ChildProcess() { kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool setUpOk() const { return setUpOk_; }

    void finish() { end(false); }
    void kill() { end(true); }

private:
    void end(bool hard) {
        if (pid_ <= 0) return;
        if (hard) ::kill(pid_, SIGKILL);
        ::close(release_);
        int status;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

    pid_t pid_ = -1;
    int release_ = -1;
    bool setUpOk_ = false;
};

}  // namespace kvx::lifecycle_test
