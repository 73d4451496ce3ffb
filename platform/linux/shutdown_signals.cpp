#include "platform/linux/shutdown_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace kvx::platform::linux_backend {
namespace {

std::atomic<bool> g_raised{false};
int g_pipe[2] = {-1, -1};

extern "C" void onShutdownSignal(int) {
    g_raised.store(true);
    char byte = 1;
    [[maybe_unused]] auto written = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

bool ShutdownSignals::install() {
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    return true;
}

const std::atomic<bool>& ShutdownSignals::raised() { return g_raised; }

int ShutdownSignals::readFd() { return g_pipe[0]; }

void ShutdownSignals::drain() {
    char buffer[64];
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
}

}  // namespace kvx::platform::linux_backend
