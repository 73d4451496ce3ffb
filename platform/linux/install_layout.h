#pragma once
#include <optional>
#include <string>

namespace kvx::platform::linux_backend {

// Where an installed Korvex keeps its parts, relative to its prefix (/usr for
// the package): the program in bin/, the sensor libraries in lib/korvex/, the
// help pages in share/korvex/, the machine-wide hive in the system
// configuration folder (/etc/korvex/ for the prefix /usr).
struct InstallLayout {
    std::string prefix;       // with a trailing "/"
    std::string libraries;    // <prefix>/lib/korvex/
    std::string data;         // <prefix>/share/korvex/
    std::string machineHive;  // <sysconfdir>/korvex/machine.reg
};

// The installed layout around the executable folder `executableFolder`
// (trailing "/"), or nothing when the program runs from a build tree.
// A program counts as installed when its folder is called "bin" and the
// folder "../lib/korvex" beside it exists: the package puts both there,
// a build tree has neither. `sysconfFromPrefix` is the system configuration
// folder relative to the prefix ("../etc" for /usr, "etc" for /usr/local) or
// absolute.
std::optional<InstallLayout> installedLayout(const std::string& executableFolder, const std::string& sysconfFromPrefix);

}  // namespace kvx::platform::linux_backend
