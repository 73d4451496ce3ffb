#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace kvx::platform {

using TaskId = uint64_t;

// Among tasks due at the same moment, lower priorities run first; equal
// priorities run in the order they were scheduled.
enum class TaskPriority : int { Script = 0, Timer = 1 };

enum class RunOutcome {
    Done,      // the condition became true
    Deadline,  // the program clock reached the deadline
    Quit,      // quit() was called: the program is ending
    Idle,      // nothing left to run and nothing to wait for (virtual time only)
};

// The single source of time for the program: its clock, one-shot tasks, and
// the loop that runs them. Every timer of the program is built on it, so the
// same code runs in real time on the desktop, in real time headless, and in
// virtual time that jumps from task to task.
//
// All calls come from the one thread that runs the loop.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    // Milliseconds since the program started.
    virtual int64_t nowMs() const = 0;
    // The wall clock for dates and times in texts and logs.
    virtual std::chrono::system_clock::time_point wallClock() const = 0;

    // Runs `task` once when the clock reaches `dueMs` (at once, on the next
    // turn of the loop, when that is already past). The id stays valid until
    // the task has run or been cancelled.
    virtual TaskId schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) = 0;
    // Forgets a task that has not run yet; an unknown id is ignored.
    virtual void cancel(TaskId id) = 0;

    // Runs due tasks until `done` answers true (asked before every task), the
    // clock passes `deadlineMs` (tasks due at the deadline itself still run),
    // or quit() is called. Loops may nest: a
    // modal window runs one inside a task.
    virtual RunOutcome runUntil(const std::function<bool()>& done,
                                std::optional<int64_t> deadlineMs = std::nullopt) = 0;

    // Makes every running loop return RunOutcome::Quit, now and from then on.
    virtual void quit() = 0;
    virtual bool quitting() const = 0;

    // Runs the loop until quit().
    void run() {
        runUntil([] { return false; });
    }
    // Waits `ms` on the program clock, running the tasks that fall due meanwhile.
    void wait(int64_t ms) {
        runUntil([] { return false; }, nowMs() + ms);
    }
};

}  // namespace kvx::platform
