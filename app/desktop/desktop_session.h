#pragma once
#include "app/command_line.h"
#include "app/program.h"

namespace kvx::ui::qt {

// Runs the program on the desktop: a Qt application with the main window,
// the tray icon and real dialogs. Returns the exit code.
// Arial 8 points, as Liberation Sans, for every window, menu and message box
// of the running QApplication.
void useWindowFont();

int runDesktop(int argc, char** argv, const app::Options& options, app::ProgramContext& context);

}  // namespace kvx::ui::qt
