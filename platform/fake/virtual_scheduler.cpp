#include "platform/fake/virtual_scheduler.h"

#include <algorithm>

namespace kvx::platform::fake {

VirtualScheduler::VirtualScheduler(std::chrono::system_clock::time_point wallStart) : wallStart_(wallStart) {}

std::chrono::system_clock::time_point VirtualScheduler::wallClock() const {
    return wallStart_ + std::chrono::milliseconds(now_);
}

TaskId VirtualScheduler::schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) {
    return queue_.add(std::max(dueMs, now_), priority, std::move(task));
}

RunOutcome VirtualScheduler::runUntil(const std::function<bool()>& done, std::optional<int64_t> deadlineMs) {
    for (;;) {
        if (quitting()) return RunOutcome::Quit;
        if (done()) return RunOutcome::Done;
        auto next = queue_.nextDue();
        if (deadlineMs && (!next || *next > *deadlineMs)) {
            now_ = std::max(now_, *deadlineMs);
            return RunOutcome::Deadline;
        }
        if (!next) return RunOutcome::Idle;
        now_ = std::max(now_, *next);
        if (auto task = queue_.takeDue(now_)) (*task)();
    }
}

}  // namespace kvx::platform::fake
