#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/application.h"
#include "platform/autostart.h"
#include "platform/diagnostics.h"
#include "platform/file_system.h"
#include "platform/program_launcher.h"
#include "platform/single_instance.h"
#include "platform/window_messages.h"

namespace kvx::app {

// The program's place among the user's other programs: one copy at a time
// (a second one asks the first to come forward), the run-at-start entry, and
// the programs and files the uninstall touches.
class DesktopIntegration {
public:
    // `watch(fd, onReadable)` asks the running loop to call back when `fd` has data.
    using FdWatcher = std::function<void(int fd, std::function<void()> onReadable)>;

    DesktopIntegration(platform::SingleInstance& instance, platform::WindowMessages& messages,
                       platform::Autostart& autostart, platform::ProgramLauncher& launcher, platform::FileSystem& files,
                       platform::Diagnostics& diagnostics);

    // The hooks start-up, the run-at-start box and the uninstall use.
    LifecycleHooks hooks();
    // Where a message from another copy is heard; set once the loop runs.
    void setFdWatcher(FdWatcher watch) { watch_ = std::move(watch); }
    // Called when another copy asks this one to come forward.
    std::function<void()> onComeForward;
    // Called for every other message posted to the main window.
    std::function<void(const platform::WindowMessage&)> onMessage;

    static constexpr const char* kInstanceName = "Korvex";
    static constexpr const char* kMainWindowTitle = "Korvex";
    static constexpr const char* kOldRunAtStartNames[4] = {"Pellor", "Pellor 2.42", "Korvex 2.42", "Korvex 2.5"};

private:
    bool anotherCopyRuns();
    void listenForOtherCopies();

    platform::SingleInstance& instance_;
    platform::WindowMessages& messages_;
    platform::Autostart& autostart_;
    platform::ProgramLauncher& launcher_;
    platform::FileSystem& files_;
    platform::Diagnostics& diagnostics_;
    FdWatcher watch_;
    std::unique_ptr<platform::MessageReceiver> receiver_;
};

}  // namespace kvx::app
