#include "app/desktop_integration.h"

namespace kvx::app {

DesktopIntegration::DesktopIntegration(platform::SingleInstance& instance, platform::WindowMessages& messages,
                                       platform::Autostart& autostart, platform::ProgramLauncher& launcher,
                                       platform::FileSystem& files, platform::Diagnostics& diagnostics)
    : instance_(instance),
      messages_(messages),
      autostart_(autostart),
      launcher_(launcher),
      files_(files),
      diagnostics_(diagnostics) {}

bool DesktopIntegration::anotherCopyRuns() {
    auto claim = instance_.acquire(kInstanceName);
    if (claim.anotherCopyRuns()) {
        messages_.post(kMainWindowTitle, platform::kComeForwardMessage, 0, 0);
        return true;
    }
    // Without a working guard the program runs on, as one copy would.
    if (!claim.acquired()) diagnostics_ << "korvex: " << claim.message << "\n";
    listenForOtherCopies();
    return false;
}

void DesktopIntegration::listenForOtherCopies() {
    std::string error;
    receiver_ = messages_.listen(kMainWindowTitle, error);
    if (!receiver_) {
        diagnostics_ << "korvex: " << error << "\n";
        return;
    }
    if (!watch_ || receiver_->fd() < 0) return;
    watch_(receiver_->fd(), [this] {
        while (auto message = receiver_->receive())
            if (message->number == platform::kComeForwardMessage) {
                if (onComeForward) onComeForward();
            } else if (onMessage) {
                onMessage(*message);
            }
    });
}

LifecycleHooks DesktopIntegration::hooks() {
    LifecycleHooks h;
    h.anotherCopyRuns = [this] { return anotherCopyRuns(); };
    h.runAtStartExists = [this] { return autostart_.exists(kInstanceName); };
    h.removeOldRunAtStartEntries = [this] {
        for (const char* name : kOldRunAtStartNames) autostart_.remove(name);
    };
    h.writeRunAtStart = [this](const std::string& path) { autostart_.write(kInstanceName, path); };
    h.removeRunAtStart = [this] { autostart_.remove(kInstanceName); };
    h.deleteFile = [this](const std::string& path) { return files_.removeFile(path).ok(); };
    h.startProgram = [this](const std::string& program, const std::string& parameters) {
        auto outcome = launcher_.launch(program, parameters);
        if (!outcome.started) diagnostics_ << "korvex: " << outcome.reason << "\n";
    };
    h.startProgramIn = [this](const std::string& program, const std::string& folder) {
        auto outcome = launcher_.launch(program, "", folder);
        if (!outcome.started) diagnostics_ << "korvex: " << outcome.reason << "\n";
    };
    h.postMessage = [this](const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) {
        return messages_.post(title, number, wparam, lparam);
    };
    h.windowExists = [this](const std::string& title) { return messages_.exists(title); };
    h.openDocument = [this](const std::string& path) {
        auto outcome = launcher_.openDocument(path);
        if (!outcome.started) diagnostics_ << "korvex: " << outcome.reason << "\n";
    };
    return h;
}

}  // namespace kvx::app
