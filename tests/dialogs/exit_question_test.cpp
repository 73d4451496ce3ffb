// The exit question: its window, its answers, and the button layout of the tray menu's Exit.
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

// Guards against a close box that exits the program, and an answer kept from an earlier showing.
TEST(ExitQuestion, EachWayOfAnsweringAndTheCloseBoxCountsAsNo) {
    struct Case {
        const char* button;  // nullptr: the close box
        app::ExitAnswer answer;
        int number;
    };
    const Case table[] = {
        {"&Yes", app::ExitAnswer::Yes, 1},
        {"&No", app::ExitAnswer::No, 2},
        {"&Minimize", app::ExitAnswer::Minimize, 3},
        {nullptr, app::ExitAnswer::No, 2},
    };
    DialogHarness host;
    app::ExitQuestion question;
    question.window().setModalHost(&host);
    EXPECT_EQ(DialogHarness::caption(question.window(), "QuestionLabel"),
              "Are you sure you want to Exit the Program ?");
    EXPECT_EQ(question.answer(), app::ExitAnswer::None);
    for (const Case& c : table) {
        SCOPED_TRACE(c.button ? c.button : "close box");
        // The question before always answered Yes: each showing starts without an answer.
        host.closeBox.clear();
        host.answers.set("Form7", {"&Yes", 0});
        ASSERT_EQ(question.ask(), app::ExitAnswer::Yes);

        if (c.button) host.answers.set("Form7", {c.button, 0});
        else host.closeBox.insert("Form7");
        EXPECT_EQ(question.ask(), c.answer);
        EXPECT_EQ(static_cast<int>(question.answer()), c.number);
        EXPECT_FALSE(question.window().isModalShowing());
    }
}

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
