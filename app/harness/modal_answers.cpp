#include "app/harness/modal_answers.h"

#include <cctype>

#include "ui/model/window.h"

namespace kvx::app {
namespace {

std::string plainCaption(std::string_view caption) {
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') plain += '&', ++i;
            continue;
        }
        plain += static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i])));
    }
    return plain;
}

}  // namespace

bool sameCaption(std::string_view a, std::string_view b) { return plainCaption(a) == plainCaption(b); }

ModalAnswers::ModalAnswers() {
    // The warning window is dismissed with its alarm off; the countdown runs out;
    // question boxes agree.
    defaults_[ui::foldCase("WarningForm")] = {"&Disable Alarm", 0};
    defaults_[ui::foldCase("CountdownForm")] = {"", 0};
    defaults_[ui::foldCase(kMessageBox)] = {"Yes", 0};
}

void ModalAnswers::set(std::string_view window, Answer answer) { answers_[ui::foldCase(window)] = std::move(answer); }

std::optional<ModalAnswers::Answer> ModalAnswers::forWindow(std::string_view window) const {
    if (auto scripted = scriptedFor(window)) return scripted;
    auto it = defaults_.find(ui::foldCase(window));
    if (it == defaults_.end()) return std::nullopt;
    return it->second;
}

std::optional<ModalAnswers::Answer> ModalAnswers::scriptedFor(std::string_view window) const {
    auto it = answers_.find(ui::foldCase(window));
    if (it == answers_.end()) return std::nullopt;
    return it->second;
}

}  // namespace kvx::app
