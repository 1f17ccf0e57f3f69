#include "ui/KitMotion.h"

#include "platform/session/Appearance.h"
#include "platform/time/QtScheduler.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace vellaro {

namespace {

constexpr std::chrono::milliseconds frame{16};

} // namespace

KitMotion::Services KitMotion::Services::shared() {
    return {QtScheduler::shared(), Appearance::shared()};
}

KitMotion::KitMotion(std::optional<Services> services, Scheduler::Duration duration,
                     std::function<void(double)> apply, Easing easing)
    : services_(services), duration_(duration), easing_(easing), apply_(std::move(apply)) {}

KitMotion::~KitMotion() {
    if (task_ && services_)
        services_->scheduler.cancel(*task_);
}

void KitMotion::jumpTo(double target) {
    if (task_ && services_)
        services_->scheduler.cancel(*task_);
    task_.reset();
    value_ = target_ = target;
    apply_(value_);
}

void KitMotion::animateTo(double target) {
    if (!services_ || services_->appearance.reduceMotion()) {
        jumpTo(target);
        return;
    }
    if (target == target_ && task_)
        return;
    from_ = value_;
    target_ = target;
    start_ = services_->scheduler.now();
    if (!task_)
        task_ = services_->scheduler.schedule(frame, [this] { step(); });
}

void KitMotion::step() {
    task_.reset();
    const double t = std::clamp(double((services_->scheduler.now() - start_).count()) /
                                    double(duration_.count()),
                                0.0, 1.0);
    const double eased = easing_ == Easing::easeOut
                             ? 1 - (1 - t) * (1 - t) * (1 - t)
                             : (t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2);
    value_ = from_ + (target_ - from_) * eased;
    apply_(value_);
    if (t < 1)
        task_ = services_->scheduler.schedule(frame, [this] { step(); });
}

} // namespace vellaro
