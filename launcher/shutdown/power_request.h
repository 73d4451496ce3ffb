#pragma once
#include <optional>
#include <string>

namespace kvx::launcher {

// What a switch asks of the login manager.
struct PowerRequest {
    std::string method;             // "PowerOff"
    bool ignoreInhibitors = false;  // "/FSHUTDOWN": do not wait for inhibitors
    friend bool operator==(const PowerRequest&, const PowerRequest&) = default;
};

// "/SHUTDOWN" and "/POWEROFF" power the machine off; "/FSHUTDOWN" does so
// without waiting for inhibitors. Switches match without regard to case;
// anything else is nullopt.
std::optional<PowerRequest> powerRequestFor(const std::string& switchText);

}  // namespace kvx::launcher
