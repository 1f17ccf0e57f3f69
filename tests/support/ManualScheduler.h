#pragma once

#include "platform/time/Scheduler.h"

#include <map>
#include <utility>

namespace vellaro::test {

// A scheduler whose time moves only when the test advances it. Due tasks run
// in time order (ties in scheduling order), each at its own due time.
class ManualScheduler final : public Scheduler {
public:
    TimePoint now() const override { return now_; }
    TaskId schedule(Duration delay, std::function<void()> task) override;
    void cancel(TaskId id) override;

    void advance(Duration by);
    template <class Rep, class Period>
    void advance(std::chrono::duration<Rep, Period> by) {
        advance(std::chrono::duration_cast<Duration>(by));
    }
    std::size_t pendingCount() const { return tasks_.size(); }

private:
    TimePoint now_{};
    TaskId nextId_ = 1;
    // (due, id) -> task; id breaks ties in scheduling order.
    std::map<std::pair<TimePoint, TaskId>, std::function<void()>> tasks_;
};

} // namespace vellaro::test
