#pragma once

#include "app/harness/modal_answers.h"
#include "platform/diagnostics.h"
#include "platform/scheduler.h"
#include "ui/model/window.h"

namespace kvx::app {

// Modal windows without a screen: the window is answered as the script says
// (or by default), and the scheduler runs meanwhile, so timers that tick while
// a window waits (speaker, countdown, interval log) behave as in real time.
class ScriptedModalHost final : public ui::ModalHost {
public:
    ScriptedModalHost(platform::Scheduler& scheduler, const ModalAnswers& answers, platform::Diagnostics& diagnostics)
        : scheduler_(scheduler), answers_(answers), diagnostics_(diagnostics) {}
    void showModal(ui::Window& window) override;

private:
    platform::Scheduler& scheduler_;
    const ModalAnswers& answers_;
    platform::Diagnostics& diagnostics_;
};

}  // namespace kvx::app
