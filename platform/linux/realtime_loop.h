#pragma once
#include <chrono>
#include <functional>
#include <map>

#include "platform/scheduler.h"
#include "platform/task_queue.h"

namespace kvx::platform::linux_backend {

// Real time without a GUI toolkit: one poll(2) loop that sleeps until the next
// task is due or a watched descriptor becomes readable.
class RealtimeLoop final : public Scheduler {
public:
    RealtimeLoop();

    int64_t nowMs() const override;
    std::chrono::system_clock::time_point wallClock() const override;
    TaskId schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) override;
    void cancel(TaskId id) override { queue_.cancel(id); }
    RunOutcome runUntil(const std::function<bool()>& done, std::optional<int64_t> deadlineMs = std::nullopt) override;
    void quit() override { quitting_ = true; }
    bool quitting() const override { return quitting_; }

    // Calls `onReadable` from the loop whenever `fd` has data; the callback must read it.
    void watchReadable(int fd, std::function<void()> onReadable);
    void unwatch(int fd);

private:
    void waitForEvents(int timeoutMs);

    TaskQueue queue_;
    std::chrono::steady_clock::time_point start_;
    std::map<int, std::function<void()>> watches_;
    bool quitting_ = false;
};

}  // namespace kvx::platform::linux_backend
