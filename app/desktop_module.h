#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/diagnostics.h"
#include "platform/shared_library.h"

namespace kvx::app {

// The desktop run (Qt application, windows, tray) lives in a module that
// korvex loads only when it opens windows, so a headless run maps no Qt at
// all. The module resolves the core's symbols from the korvex executable, which
// exports them, and exports one entry point of this type under this name.
using DesktopEntry = int (*)(int argc, char** argv, const Options& options, ProgramContext& context);
inline constexpr const char* kDesktopEntrySymbol = "kvx_run_desktop";
inline constexpr const char* kDesktopModuleName = "korvex-desktop.so";

// Where the module is looked for, in order: beside the executable (the build
// tree) and in ../lib/korvex/ from it (an installed program in bin/).
std::vector<std::string> desktopModuleCandidates(const std::string& executablePath);

// Loads the first candidate that exists and runs the desktop through it.
// Returns the run's exit code, or kExitBadInput with a one-line reason on
// `diagnostics` when no candidate exists, one cannot be loaded or it lacks the
// entry point. The module stays loaded until the process ends: Qt's libraries
// leave exit handlers behind that must not outlive their code.
int runDesktopModule(platform::SharedLibraryLoader& loader, const std::vector<std::string>& candidates, int argc,
                     char** argv, const Options& options, ProgramContext& context, platform::Diagnostics& diagnostics);

}  // namespace kvx::app
