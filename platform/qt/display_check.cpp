#include "platform/qt/display_check.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace kvx::platform::qt {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The plugin names of QT_QPA_PLATFORM, without their options.
std::vector<std::string> pluginNames(const std::string& list) {
    std::vector<std::string> names;
    std::string_view rest = list;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view entry = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty()) names.emplace_back(name);
    }
    return names;
}

}  // namespace

DisplayEnvironment displayEnvironment() {
    return {variable("QT_QPA_PLATFORM"), variable("DISPLAY"), variable("WAYLAND_DISPLAY")};
}

std::string missingDisplayReason(const DisplayEnvironment& environment) {
    auto names = pluginNames(environment.qpaPlatform);
    bool hasX = !environment.display.empty();
    bool hasWayland = !environment.waylandDisplay.empty();
    // Without a choice Qt picks the session's own: X or Wayland.
    if (names.empty()) {
        if (hasX || hasWayland) return {};
        return "no display to open windows on (DISPLAY and WAYLAND_DISPLAY are not set); "
               "use --headless to run without windows";
    }
    // Qt tries the named plugins in order; only X is sure to fail without its variable
    // (Wayland falls back to its default socket).
    for (const auto& name : names)
        if (name != "xcb" || hasX) return {};
    return "no display to open windows on (QT_QPA_PLATFORM=" + environment.qpaPlatform +
           " and DISPLAY is not set); use --headless to run without windows";
}

}  // namespace kvx::platform::qt
