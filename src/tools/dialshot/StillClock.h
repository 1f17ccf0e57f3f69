#pragma once

#include "platform/time/Scheduler.h"

namespace vellaro::dialshot {

// A clock that stands still until told; timers never fire, since the tool
// steps the dial by sending events itself.
class StillClock final : public Scheduler {
public:
    TimePoint now() const override { return now_; }
    TaskId schedule(Duration, std::function<void()>) override { return ++lastId_; }
    void cancel(TaskId) override {}
    void set(TimePoint time) { now_ = time; }

private:
    TimePoint now_{};
    TaskId lastId_ = 0;
};

} // namespace vellaro::dialshot
