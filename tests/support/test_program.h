#pragma once
#include <memory>
#include <sstream>
#include <string>

#include "app/application.h"
#include "app/harness/scripted_modal_host.h"
#include "fake_board.h"
#include "platform/fake/fixed_locale.h"
#include "platform/fake/virtual_scheduler.h"
#include "platform/linux/builtin_windows1252.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/posix_log_storage.h"

namespace kvx::test {

// The whole program on the virtual clock and a fake board, with its settings
// in a fresh temporary folder.
struct TestProgram {
    platform::fake::VirtualScheduler clock;
    platform::fake::FixedLocale locale;
    app::ModalAnswers answers;
    platform::CollectedDiagnostics err;
    app::HeadlessMessageBoxes boxes{clock, answers, err};
    app::ScriptedModalHost host{clock, answers, err};
    platform::linux_backend::PosixFileSystem files;
    platform::linux_backend::PosixLogStorage logStorage;
    platform::linux_backend::BuiltInWindows1252 encoding;
    platform::Folders folders;
    app::LifecycleHooks lifecycle;
    std::unique_ptr<app::Application> app;
    ui::MainWindow* main = nullptr;

    // `configFolder` empty: a new temporary folder. The board is reset to its defaults.
    explicit TestProgram(char separator = '.', std::string configFolder = {});

    // Creates the program (app, main) without starting it.
    void make();
    // Creates the program and runs its start-up.
    app::Application::StartOutcome start();
    // Runs the timers due within `seconds`.
    void run(int seconds) { clock.wait(int64_t{seconds} * 1000); }
    std::string caption(const char* name);
    std::string userHive() const;
    void writeUserHive(const std::string& text) const;
    FakeBoard& board() { return FakeBoard::current(); }
    acquisition::ChannelSettings& channels() { return main->channels(); }
    const acquisition::StatisticsRecord& record(acquisition::TChannel c) { return main->statistics().record(c); }
};

}  // namespace kvx::test
