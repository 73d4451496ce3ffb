#pragma once
#include "app/command_line.h"
#include "app/modal_answers.h"
#include "platform/folders.h"
#include "platform/locale.h"
#include "platform/shared_library.h"

namespace kvx::ui::qt {

// Runs the program on the desktop: a Qt application with the main window,
// the tray icon and real dialogs. Returns the exit code.
int runDesktop(int argc, char** argv, const app::Options& options, const platform::Folders& folders,
               platform::Locale& locale, platform::SharedLibraryLoader& loader, app::ModalAnswers& answers);

}  // namespace kvx::ui::qt
