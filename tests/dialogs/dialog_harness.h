#pragma once
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/harness/modal_answers.h"
#include "app/harness/scripted_modal_host.h"
#include "platform/diagnostics.h"
#include "platform/fake/virtual_scheduler.h"
#include "ui/model/window.h"

namespace kvx::test {

// Modal windows answered as in a headless run (script answers, else the first
// closing button), with two things a person can do besides: act on a window
// while it is open, and close chosen windows by their close box.
class DialogHarness final : public ui::ModalHost {
public:
    DialogHarness() : scripted_(clock, answers, diagnostics) {}

    void showModal(ui::Window& window) override {
        shown.push_back(window.name());
        if (auto act = whileOpen.find(window.name()); act != whileOpen.end()) act->second(window);
        if (!window.isModalShowing()) return;
        if (closeBox.count(window.name())) {
            if (window.onCloseRequest) window.onCloseRequest();
            else window.close();
            return;
        }
        scripted_.showModal(window);
    }

    // The captions of a window's buttons in creation order.
    static std::vector<std::string> buttonCaptions(const ui::Window& window);
    static std::string caption(const ui::Window& window, const std::string& control);

    platform::fake::VirtualScheduler clock;
    app::ModalAnswers answers;
    kvx::platform::CollectedDiagnostics diagnostics;
    std::vector<std::string> shown;
    std::set<std::string> closeBox;
    std::map<std::string, std::function<void(ui::Window&)>> whileOpen;

private:
    app::ScriptedModalHost scripted_;
};

inline std::vector<std::string> DialogHarness::buttonCaptions(const ui::Window& window) {
    std::vector<std::string> captions;
    for (ui::Control* control : window.controls())
        if (auto* button = dynamic_cast<ui::Button*>(control)) captions.push_back(button->caption());
    return captions;
}

inline std::string DialogHarness::caption(const ui::Window& window, const std::string& control) {
    auto* captioned = dynamic_cast<ui::CaptionedControl*>(window.find(control));
    return captioned ? captioned->caption() : "<no control " + control + ">";
}

}  // namespace kvx::test
