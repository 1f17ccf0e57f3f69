#pragma once

#include <functional>
#include <optional>

#include "platform/time/Scheduler.h"

namespace vellaro {

class Appearance;

// A kit animation: moves a value from where it is to a target in steps on
// the Scheduler; under Reduce Motion, or without a scheduler,
// it jumps.
class KitMotion {
public:
    struct Services {
        Scheduler& scheduler;
        Appearance& appearance;
        static Services shared();
    };

    // easeOut settles like the switch's spring; easeInOut as the card opens.
    enum class Easing { easeOut, easeInOut };

    KitMotion(std::optional<Services> services, Scheduler::Duration duration,
              std::function<void(double)> apply, Easing easing = Easing::easeOut);
    ~KitMotion();
    KitMotion(const KitMotion&) = delete;
    KitMotion& operator=(const KitMotion&) = delete;

    double value() const { return value_; }
    void jumpTo(double target);
    void animateTo(double target);

private:
    void step();

    std::optional<Services> services_;
    Scheduler::Duration duration_;
    Easing easing_;
    std::function<void(double)> apply_;
    double value_ = 0, from_ = 0, target_ = 0;
    Scheduler::TimePoint start_{};
    std::optional<Scheduler::TaskId> task_;
};

} // namespace vellaro
