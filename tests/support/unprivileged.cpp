#include "unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace kvx::test {

std::string runAsNobody(const std::function<std::string()>& work) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const std::string message = work();
        if (::write(pipeEnds[1], message.data(), message.size()) < 0) ::_exit(4);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, got);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) return kCouldNotDropPrivileges;
    return message;
}

}  // namespace kvx::test
