#pragma once
#include <functional>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::app {

// The answer to the exit question, numbered as the close query keeps it.
enum class ExitAnswer { None = 0, Yes = 1, No = 2, Minimize = 3 };

// "Confirm" (`Form7`): asks whether the program should end. Created once and
// shown for every close request that asks. Closing it by its close box
// answers "&No".
class ExitQuestion {
public:
    ExitQuestion();

    ui::Window& window() { return window_; }

    // Clears the answer, shows the question modally and returns the answer.
    ExitAnswer ask();
    ExitAnswer answer() const { return answer_; }

    // The tray menu's "Exit" offers Yes and No only: "&Minimize" moves out of
    // the window while `requestClose` runs; all three are back afterwards.
    void offerYesAndNoOnly(const std::function<void()>& requestClose);
    void moveButtonsForMenuExit();
    void putButtonsBack();

    static constexpr const char* kQuestion = "Are you sure you want to Exit the Program ?";
    static constexpr int kButtonTop = 71;
    static constexpr int kButtonWidth = 73;

private:
    void placeButtons(int yesLeft, int noLeft, int minimizeLeft);

    ui::Window window_{"Form7"};
    ui::Button& yes_;
    ui::Button& no_;
    ui::Button& minimize_;
    ExitAnswer answer_ = ExitAnswer::None;
};

}  // namespace kvx::app
