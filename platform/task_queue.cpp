#include "platform/task_queue.h"

namespace kvx::platform {

TaskId TaskQueue::add(int64_t dueMs, TaskPriority priority, std::function<void()> task) {
    TaskId id = nextId_++;
    Key key{dueMs, static_cast<int>(priority), id};
    tasks_.emplace(key, std::move(task));
    keys_.emplace(id, key);
    return id;
}

void TaskQueue::cancel(TaskId id) {
    auto it = keys_.find(id);
    if (it == keys_.end()) return;
    tasks_.erase(it->second);
    keys_.erase(it);
}

std::optional<int64_t> TaskQueue::nextDue() const {
    if (tasks_.empty()) return std::nullopt;
    return std::get<0>(tasks_.begin()->first);
}

std::optional<std::function<void()>> TaskQueue::takeDue(int64_t nowMs) {
    if (tasks_.empty()) return std::nullopt;
    auto first = tasks_.begin();
    if (std::get<0>(first->first) > nowMs) return std::nullopt;
    auto task = std::move(first->second);
    keys_.erase(std::get<2>(first->first));
    tasks_.erase(first);
    return task;
}

}  // namespace kvx::platform
