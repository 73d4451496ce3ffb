// The exit question's button layout for the tray menu's Exit (its answers are
// checked on the whole program).
#include <gtest/gtest.h>

#include "app/dialogs/exit_question.h"
#include "dialog_harness.h"

using namespace kvx;
using test::DialogHarness;

namespace {

std::vector<int> buttonLefts(const ui::Window& window) {
    std::vector<int> lefts;
    for (const char* name : {"YesButton", "NoButton", "MinimizeButton"}) {
        const ui::Bounds& b = window.find(name)->bounds();
        EXPECT_EQ(b.top, 71) << name;
        EXPECT_EQ(b.width, 73) << name;
        lefts.push_back(b.left);
    }
    return lefts;
}

}  // namespace

// Guards against Minimize offered from the tray, and buttons left moved after the question (even on failure).
TEST(ExitQuestion, TrayExitMovesMinimizeOutOfTheWindowAndPutsTheButtonsBack) {
    DialogHarness host;
    app::ExitQuestion question;
    question.window().setModalHost(&host);
    host.closeBox.insert("Form7");
    std::vector<int> leftsWhileAsked;
    app::ExitAnswer answer = app::ExitAnswer::None;
    question.offerYesAndNoOnly([&] {
        host.whileOpen["Form7"] = [&](ui::Window& w) { leftsWhileAsked = buttonLefts(w); };
        answer = question.ask();
    });
    EXPECT_EQ(leftsWhileAsked, (std::vector<int>{60, 140, 500}));
    EXPECT_GT(500, question.window().bounds().width) << "out of the window: neither seen nor clicked";
    EXPECT_EQ(answer, app::ExitAnswer::No) << "the close box still answers No";
    EXPECT_EQ(buttonLefts(question.window()), (std::vector<int>{20, 100, 180}));

    // A close request that fails on the way still leaves the buttons where they belong.
    EXPECT_THROW(question.offerYesAndNoOnly([] { throw std::runtime_error("settings not written"); }),
                 std::runtime_error);
    EXPECT_EQ(buttonLefts(question.window()), (std::vector<int>{20, 100, 180}));
}
