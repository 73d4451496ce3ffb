#include "platform/linux/realtime_loop.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

namespace kvx::platform::linux_backend {

RealtimeLoop::RealtimeLoop() : start_(std::chrono::steady_clock::now()) {}

int64_t RealtimeLoop::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

std::chrono::system_clock::time_point RealtimeLoop::wallClock() const { return std::chrono::system_clock::now(); }

TaskId RealtimeLoop::schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) {
    return queue_.add(dueMs, priority, std::move(task));
}

void RealtimeLoop::watchReadable(int fd, std::function<void()> onReadable) { watches_[fd] = std::move(onReadable); }

void RealtimeLoop::unwatch(int fd) { watches_.erase(fd); }

void RealtimeLoop::waitForEvents(int timeoutMs) {
    std::vector<pollfd> fds;
    for (const auto& [fd, callback] : watches_) fds.push_back({fd, POLLIN, 0});
    int ready = ::poll(fds.data(), fds.size(), timeoutMs);
    if (ready <= 0) return;  // timeout, or EINTR: the caller looks again
    for (const pollfd& p : fds) {
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
        auto it = watches_.find(p.fd);
        if (it == watches_.end()) continue;
        auto callback = it->second;  // the callback may unwatch itself
        callback();
    }
}

RunOutcome RealtimeLoop::runUntil(const std::function<bool()>& done, std::optional<int64_t> deadlineMs) {
    for (;;) {
        if (quitting_) return RunOutcome::Quit;
        if (done()) return RunOutcome::Done;
        int64_t now = nowMs();
        int64_t horizon = deadlineMs ? std::min(now, *deadlineMs) : now;
        if (auto task = queue_.takeDue(horizon)) {
            (*task)();
            continue;
        }
        if (deadlineMs && now >= *deadlineMs) return RunOutcome::Deadline;
        int64_t wakeAt = INT64_MAX;
        if (auto next = queue_.nextDue()) wakeAt = *next;
        if (deadlineMs) wakeAt = std::min(wakeAt, *deadlineMs);
        int timeout = wakeAt == INT64_MAX ? -1 : static_cast<int>(std::clamp<int64_t>(wakeAt - now, 0, INT_MAX));
        waitForEvents(timeout);
    }
}

}  // namespace kvx::platform::linux_backend
