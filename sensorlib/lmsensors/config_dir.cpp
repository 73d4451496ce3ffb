#include "sensorlib/lmsensors/config_dir.h"

#include <cstdlib>

namespace kvx::lmsensors {
namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string configDirFrom(const std::string& korvexConfigDir, const std::string& xdgConfigHome,
                          const std::string& home) {
    if (!korvexConfigDir.empty()) return korvexConfigDir;
    // XDG: a relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') return xdgConfigHome + "/korvex";
    if (!home.empty()) return home + "/.config/korvex";
    return "";
}

std::string configDir() { return configDirFrom(env("KORVEX_CONFIG_DIR"), env("XDG_CONFIG_HOME"), env("HOME")); }

}  // namespace kvx::lmsensors
