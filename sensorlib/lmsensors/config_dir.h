#pragma once
// Where the settings hives live: KORVEX_CONFIG_DIR (the program sets it before
// loading a sensor library), else $XDG_CONFIG_HOME/korvex, else
// $HOME/.config/korvex.
#include <string>

namespace kvx::lmsensors {

// The folder from the three variables' values (empty = unset); empty when all are unset.
std::string configDirFrom(const std::string& korvexConfigDir, const std::string& xdgConfigHome,
                          const std::string& home);

// The same from the process environment.
std::string configDir();

}  // namespace kvx::lmsensors
