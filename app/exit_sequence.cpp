// How the program ends: the close request, the saving of the settings, and
// the silent end when the session ends.
#include "app/application.h"

namespace kvx::app {

bool Application::FormCloseQuery() {
    auto* enabled = mainWindow_->form().findAs<ui::CheckBox>("GenTabEnableExitQCheckBox");
    if (enabled && !enabled->checked()) exitQuestionAllowed_ = false;
    if (!exitQuestionAllowed_) return true;
    auto answer = messages_.show({"Confirm", "Are you sure you want to Exit the Program ?", platform::MessageIcon::Question,
                                  {"Yes", "No"}});
    return answer == "Yes";
}

bool Application::FormClose() {
    auto report = store_.write(bindings_);
    if (!report.ok()) {
        showError(report.error);
        return false;
    }
    return true;
}

void Application::requestClose() {
    if (ended_) return;
    // A copy that never finished starting (another copy runs, agreement declined) saves nothing.
    if (!started_) {
        finish();
        return;
    }
    if (!FormCloseQuery()) return;
    if (!FormClose()) return;
    finish();
}

void Application::Exit1Click() { requestClose(); }

}  // namespace kvx::app
