#pragma once
#include <atomic>

#include "platform/scheduler.h"
#include "platform/task_queue.h"

namespace kvx::platform::fake {

// Virtual time: the clock jumps straight to the next due task, so an hour of
// polling runs in a moment. The wall clock starts at `wallStart` and advances
// with the virtual clock.
class VirtualScheduler final : public Scheduler {
public:
    explicit VirtualScheduler(std::chrono::system_clock::time_point wallStart = {});

    int64_t nowMs() const override { return now_; }
    std::chrono::system_clock::time_point wallClock() const override;
    TaskId schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) override;
    void cancel(TaskId id) override { queue_.cancel(id); }
    RunOutcome runUntil(const std::function<bool()>& done, std::optional<int64_t> deadlineMs = std::nullopt) override;
    void quit() override { quitting_ = true; }
    bool quitting() const override { return quitting_ || (interrupt_ && interrupt_->load()); }

    // A flag set from outside (a signal handler) that ends the loops as quit() does.
    void setInterruptFlag(const std::atomic<bool>* flag) { interrupt_ = flag; }

private:
    TaskQueue queue_;
    int64_t now_ = 0;
    std::chrono::system_clock::time_point wallStart_;
    bool quitting_ = false;
    const std::atomic<bool>* interrupt_ = nullptr;
};

}  // namespace kvx::platform::fake
