#include "app/harness/message_log.h"

#include "app/harness/modal_answers.h"
#include "ui/model/window.h"

namespace kvx::app {

std::string MessageLog::show(const platform::MessageBoxRequest& request) {
    entries_.push_back({clock_.nowMs(), request.title, request.text});
    return inner_.show(request);
}

std::string HeadlessMessageBoxes::show(const platform::MessageBoxRequest& request) {
    // The line already starts with the program's name; a title that repeats it is left out.
    const bool titleAddsSomething = !request.title.empty() && ui::foldCase(request.title) != "korvex";
    out_ << "korvex: " << (titleAddsSomething ? request.title + ": " : "") << request.text << "\n";
    if (request.buttons.empty()) return {};
    auto answer = answers_.forWindow(ModalAnswers::kMessageBox);
    if (answer && answer->afterMs > 0) scheduler_.wait(answer->afterMs);
    if (answer)
        for (const auto& caption : request.buttons)
            if (sameCaption(caption, answer->button)) return caption;
    return request.buttons.front();
}

}  // namespace kvx::app
