#include "platform/qt/qt_scheduler.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <climits>

namespace kvx::platform::qt {

QtScheduler::QtScheduler() {
    clock_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, [this] { runDueTask(); });
}

TaskId QtScheduler::schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) {
    TaskId id = queue_.add(dueMs, priority, std::move(task));
    arm();
    return id;
}

void QtScheduler::cancel(TaskId id) {
    queue_.cancel(id);
    arm();
}

void QtScheduler::arm() {
    auto next = queue_.nextDue();
    if (!next) {
        wake_.stop();
        return;
    }
    wake_.start(static_cast<int>(std::clamp<int64_t>(*next - nowMs(), 0, INT_MAX)));
}

void QtScheduler::runDueTask() {
    // One task per turn of the event loop, so that a loop waiting on a
    // condition (a modal window) sees it change between tasks.
    auto task = queue_.takeDue(nowMs());
    arm();
    if (task) (*task)();
}

RunOutcome QtScheduler::runUntil(const std::function<bool()>& done, std::optional<int64_t> deadlineMs) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    for (;;) {
        if (quitting_) return RunOutcome::Quit;
        if (done()) return RunOutcome::Done;
        if (deadlineMs) {
            int64_t left = *deadlineMs - nowMs();
            if (left <= 0) return RunOutcome::Deadline;
            // Armed afresh each turn: a timer that fires a little early must not leave the loop waiting for ever.
            deadline.start(static_cast<int>(std::min<int64_t>(left, INT_MAX)));
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void QtScheduler::quit() {
    quitting_ = true;
    // Wake a loop that is waiting for events.
    QTimer::singleShot(0, this, [] {});
}

}  // namespace kvx::platform::qt
