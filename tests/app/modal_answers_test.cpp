// Headless modal windows and message boxes: a window nobody answers, and how boxes are answered and logged.
#include <gtest/gtest.h>

#include <sstream>

#include "app/harness/message_log.h"
#include "app/harness/modal_answers.h"
#include "app/harness/scripted_modal_host.h"
#include "platform/diagnostics.h"
#include "platform/fake/virtual_scheduler.h"

using namespace kvx;

namespace {

// A warning window shown by the headless host on the virtual clock.
struct Dialog {
    platform::fake::VirtualScheduler clock;
    app::ModalAnswers answers;
    kvx::platform::CollectedDiagnostics diagnostics;
    app::ScriptedModalHost host{clock, answers, diagnostics};
    ui::Window window{"WarningForm"};
    ui::Button& enable = window.add<ui::Button>(nullptr, "EnableButton");
    ui::Button& disable = window.add<ui::Button>(nullptr, "DisableButton");
    Dialog() {
        enable.setCaption("&Enable Alarm");
        disable.setCaption("&Disable Alarm");
        enable.closesWindow = disable.closesWindow = true;
        window.setModalHost(&host);
    }
};

}  // namespace

// A window's default answer, and a scripted one after a delay with timers
// ticking meanwhile, are shown by the alarm and sound black-box runs.

// Guards against a headless run that hangs for ever on a window nobody answers.
TEST(ScriptedModalHost, AWindowLeftToRunOutWithNothingToRunIsClosed) {
    Dialog d;
    d.answers.set("WarningForm", {"", 0});
    d.window.showModal();
    EXPECT_FALSE(d.window.isModalShowing());
    EXPECT_NE(d.diagnostics.str().find("never comes"), std::string::npos);
}

TEST(HeadlessMessageBoxes, QuestionsAgreeByDefaultAndEveryBoxIsLogged) {
    platform::fake::VirtualScheduler clock;
    app::ModalAnswers answers;
    platform::CollectedDiagnostics err;
    app::HeadlessMessageBoxes boxes(clock, answers, err);
    app::MessageLog log(boxes, clock);

    EXPECT_EQ(log.show({"Korvex", "Exit now?", platform::MessageIcon::Question, {"Yes", "No"}}), "Yes");
    EXPECT_EQ(log.show({"", "No LM78 Detected.", platform::MessageIcon::Warning, {"OK"}}), "OK");
    answers.set("MessageBox", {"No", 3000});
    EXPECT_EQ(log.show({"Korvex", "Exit now?", platform::MessageIcon::Question, {"Yes", "No"}}), "No");
    ASSERT_EQ(log.entries().size(), 3u);
    EXPECT_EQ(log.entries()[2].timeMs, 0) << "logged when shown, before the answer";
    EXPECT_EQ(clock.nowMs(), 3000);
    // Guards against "korvex: Korvex: ..." (the program's name twice); another title is kept.
    log.show({"Confirm", "Really?", platform::MessageIcon::Question, {"Yes", "No"}});
    EXPECT_EQ(err.str(), "korvex: Exit now?\nkorvex: No LM78 Detected.\nkorvex: Exit now?\nkorvex: Confirm: Really?\n");
}
