#include "launcher/shutdown/power_request.h"

#include <algorithm>
#include <cctype>

namespace kvx::launcher {

std::optional<PowerRequest> powerRequestFor(const std::string& switchText) {
    std::string upper = switchText;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "/SHUTDOWN" || upper == "/POWEROFF") return PowerRequest{"PowerOff", false};
    if (upper == "/FSHUTDOWN") return PowerRequest{"PowerOff", true};
    return std::nullopt;
}

}  // namespace kvx::launcher
