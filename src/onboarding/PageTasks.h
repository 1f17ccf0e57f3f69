#pragma once

#include "platform/time/Scheduler.h"

#include <functional>
#include <vector>

namespace vellaro {

// Delays owned by a page: whatever is still pending when the page goes is
// cancelled, so nothing calls into a page that no longer exists.
class PageTasks {
public:
    explicit PageTasks(Scheduler& scheduler) : scheduler_(scheduler) {}
    ~PageTasks();
    PageTasks(const PageTasks&) = delete;
    PageTasks& operator=(const PageTasks&) = delete;

    void after(Scheduler::Duration delay, std::function<void()> task);
    // Runs `task` every `interval` until the page goes.
    void every(Scheduler::Duration interval, std::function<void()> task);

private:
    Scheduler& scheduler_;
    std::vector<Scheduler::TaskId> pending_;
};

} // namespace vellaro
