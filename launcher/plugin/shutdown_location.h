#pragma once
#include <string>

namespace kvx::launcher {

// The hive key and value that name the shutdown program in machine.reg.
inline constexpr const char* kLocationKey = "HKEY_LOCAL_MACHINE\\Software\\ShutDown NOW!";
inline constexpr const char* kLocationValue = "Path";

// The shutdown program's path as machine.reg text records it: the string
// value "Path" of kLocationKey; "" when the text is not a hive, the key or the
// value is missing, or the value is not a string.
std::string locationFromHive(const std::string& hiveText);

// The folder of the settings hives: KORVEX_CONFIG_DIR, else
// $XDG_CONFIG_HOME/korvex, else $HOME/.config/korvex ("" when all are unset).
std::string configFolder();

}  // namespace kvx::launcher
