#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "platform/scheduler.h"
#include "platform/task_queue.h"

namespace kvx::platform::qt {

// Real time on the desktop: tasks run from Qt's event loop, including the
// loops of modal dialogs, so timers keep ticking while a dialog waits.
class QtScheduler final : public QObject, public Scheduler {
    Q_OBJECT
public:
    QtScheduler();

    int64_t nowMs() const override { return clock_.elapsed(); }
    std::chrono::system_clock::time_point wallClock() const override { return std::chrono::system_clock::now(); }
    TaskId schedule(int64_t dueMs, TaskPriority priority, std::function<void()> task) override;
    void cancel(TaskId id) override;
    RunOutcome runUntil(const std::function<bool()>& done, std::optional<int64_t> deadlineMs = std::nullopt) override;
    void quit() override;
    bool quitting() const override { return quitting_; }

private:
    void runDueTask();
    void arm();

    TaskQueue queue_;
    QElapsedTimer clock_;
    QTimer wake_;
    bool quitting_ = false;
};

}  // namespace kvx::platform::qt
