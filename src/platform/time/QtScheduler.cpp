#include "platform/time/QtScheduler.h"

#include <QTimer>

namespace vellaro {

QtScheduler::QtScheduler(QObject* parent) : QObject(parent) {}

QtScheduler::~QtScheduler() = default;

QtScheduler& QtScheduler::shared() {
    static QtScheduler instance;
    return instance;
}

Scheduler::TimePoint QtScheduler::now() const {
    return Clock::now();
}

Scheduler::TaskId QtScheduler::schedule(Duration delay, std::function<void()> task) {
    const TaskId id = nextId_++;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(delay);
    timer->setInterval(std::max<std::chrono::milliseconds>(ms, std::chrono::milliseconds(0)));
    connect(timer, &QTimer::timeout, this, [this, id, task = std::move(task)] {
        auto it = timers_.find(id);
        if (it == timers_.end())
            return;
        it->second->deleteLater();
        timers_.erase(it);
        task();
    });
    timers_.emplace(id, timer);
    timer->start();
    return id;
}

void QtScheduler::cancel(TaskId id) {
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

} // namespace vellaro
