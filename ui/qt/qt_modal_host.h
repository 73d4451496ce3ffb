#pragma once
#include "platform/scheduler.h"
#include "ui/model/window.h"

namespace kvx::ui::qt {

// Shows a window model as a real application-modal window and runs the
// program's loop until the model closes, so timers keep ticking meanwhile.
class QtModalHost final : public ModalHost {
public:
    explicit QtModalHost(platform::Scheduler& scheduler) : scheduler_(scheduler) {}
    void showModal(Window& window) override;

private:
    platform::Scheduler& scheduler_;
};

}  // namespace kvx::ui::qt
