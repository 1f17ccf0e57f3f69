#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace vellaro {

// The one source of time and delays. The program uses QtScheduler; tests use
// ManualScheduler (tests/support) and advance time by hand.
class Scheduler {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;
    using Duration = std::chrono::nanoseconds;
    using TaskId = std::uint64_t;

    virtual ~Scheduler() = default;

    virtual TimePoint now() const = 0;

    // Runs `task` once on the calling (main) thread after `delay`.
    // Returns an id that stays valid for cancel() until the task has run.
    virtual TaskId schedule(Duration delay, std::function<void()> task) = 0;

    // Cancelling an unknown, finished or already cancelled task does nothing.
    virtual void cancel(TaskId id) = 0;
};

} // namespace vellaro
