#include "app/dialogs/exit_question.h"

namespace kvx::app {

ExitQuestion::ExitQuestion()
    : yes_(window_.add<ui::Button>(nullptr, "YesButton")),
      no_(window_.add<ui::Button>(nullptr, "NoButton")),
      minimize_(window_.add<ui::Button>(nullptr, "MinimizeButton")) {
    window_.setCaption("Confirm");
    window_.setBounds({0, 0, 276, 97});
    window_.stayOnTop = true;
    window_.add<ui::Image>(nullptr, "QuestionImage").setBounds({16, 16, 32, 32});
    auto& question = window_.add<ui::Label>(nullptr, "QuestionLabel");
    question.setCaption(kQuestion);
    question.setBounds({56, 24, 212, 13});

    struct Choice {
        ui::Button& button;
        const char* caption;
        ExitAnswer answer;
    };
    for (const Choice& choice : {Choice{yes_, "&Yes", ExitAnswer::Yes}, Choice{no_, "&No", ExitAnswer::No},
                                 Choice{minimize_, "&Minimize", ExitAnswer::Minimize}}) {
        choice.button.setCaption(choice.caption);
        choice.button.closesWindow = true;
        choice.button.onClick = [this, answer = choice.answer] { answer_ = answer; };
    }
    putButtonsBack();

    // Any other way of closing (the close box) with no answer yet counts as "&No".
    window_.onClose = [this] {
        if (answer_ == ExitAnswer::None) answer_ = ExitAnswer::No;
    };
}

ExitAnswer ExitQuestion::ask() {
    answer_ = ExitAnswer::None;
    window_.showModal();
    return answer_;
}

void ExitQuestion::offerYesAndNoOnly(const std::function<void()>& requestClose) {
    moveButtonsForMenuExit();
    struct PutBack {
        ExitQuestion& question;
        ~PutBack() { question.putButtonsBack(); }
    } putBack{*this};
    requestClose();
}

// 500 lies outside the 276-wide window: the button can be neither seen nor clicked.
void ExitQuestion::moveButtonsForMenuExit() { placeButtons(60, 140, 500); }

void ExitQuestion::putButtonsBack() { placeButtons(20, 100, 180); }

void ExitQuestion::placeButtons(int yesLeft, int noLeft, int minimizeLeft) {
    yes_.setBounds({yesLeft, kButtonTop, kButtonWidth, 25});
    no_.setBounds({noLeft, kButtonTop, kButtonWidth, 25});
    minimize_.setBounds({minimizeLeft, kButtonTop, kButtonWidth, 25});
}

}  // namespace kvx::app
