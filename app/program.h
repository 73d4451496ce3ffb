#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/command_line.h"
#include "app/desktop_integration.h"
#include "app/harness/modal_answers.h"
#include "platform/diagnostics.h"
#include "platform/folders.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/scheduler.h"
#include "platform/shared_library.h"
#include "ui/model/window.h"

namespace kvx::app {

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitAlreadyRunning = 3;

// What every run shares, whatever its kind (desktop, headless, virtual time).
struct ProgramContext {
    platform::Locale& locale;
    platform::SharedLibraryLoader& libraryLoader;
    MachineServices machine;
    // Hears other copies asking this one to come forward; may be null.
    DesktopIntegration* integration = nullptr;
    // The answers that the headless modal host and message boxes consult.
    ModalAnswers& answers;
    platform::Diagnostics& diagnostics;
};

// What a run shows of the window models (the desktop's windows and tray icon).
// Views observe the models, so they must die first: runProgram owns them and
// destroys them before the models on every way out of the run.
class ProgramViews {
public:
    virtual ~ProgramViews() = default;
};

// The backends one run of the program uses, chosen by the program entry.
struct ProgramPlatform {
    ProgramContext& context;
    platform::Scheduler& scheduler;
    platform::MessageBoxes& messageBoxes;
    ui::ModalHost& modalHost;
    // Called once the window models exist and before start-up; may be empty (headless).
    std::function<std::unique_ptr<ProgramViews>(Application&)> createViews;
    platform::FileDialogs* fileDialogs = nullptr;  // may be null: choices are cancelled
};

// Which sensor library to load: --sensor-library, else KORVEX_SENSOR_LIBRARY
// (`environmentValue`), else libkvx.so in the executable's folder.
std::string sensorLibraryPath(const Options& options, const std::string& environmentValue,
                              const platform::Folders& folders);

// One run: loads the sensor library and the script, starts, runs until the
// end (--run-for, a signal, or Exit), writes the dump. Returns the exit code.
// It is the composition root of the run: it owns the models and their views.
int runProgram(const Options& options, ProgramPlatform& platform);

// Reads a whole file; false with a one-line reason when it cannot.
bool readTextFile(const std::string& path, std::string& text, std::string& error);

}  // namespace kvx::app
