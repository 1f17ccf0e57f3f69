#pragma once

#include "platform/time/Scheduler.h"

#include <QObject>
#include <unordered_map>

class QTimer;

namespace vellaro {

// Scheduler over QTimer on the thread that owns it (the main thread).
class QtScheduler final : public QObject, public Scheduler {
public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    static QtScheduler& shared();

    TimePoint now() const override;
    TaskId schedule(Duration delay, std::function<void()> task) override;
    void cancel(TaskId id) override;

private:
    TaskId nextId_ = 1;
    std::unordered_map<TaskId, QTimer*> timers_;
};

} // namespace vellaro
