#pragma once
#include <atomic>

namespace kvx::platform::linux_backend {

// SIGTERM and SIGINT ask the program to end the way a system shut-down does.
// The handler only sets a flag and writes a byte to a pipe that the event
// loop watches, so nothing unsafe runs inside the handler.
class ShutdownSignals {
public:
    // Installs the handlers; returns false when the pipe cannot be made.
    static bool install();
    // Becomes true at the first signal.
    static const std::atomic<bool>& raised();
    // Readable once a signal has come; drain() empties it.
    static int readFd();
    static void drain();
};

}  // namespace kvx::platform::linux_backend
