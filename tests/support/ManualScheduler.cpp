#include "support/ManualScheduler.h"

#include <algorithm>

namespace vellaro::test {

Scheduler::TaskId ManualScheduler::schedule(Duration delay, std::function<void()> task) {
    const TaskId id = nextId_++;
    tasks_.emplace(std::make_pair(now_ + std::max(delay, Duration::zero()), id), std::move(task));
    return id;
}

void ManualScheduler::cancel(TaskId id) {
    std::erase_if(tasks_, [id](const auto& entry) { return entry.first.second == id; });
}

void ManualScheduler::advance(Duration by) {
    const TimePoint end = now_ + by;
    while (!tasks_.empty() && tasks_.begin()->first.first <= end) {
        auto node = tasks_.extract(tasks_.begin());
        now_ = node.key().first;
        node.mapped()();
    }
    now_ = end;
}

} // namespace vellaro::test
