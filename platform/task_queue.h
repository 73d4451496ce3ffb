#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "platform/scheduler.h"

namespace kvx::platform {

// The ordered set of pending tasks that every scheduler keeps: by due time,
// then priority, then the order of scheduling.
class TaskQueue {
public:
    TaskId add(int64_t dueMs, TaskPriority priority, std::function<void()> task);
    void cancel(TaskId id);
    bool empty() const { return tasks_.empty(); }
    // Due time of the earliest task.
    std::optional<int64_t> nextDue() const;
    // Removes and returns the earliest task when it is due at `nowMs`.
    std::optional<std::function<void()>> takeDue(int64_t nowMs);

private:
    using Key = std::tuple<int64_t, int, TaskId>;
    std::map<Key, std::function<void()>> tasks_;
    std::map<TaskId, Key> keys_;
    TaskId nextId_ = 1;
};

}  // namespace kvx::platform
