#pragma once
#include <functional>
#include <vector>

#include "app/harness/modal_answers.h"
#include "app/harness/script.h"
#include "platform/diagnostics.h"
#include "platform/scheduler.h"
#include "ui/model/window_set.h"

namespace kvx::app {

// Plays a loaded script: each command at its time, before the timers due then.
class ScriptRunner {
public:
    using DumpWriter = std::function<void(const std::string& file)>;

    ScriptRunner(platform::Scheduler& scheduler, ui::WindowSet& windows, ModalAnswers& answers, DumpWriter dump,
                 platform::Diagnostics& diagnostics)
        : scheduler_(scheduler),
          windows_(windows),
          answers_(answers),
          dump_(std::move(dump)),
          diagnostics_(diagnostics) {}

    // Schedules every command; call before anything else is scheduled for the same times.
    void schedule(const std::vector<ScriptCommand>& commands);
    // Carries out one command now.
    void run(const ScriptCommand& command);

private:
    platform::Scheduler& scheduler_;
    ui::WindowSet& windows_;
    ModalAnswers& answers_;
    DumpWriter dump_;
    platform::Diagnostics& diagnostics_;
};

}  // namespace kvx::app
