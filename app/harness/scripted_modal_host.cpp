#include "app/harness/scripted_modal_host.h"

#include <memory>

namespace kvx::app {
namespace {

ui::Button* buttonCaptioned(const ui::Window& window, const std::string& caption) {
    for (ui::Control* c : window.controls())
        if (auto* button = dynamic_cast<ui::Button*>(c); button && sameCaption(button->caption(), caption))
            return button;
    return nullptr;
}

}  // namespace

void ScriptedModalHost::showModal(ui::Window& window) {
    auto answer = answers_.forWindow(window.name());
    ui::Button* button = nullptr;
    int64_t afterMs = 0;
    if (!answer) {
        auto closing = window.closingButtons();
        if (!closing.empty()) button = closing.front();
    } else if (!answer->button.empty()) {
        button = buttonCaptioned(window, answer->button);
        afterMs = answer->afterMs;
        if (!button)
            diagnostics_ << "korvex: window " << window.name() << " has no button \"" << answer->button
                         << "\"; closing it instead\n";
    }

    // The press is bound to this showing only: a window closed otherwise and shown again is not pressed by it.
    auto showing = std::make_shared<bool>(true);
    platform::TaskId press = 0;
    if (button) {
        press = scheduler_.schedule(scheduler_.nowMs() + afterMs, platform::TaskPriority::Script, [button, showing] {
            if (*showing) button->click();
        });
    } else if ((!answer && !window.closesOnItsOwn) || (answer && !answer->button.empty())) {
        window.close();
    }

    auto outcome = scheduler_.runUntil([&window] { return !window.isModalShowing(); });
    *showing = false;
    scheduler_.cancel(press);
    if (outcome == platform::RunOutcome::Idle && window.isModalShowing()) {
        diagnostics_ << "korvex: window " << window.name() << " waits for an answer that never comes; closing it\n";
        window.close();
    }
}

}  // namespace kvx::app
