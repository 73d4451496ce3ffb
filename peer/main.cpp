// kvx-peer: a program on Korvex's local message bus, for tests and for people
// writing their own cooler.
//
//   kvx-peer --listen TITLE [--seconds N]   take TITLE on the bus and print every
//                                           message posted to it, one a line:
//                                           "number wparam lparam" (decimal)
//   kvx-peer --send NUMBER [WPARAM [LPARAM]] [--to TITLE]
//                                           post one message (to "Korvex" unless
//                                           --to says otherwise); numbers in
//                                           decimal or 0x hexadecimal
//
// The listener ends after N seconds (default: never) or on SIGTERM/SIGINT,
// and gives its title up as it ends.
#include <poll.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/private_folder.h"
#include "platform/linux/socket_window_messages.h"

namespace {

using kvx::platform::linux_backend::SocketWindowMessages;

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

std::optional<long long> parseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0') return std::nullopt;
    return value;
}

int usage() {
    std::cerr << "usage: kvx-peer --listen TITLE [--seconds N]\n"
                 "       kvx-peer --send NUMBER [WPARAM [LPARAM]] [--to TITLE]\n";
    return 2;
}

int listen(SocketWindowMessages& bus, const std::string& title, double seconds) {
    std::string error;
    auto receiver = bus.listen(title, error);
    if (!receiver) {
        std::cerr << "kvx-peer: " << error << "\n";
        return 1;
    }
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    // A line on standard error says that the title is taken, so a test can wait for it.
    std::cerr << "kvx-peer: listening as " << title << "\n";
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    while (!stopRequested && (seconds <= 0 || std::chrono::steady_clock::now() < end)) {
        pollfd watched{receiver->fd(), POLLIN, 0};
        ::poll(&watched, 1, 100);
        while (auto message = receiver->receive())
            std::cout << message->number << " " << message->wparam << " " << message->lparam << std::endl;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    std::string runtime = kvx::platform::linux_backend::runtimeFolder(error);
    if (runtime.empty()) {
        std::cerr << "kvx-peer: " << error << "\n";
        return 1;
    }
    SocketWindowMessages bus(kvx::platform::linux_backend::windowMessagesFolder(runtime));
    if (args.size() >= 2 && args[0] == "--listen") {
        double seconds = 0;
        if (args.size() == 4 && args[2] == "--seconds") {
            auto value = parseNumber(args[3]);
            if (!value || *value < 0) return usage();
            seconds = static_cast<double>(*value);
        } else if (args.size() != 2) {
            return usage();
        }
        return listen(bus, args[1], seconds);
    }
    if (args.size() >= 2 && args[0] == "--send") {
        std::string title = "Korvex";
        std::vector<long long> numbers;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--to" && i + 1 < args.size()) {
                title = args[++i];
                continue;
            }
            auto value = parseNumber(args[i]);
            if (!value) return usage();
            numbers.push_back(*value);
        }
        if (numbers.empty() || numbers.size() > 3 || numbers[0] < 0 || numbers[0] > 0xFFFFFFFFLL) return usage();
        numbers.resize(3, 0);
        if (!bus.post(title, static_cast<uint32_t>(numbers[0]), numbers[1], numbers[2])) {
            std::cerr << "kvx-peer: nobody listens as " << title << "\n";
            return 1;
        }
        return 0;
    }
    return usage();
}
