#include "onboarding/PageTasks.h"

#include <algorithm>
#include <memory>

namespace vellaro {

PageTasks::~PageTasks() {
    for (Scheduler::TaskId id : pending_)
        scheduler_.cancel(id);
}

void PageTasks::after(Scheduler::Duration delay, std::function<void()> task) {
    auto id = std::make_shared<Scheduler::TaskId>(0);
    *id = scheduler_.schedule(delay, [this, id, task = std::move(task)] {
        std::erase(pending_, *id);
        task();
    });
    pending_.push_back(*id);
}

void PageTasks::every(Scheduler::Duration interval, std::function<void()> task) {
    after(interval, [this, interval, task] {
        task();
        every(interval, task);
    });
}

} // namespace vellaro
