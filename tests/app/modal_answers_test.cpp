// Headless modal windows and message boxes are answered as the script says, with time running meanwhile.
#include <gtest/gtest.h>

#include <sstream>

#include "app/harness/message_log.h"
#include "app/harness/modal_answers.h"
#include "app/harness/scripted_modal_host.h"
#include "platform/fake/virtual_scheduler.h"
#include "ui/model/timer.h"

using namespace kvx;

namespace {

// A warning window shown by the headless host on the virtual clock.
struct Dialog {
    platform::fake::VirtualScheduler clock;
    app::ModalAnswers answers;
    std::ostringstream diagnostics;
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

TEST(ScriptedModalHost, DefaultsAndScriptedAnswersWithADelay) {
    Dialog d;
    auto& clock = d.clock;

    d.window.showModal();
    EXPECT_EQ(d.window.modalResult(), "&Disable Alarm") << "the warning window's default answer";
    EXPECT_EQ(clock.nowMs(), 0);

    ui::Timer speaker("Timer4", clock);
    speaker.setInterval(500);
    int beeps = 0;
    speaker.onTimer = [&] { ++beeps; };
    speaker.setEnabled(true);
    d.answers.set("warningform", {"Enable Alarm", 2000});
    d.window.showModal();
    EXPECT_EQ(d.window.modalResult(), "&Enable Alarm");
    EXPECT_EQ(clock.nowMs(), 2000);
    EXPECT_EQ(beeps, 3) << "timers tick while the window waits; the press at 2000 comes before the tick due then";
    EXPECT_EQ(d.diagnostics.str(), "");
}

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
    std::ostringstream err;
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
