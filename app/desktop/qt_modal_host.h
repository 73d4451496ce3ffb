#pragma once

#include "app/harness/modal_answers.h"
#include "platform/diagnostics.h"
#include "platform/scheduler.h"
#include "ui/model/window.h"

namespace kvx::ui::qt {

// Shows a window model as a real application-modal window and runs the
// program's loop until the model closes, so timers keep ticking meanwhile.
// A person answers it; a window that the script answered (`answer`) has the
// script's button pressed once the window is on the screen, after the delay
// the script gave. Windows the script did not answer wait for the person.
class QtModalHost final : public ModalHost {
public:
    QtModalHost(platform::Scheduler& scheduler, const app::ModalAnswers& answers, platform::Diagnostics& diagnostics)
        : scheduler_(scheduler), answers_(answers), diagnostics_(diagnostics) {}
    void showModal(Window& window) override;

private:
    platform::Scheduler& scheduler_;
    const app::ModalAnswers& answers_;
    platform::Diagnostics& diagnostics_;
};

}  // namespace kvx::ui::qt
