#include "app/modal_answers.h"

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
    set("WarningForm", {"&Disable Alarm", 0});
    set("CountdownForm", {"", 0});
    set(kMessageBox, {"Yes", 0});
}

void ModalAnswers::set(std::string_view window, Answer answer) { answers_[ui::foldCase(window)] = std::move(answer); }

std::optional<ModalAnswers::Answer> ModalAnswers::forWindow(std::string_view window) const {
    auto it = answers_.find(ui::foldCase(window));
    if (it == answers_.end()) return std::nullopt;
    return it->second;
}

}  // namespace kvx::app
