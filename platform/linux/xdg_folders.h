#pragma once
#include <string>

#include "platform/folders.h"

namespace kvx::platform::linux_backend {

// Resolves the program's folders the way a Linux desktop program should:
// program folder = the executable's folder when the program runs from a
// build tree and may write there, else $XDG_STATE_HOME/korvex/ (always so
// when installed: /usr/bin is no place for logs, even for root);
// configuration = KORVEX_CONFIG_DIR, else $XDG_CONFIG_HOME/korvex.
// Non-empty overrides win (--program-folder, --config-dir). The sensor
// libraries, help files and machine-wide hive follow the installed layout
// (install_layout.h) when there is one.
// Creates the program and configuration folders when missing; on failure
// returns false with a one-line reason in `error`.
bool resolveFolders(const std::string& programOverride, const std::string& configOverride, Folders& folders,
                    std::string& error);

// The running executable's folder, with a trailing "/".
std::string executableFolder();
// The running executable's full path.
std::string executablePath();

}  // namespace kvx::platform::linux_backend
