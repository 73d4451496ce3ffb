// The uninstall window: its steps, their order and pauses on the program
// clock, the stored uninstall command, and Cancel.
#include <gtest/gtest.h>

#include "app/dialogs/uninstall_window.h"
#include "dialog_harness.h"
#include "ui/model/timer.h"

using namespace kvx;
using test::DialogHarness;

namespace {

// The machine as the uninstall steps see it: every action logged with the program clock.
struct Uninstall {
    DialogHarness host;
    std::vector<std::string> log;
    std::set<std::string> undeletable;
    std::string storedCommand = "/opt/korvex/uninstall --quiet --keep-settings";
    app::UninstallWindow window{host.clock, "/home/u/korvex/", hooks()};

    Uninstall() {
        window.window().setModalHost(&host);
        const char* marks[] = {"AutorunCheckImage", "LogFilesCheckImage", "UninstallerCheckImage"};
        for (int step = 1; step <= 3; ++step) {
            ui::Control& mark = *window.window().find(marks[step - 1]);
            mark.observe([this, &mark, step] {
                if (mark.visible()) note("check mark " + std::to_string(step));
            });
        }
    }

    void note(const std::string& what) { log.push_back(std::to_string(host.clock.nowMs()) + " " + what); }

    app::UninstallWindow::Hooks hooks() {
        return {
            [this] { note("remove run entry"); },
            [this](const std::string& path) {
                note("delete " + path);
                return !undeletable.count(path);
            },
            [this] {
                note("read uninstall command");
                return storedCommand;
            },
            [this](const app::UninstallCommand& c) { note("start [" + c.program + "] [" + c.parameters + "]"); },
            [this] { note("end program"); },
        };
    }

    void runUninstall() {
        host.answers.set("Form5", {"&Un-install", 0});
        window.show();
    }
};

}  // namespace

// Guards against steps out of order, pauses that block the program clock, and an undeletable file stopping the rest.
TEST(UninstallWindow, StepsInOrderWithTheirPausesWhileTimersRunOn) {
    Uninstall u;
    u.host.clock.wait(500);
    u.undeletable = {"/home/u/korvex/kvxlog.htm", "/home/u/korvex/kvxwarnlog.txt"};
    ui::Timer poll("Timer1", u.host.clock);
    poll.setInterval(1000);
    int polls = 0;
    poll.onTimer = [&] { ++polls; };
    poll.setEnabled(true);
    bool buttonsOffDuringSteps = false;
    u.host.clock.schedule(2000, platform::TaskPriority::Script, [&] {
        const ui::Window& w = u.window.window();
        buttonsOffDuringSteps = !w.find("CancelButton")->enabled() && !w.find("UninstallButton")->enabled();
    });

    u.runUninstall();

    EXPECT_EQ(u.log, (std::vector<std::string>{
                         "500 remove run entry",
                         "500 check mark 1",
                         "1500 delete /home/u/korvex/kvxlog.txt",
                         "1500 delete /home/u/korvex/kvxlog.htm",
                         "1500 delete /home/u/korvex/kvxlog.csv",
                         "1500 delete /home/u/korvex/kvxwarnlog.txt",
                         "1500 delete /home/u/korvex/kvxwarnlog.htm",
                         "1500 delete /home/u/korvex/updown.txt",
                         "1500 delete /home/u/korvex/updown.htm",
                         "1500 check mark 2",
                         "2500 read uninstall command",
                         "3500 start [/opt/korvex/uninstall] [--quiet --keep-settings]",
                         "3500 check mark 3",
                         "4500 end program",
                     }))
        << "files that cannot be deleted are passed over";
    EXPECT_TRUE(buttonsOffDuringSteps);
    EXPECT_TRUE(u.window.finished());
    EXPECT_FALSE(u.window.window().isModalShowing());
    EXPECT_EQ(u.window.window().modalResult(), "&Un-install");
    EXPECT_EQ(polls, 4) << "the main window's timers keep firing while the steps pause";
    EXPECT_EQ(u.host.diagnostics.str(), "");
}

// Guards against a quoted program path split at its blank, and a start attempted with no program.
TEST(UninstallWindow, WhatTheStoredCommandStarts) {
    struct Case {
        const char* stored;
        const char* started;  // nullptr: nothing starts
    };
    const Case table[] = {
        {"/opt/korvex/uninstall --quiet", "start [/opt/korvex/uninstall] [--quiet]"},
        {"", nullptr},
        {"\"/opt/My Programs/uninstall\"", "start [/opt/My Programs/uninstall] []"},
        {" --quiet", nullptr},
        {"/opt/a  b", "start [/opt/a] [ b]"},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.stored);
        Uninstall u;
        u.storedCommand = c.stored;
        u.runUninstall();
        std::vector<std::string> starts;
        for (const std::string& line : u.log)
            if (line.find(" start ") != std::string::npos) starts.push_back(line.substr(line.find("start")));
        EXPECT_EQ(starts, c.started ? std::vector<std::string>{c.started} : std::vector<std::string>{});
        EXPECT_EQ(u.log.back(), "4000 end program") << "the program ends whatever the command";
    }
}

// Guards against Cancel (the default answer) or the close box starting any step
// before the steps have begun, and against the close box cutting them short after.
TEST(UninstallWindow, CancelOrTheCloseBoxChangeNothingButTheCloseBoxWaitsForStepsBegun) {
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        Uninstall u;
        if (closeBox) u.host.closeBox.insert("Form5");
        u.window.show();  // unanswered: the first closing button, "&Cancel"
        EXPECT_EQ(u.window.window().modalResult(), closeBox ? "" : "&Cancel");
        EXPECT_FALSE(u.window.window().isModalShowing());
        for (int step = 1; step <= 3; ++step) EXPECT_FALSE(u.window.checkMark(step).visible()) << step;
        EXPECT_EQ(u.log, std::vector<std::string>{});
        EXPECT_FALSE(u.window.finished());
        EXPECT_EQ(u.host.clock.nowMs(), 0);
    }

    Uninstall u;
    ui::Window& w = u.window.window();
    bool showingAfterCloseBox = false;
    u.host.whileOpen["Form5"] = [&](ui::Window&) {
        // The close box pressed while the steps pause between the first and second check mark.
        u.host.clock.schedule(700, platform::TaskPriority::Script, [&] {
            w.onCloseRequest();
            showingAfterCloseBox = w.isModalShowing();
        });
    };
    u.runUninstall();
    EXPECT_TRUE(showingAfterCloseBox);
    EXPECT_TRUE(u.window.finished());
    EXPECT_EQ(u.log.back(), "4000 end program");
}
