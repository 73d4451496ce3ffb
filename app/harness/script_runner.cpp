#include "app/harness/script_runner.h"

#include "ui/model/controls.h"
#include "ui/model/tray_icon.h"

namespace kvx::app {

void ScriptRunner::schedule(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands)
        scheduler_.schedule(command.atMs, platform::TaskPriority::Script, [this, command] { run(command); });
}

void ScriptRunner::run(const ScriptCommand& c) {
    using Verb = ScriptCommand::Verb;
    switch (c.verb) {
        case Verb::Answer: answers_.set(c.target, {c.text, c.afterMs}); return;
        case Verb::Dump: dump_(c.target); return;
        case Verb::Popup:
            if (auto* menu = dynamic_cast<ui::MenuItem*>(windows_.find("PopupMenu1"))) menu->popup();
            return;
        default: break;
    }

    ui::Control* control = windows_.find(c.target);
    if (!control) return;
    // A person cannot use a disabled control; neither can a script.
    if (!control->enabled()) {
        diagnostics_ << "korvex: script line " << c.line << ": " << c.target << " is disabled; nothing happens\n";
        return;
    }
    switch (c.verb) {
        case Verb::Click:
            if (auto* box = dynamic_cast<ui::CheckBox*>(control)) box->click();
            else if (auto* radio = dynamic_cast<ui::RadioButton*>(control)) radio->click();
            else if (auto* button = dynamic_cast<ui::Button*>(control)) button->click();
            else if (auto* item = dynamic_cast<ui::MenuItem*>(control)) item->click();
            return;
        case Verb::Set:
            if (auto* edit = dynamic_cast<ui::Edit*>(control)) edit->type(c.text);
            return;
        case Verb::Select:
            if (auto* list = dynamic_cast<ui::ComboBox*>(control)) {
                if (c.number < 0 || c.number >= static_cast<int>(list->items().size())) {
                    diagnostics_ << "korvex: script line " << c.line << ": " << c.target << " has no item " << c.number
                                 << "\n";
                    return;
                }
                list->select(c.number);
            }
            return;
        case Verb::Up:
            if (auto* spin = dynamic_cast<ui::SpinButton*>(control)) spin->up();
            return;
        case Verb::Down:
            if (auto* spin = dynamic_cast<ui::SpinButton*>(control)) spin->down();
            return;
        case Verb::Slide:
            if (auto* slider = dynamic_cast<ui::TrackBar*>(control)) slider->setPosition(c.number);
            return;
        case Verb::Press:
            if (auto* button = dynamic_cast<ui::Button*>(control)) button->press();
            return;
        case Verb::Release:
            if (auto* button = dynamic_cast<ui::Button*>(control)) button->release();
            return;
        case Verb::DoubleClick:
            if (auto* icon = dynamic_cast<ui::TrayIcon*>(control)) {
                // An icon that is not in the notification area cannot be clicked.
                if (!icon->active())
                    diagnostics_ << "korvex: script line " << c.line << ": " << c.target
                                 << " is not shown in the tray; nothing happens\n";
                else icon->doubleClick();
            }
            return;
        default: return;
    }
}

}  // namespace kvx::app
