// Program entry: reads the command line, chooses the backends (desktop,
// headless in real time, or headless in virtual time) and runs the program.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "acquisition/sensor_library.h"
#include "app/command_line.h"
#include "app/harness/message_log.h"
#include "app/harness/modal_answers.h"
#include "app/harness/scripted_file_dialogs.h"
#include "app/harness/scripted_modal_host.h"
#include "app/program.h"
#include "app/version.h"
#include "platform/diagnostics.h"
#include "platform/fake/virtual_scheduler.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/detached_program_launcher.h"
#include "platform/linux/dl_shared_library.h"
#include "platform/linux/flock_single_instance.h"
#include "platform/linux/ioctl_cd_tray.h"
#include "platform/linux/media_module.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/posix_locale.h"
#include "platform/linux/posix_log_storage.h"
#include "platform/linux/private_folder.h"
#include "platform/linux/realtime_loop.h"
#include "platform/linux/shutdown_signals.h"
#include "platform/linux/socket_window_messages.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/linux/xdg_folders.h"

#ifdef KVX_WITH_DESKTOP
#include "app/desktop_module.h"
#include "platform/qt/display_check.h"
#endif

namespace {

using namespace kvx;

// Complaints go to stderr through a sink that builds no C++ stream or locale.
platform::StandardErrorDiagnostics standardError;

int badInput(const std::string& message) {
    standardError << "korvex: " << message << "\n";
    return app::kExitBadInput;
}

// Files named on the command line must be readable before anything starts.
std::string checkReadable(const char* what, const std::string& path) {
    std::string text, error;
    if (path.empty() || app::readTextFile(path, text, error)) return {};
    // readTextFile says "cannot read PATH: reason"; name what the file is for.
    return std::string("cannot read ") + what + " " + error.substr(std::string("cannot read ").size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = app::parseCommandLine(args);
    if (!parsed.error.empty()) return badInput(parsed.error + " (see korvex --help)");
    const app::Options& options = parsed.options;
    if (options.help) {
        std::fputs(app::usageText().c_str(), stdout);
        return app::kExitOk;
    }
    if (options.version) {
        std::printf("%s\n", app::versionText().c_str());
        return app::kExitOk;
    }
#ifdef KVX_WITH_DESKTOP
    // Qt would abort without a display; say so plainly instead.
    if (!options.headless && !options.listSensors)
        if (auto reason = platform::qt::missingDisplayReason(platform::qt::displayEnvironment()); !reason.empty())
            return badInput(reason);
#endif
    for (auto [what, path] : {std::pair{"script", options.scriptFile}, std::pair{"scenario", options.scenarioFile}})
        if (auto error = checkReadable(what, path); !error.empty()) return badInput(error);
    if (!options.sensorLibrary.empty() && !std::filesystem::exists(options.sensorLibrary))
        return badInput("sensor library " + options.sensorLibrary + " does not exist");

    platform::Folders folders;
    std::string error;
    if (!platform::linux_backend::resolveFolders(options.programFolder, options.configDir, folders, error))
        return badInput(error);

    // The sensor library learns its inputs from the environment.
    if (!options.scenarioFile.empty())
        setenv("KVX_SIM_SCENARIO", std::filesystem::absolute(options.scenarioFile).c_str(), 1);
    setenv("KORVEX_CONFIG_DIR", folders.config.c_str(), 1);
    app::Options resolved = options;
    const char* envLibrary = std::getenv("KORVEX_SENSOR_LIBRARY");
    resolved.sensorLibrary = app::sensorLibraryPath(options, envLibrary ? envLibrary : "", folders);

    platform::linux_backend::ShutdownSignals::install();
    platform::linux_backend::PosixLocale locale;
    platform::linux_backend::DlSharedLibraryLoader loader;
    if (options.listSensors) {
        auto library = acquisition::SensorLibrary::load(loader, resolved.sensorLibrary, [] { return int64_t{0}; });
        const std::optional<std::string> text = library->listSensors();
        if (!text)
            return badInput(library->problem().empty()
                                ? "sensor library " + resolved.sensorLibrary + " cannot list its sensors"
                                : library->problem());
        std::printf("Sensor library: %s\n", resolved.sensorLibrary.c_str());
        std::fwrite(text->data(), 1, text->size(), stdout);
        return app::kExitOk;
    }
    platform::linux_backend::PosixFileSystem files;
    platform::linux_backend::PosixLogStorage logStorage;
    // The logs' code page from a built-in table: no gconv module is loaded for it.
    platform::linux_backend::BuiltInWindows1252 encoding;
    std::string runtimeError;
    std::string runtime = platform::linux_backend::runtimeFolder(runtimeError);
    if (runtime.empty()) return badInput(runtimeError);
    platform::linux_backend::FlockSingleInstance instance(platform::linux_backend::lockFolder(runtime));
    platform::linux_backend::SocketWindowMessages windowMessages(
        platform::linux_backend::windowMessagesFolder(runtime));
    platform::linux_backend::XdgAutostart autostart(platform::linux_backend::defaultAutostartFolder());
    platform::linux_backend::DetachedProgramLauncher launcher;
    app::DesktopIntegration integration(instance, windowMessages, autostart, launcher, files, standardError);

    app::ModalAnswers answers;
    app::MachineServices machine{files,
                                 logStorage,
                                 encoding,
                                 folders,
                                 platform::linux_backend::executablePath(),
                                 integration.hooks(),
                                 options.metricsDir,
                                 std::filesystem::absolute(resolved.sensorLibrary).string()};
    // Waves and the trash come from the media module, loaded when first needed.
    platform::linux_backend::MediaModule media(loader,
                                               (folders.libraries.empty() ? folders.executable : folders.libraries) +
                                                   platform::linux_backend::kMediaModuleName,
                                               standardError);
    platform::linux_backend::LazyTrash trash(media);
    machine.lifecycle.moveToTrash = [&trash](const std::string& path) { return trash.moveToTrash(path); };
    platform::linux_backend::IoctlCdTray cdTray;
    machine.cdTray = &cdTray;
    // Waves are heard in real time only; in virtual time the events record them.
    platform::linux_backend::LazySoundPlayer sound(media);
    if (!options.virtualTime) machine.sound = &sound;
    app::ProgramContext context{locale, loader, machine, &integration, answers, standardError};

#ifdef KVX_WITH_DESKTOP
    if (!options.headless)
        return app::runDesktopModule(loader, app::desktopModuleCandidates(platform::linux_backend::executablePath()),
                                     argc, argv, resolved, context, standardError);
#endif

    std::unique_ptr<platform::Scheduler> scheduler;
    if (options.virtualTime) {
        auto virtualTime = std::make_unique<platform::fake::VirtualScheduler>(std::chrono::system_clock::now());
        virtualTime->setInterruptFlag(&platform::linux_backend::ShutdownSignals::raised());
        scheduler = std::move(virtualTime);
    } else {
        auto loop = std::make_unique<platform::linux_backend::RealtimeLoop>();
        integration.setFdWatcher([raw = loop.get()](int fd, std::function<void()> onReadable) {
            raw->watchReadable(fd, std::move(onReadable));
        });
        loop->watchReadable(platform::linux_backend::ShutdownSignals::readFd(), [raw = loop.get()] {
            platform::linux_backend::ShutdownSignals::drain();
            raw->quit();
        });
        scheduler = std::move(loop);
    }
    app::HeadlessMessageBoxes messageBoxes(*scheduler, answers, standardError);
    app::ScriptedModalHost modalHost(*scheduler, answers, standardError);
    app::ScriptedFileDialogs fileDialogs(answers, nullptr);
    app::ProgramPlatform platform{context, *scheduler, messageBoxes, modalHost, {}, &fileDialogs};
    return app::runProgram(resolved, platform);
}
