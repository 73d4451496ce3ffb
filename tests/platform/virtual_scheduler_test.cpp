// The virtual clock: order of tasks, ties, nesting and deadlines.
#include <gtest/gtest.h>

#include <string>

#include "platform/fake/virtual_scheduler.h"
#include "ui/model/timer.h"

using kvx::platform::RunOutcome;
using kvx::platform::TaskPriority;
using kvx::platform::fake::VirtualScheduler;

// Guards against tasks run out of time order, and script commands losing ties to timers.
TEST(VirtualScheduler, RunsByTimeThenPriorityThenOrderOfScheduling) {
    VirtualScheduler s;
    std::string order;
    auto mark = [&](char c) { return [&order, c, &s] { order += c + std::to_string(s.nowMs()) + " "; }; };
    s.schedule(2000, TaskPriority::Timer, mark('a'));
    s.schedule(1000, TaskPriority::Timer, mark('b'));
    s.schedule(2000, TaskPriority::Script, mark('c'));
    s.schedule(2000, TaskPriority::Script, mark('d'));
    s.schedule(2000, TaskPriority::Timer, mark('e'));
    EXPECT_EQ(s.runUntil([] { return false; }), RunOutcome::Idle);
    EXPECT_EQ(order, "b1000 c2000 d2000 a2000 e2000 ");
}

// Guards against a wait that skips tasks due inside it or runs tasks due after
// it, and a task scheduled in the past running later than "at once" or moving the clock back.
TEST(VirtualScheduler, WaitRunsWhatFallsDueAndStopsAtTheDeadline) {
    VirtualScheduler s;
    std::vector<int64_t> ran;
    for (int64_t t : {100, 200, 300}) s.schedule(t, TaskPriority::Timer, [&, t] { ran.push_back(t); });
    s.wait(199);
    EXPECT_EQ(ran, (std::vector<int64_t>{100}));
    EXPECT_EQ(s.nowMs(), 199);
    s.wait(1);
    EXPECT_EQ(ran, (std::vector<int64_t>{100, 200})) << "a task due at the deadline itself runs";
    s.wait(1000);
    EXPECT_EQ(ran, (std::vector<int64_t>{100, 200, 300}));
    EXPECT_EQ(s.nowMs(), 1200);
    s.schedule(100, TaskPriority::Script, [&] { ran.push_back(s.nowMs()); });
    s.wait(1);
    EXPECT_EQ(ran.back(), 1200) << "a task from the past runs at once, at the present time";
    EXPECT_EQ(s.nowMs(), 1201);
}

// Guards against a modal window that freezes time: timers tick inside it and the outer loop resumes after.
TEST(VirtualScheduler, NestedLoopKeepsTimersTickingUntilTheWindowCloses) {
    VirtualScheduler s;
    kvx::ui::Timer speaker("Timer4", s);
    speaker.setInterval(500);
    int beeps = 0;
    speaker.onTimer = [&] { ++beeps; };
    bool windowOpen = false;
    int64_t closedAt = -1;
    s.schedule(1000, TaskPriority::Timer, [&] {
        windowOpen = true;
        speaker.setEnabled(true);
        s.schedule(s.nowMs() + 3000, TaskPriority::Script, [&] { windowOpen = false; });
        EXPECT_EQ(s.runUntil([&] { return !windowOpen; }), RunOutcome::Done);
        speaker.setEnabled(false);
        closedAt = s.nowMs();
    });
    int64_t after = -1;
    s.schedule(2000, TaskPriority::Timer, [&] { after = s.nowMs(); });
    s.runUntil([] { return false; }, 10000);
    EXPECT_EQ(closedAt, 4000);
    EXPECT_EQ(beeps, 5) << "1500..3500; the close at 4000 is a script command and goes first";
    EXPECT_EQ(after, 2000) << "a task due during the modal runs inside it";
}

// Guards against quit() leaving an inner loop running.
TEST(VirtualScheduler, QuitEndsNestedAndOuterLoops) {
    VirtualScheduler s;
    RunOutcome inner = RunOutcome::Done;
    s.schedule(10, TaskPriority::Timer, [&] {
        s.schedule(20, TaskPriority::Timer, [&] { s.quit(); });
        inner = s.runUntil([] { return false; });
    });
    s.schedule(30, TaskPriority::Timer, [] { FAIL() << "runs after quit"; });
    EXPECT_EQ(s.runUntil([] { return false; }), RunOutcome::Quit);
    EXPECT_EQ(inner, RunOutcome::Quit);
}

TEST(VirtualScheduler, CancelledTasksDoNotRunAndTheWallClockFollows) {
    std::chrono::system_clock::time_point start{std::chrono::seconds(1'000'000)};
    VirtualScheduler s(start);
    bool ran = false;
    auto id = s.schedule(50, TaskPriority::Timer, [&] { ran = true; });
    s.cancel(id);
    s.cancel(id);  // twice is harmless
    s.wait(3'600'000);
    EXPECT_FALSE(ran);
    EXPECT_EQ(s.wallClock() - start, std::chrono::hours(1));
}
