#include "app/program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/application.h"
#include "app/harness/script.h"
#include "app/harness/script_runner.h"
#include "app/harness/state_dump.h"

namespace kvx::app {

// Plain stdio rather than file streams: a stream would build the C++ locale
// that a resting korvex otherwise never needs.
bool readTextFile(const std::string& path, std::string& text, std::string& error) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string content;
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, got);
    const bool failed = std::ferror(in);
    const int reason = errno;
    std::fclose(in);
    if (failed) {
        error = "cannot read " + path + ": " + std::strerror(reason);
        return false;
    }
    text = std::move(content);
    return true;
}

namespace {

bool writeTextFile(const std::string& path, const std::string& text, std::string& error) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    bool ok = out && std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
    int reason = errno;
    // A failed close (a full disk found only then) is a failed write too, with its own reason.
    if (out && std::fclose(out) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        error = "cannot write " + path + ": " + std::strerror(reason);
        return false;
    }
    return true;
}

}  // namespace

std::string sensorLibraryPath(const Options& options, const std::string& environmentValue,
                              const platform::Folders& folders) {
    if (!options.sensorLibrary.empty()) return options.sensorLibrary;
    if (!environmentValue.empty()) return environmentValue;
    // The sensor libraries' folder: beside the program in a build tree, lib/korvex/ when installed.
    return (folders.libraries.empty() ? folders.executable : folders.libraries) + "libkvx.so";
}

int runProgram(const Options& options, ProgramPlatform& p) {
    ProgramContext& c = p.context;
    platform::Diagnostics& err = c.diagnostics;

    std::string scriptText;
    std::string error;
    if (!options.scriptFile.empty() && !readTextFile(options.scriptFile, scriptText, error)) {
        err << "korvex: " << error << "\n";
        return kExitBadInput;
    }

    auto clock = [&scheduler = p.scheduler] { return scheduler.nowMs(); };
    std::string libraryPath = sensorLibraryPath(options, "", c.machine.folders);
    auto library = acquisition::SensorLibrary::load(c.libraryLoader, libraryPath, clock);
    if (library->status() == acquisition::SensorLibrary::Status::StartupError) {
        err << "korvex: " << library->problem() << "\n";
        return kExitBadInput;
    }
    if (!library->usable()) err << "korvex: " << library->problem() << "; running without sensor readings\n";

    Services services{p.scheduler, c.locale, p.messageBoxes, p.modalHost, c.machine, p.fileDialogs};
    Application app(services, std::move(library));

    auto writeDump = [&](const std::string& file) {
        std::string why;
        if (!writeTextFile(
                file, stateDump(p.scheduler.nowMs(), app.windows(), app.messages().entries(), app.events().entries()),
                why))
            err << "korvex: " << why << "\n";
    };
    std::vector<ScriptCommand> commands;
    if (!options.scriptFile.empty()) {
        auto script = parseScript(scriptText, options.scriptFile, app.windows());
        if (!script.error.empty()) {
            err << "korvex: " << script.error << "\n";
            return kExitBadInput;
        }
        commands = std::move(script.commands);
    }
    auto& windows = const_cast<ui::WindowSet&>(app.windows());
    ScriptRunner runner(p.scheduler, windows, c.answers, writeDump, err);

    // Answers given for the very start must be in place before start-up shows its windows.
    std::vector<ScriptCommand> later;
    for (const auto& command : commands) {
        if (command.verb == ScriptCommand::Verb::Answer && command.atMs == 0) runner.run(command);
        else later.push_back(command);
    }

    // Declared after the models, so they are destroyed before them, whichever way the run ends.
    struct ComeForwardBinding {
        DesktopIntegration* integration;
        ~ComeForwardBinding() {
            if (integration) integration->onComeForward = nullptr;
            if (integration) integration->onMessage = nullptr;
        }
    } comeForward{c.integration};
    if (c.integration) {
        c.integration->onComeForward = [&app] { app.comeForward(); };
        c.integration->onMessage = [&app](const platform::WindowMessage& m) {
            app.receiveMessage(m.number, m.wparam, m.lparam);
        };
    }
    // The shutdown launcher lies with the sensor libraries (beside the program in a build tree,
    // lib/korvex/ when installed); without it the shutdown program counts as not installed.
    const auto& folders = c.machine.folders;
    app.useShutdownLauncher(alarms::ShutdownLauncher::load(
        c.libraryLoader, (folders.libraries.empty() ? folders.executable : folders.libraries) + "libshdnlnch.so"));
    std::unique_ptr<ProgramViews> views = p.createViews ? p.createViews(app) : nullptr;
    auto outcome = app.start();
    if (outcome == Application::StartOutcome::AnotherCopy) return kExitAlreadyRunning;
    if (outcome == Application::StartOutcome::Declined) return kExitOk;
    runner.schedule(later);
    if (options.runForSeconds)
        p.scheduler.schedule(static_cast<int64_t>(*options.runForSeconds * 1000.0), platform::TaskPriority::Script,
                             [&app] { app.endSession(); });
    if (!app.ended()) p.scheduler.run();
    app.endSession();

    if (!options.dumpFile.empty()) {
        std::string why;
        if (!writeTextFile(
                options.dumpFile,
                stateDump(p.scheduler.nowMs(), app.windows(), app.messages().entries(), app.events().entries()), why)) {
            err << "korvex: " << why << "\n";
            return kExitFailure;
        }
    }
    return app.settingsSaveFailed() ? kExitFailure : kExitOk;
}

}  // namespace kvx::app
