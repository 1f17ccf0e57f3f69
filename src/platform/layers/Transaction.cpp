#include "platform/layers/Transaction.h"

#include "platform/layers/Logging.h"

#include <cmath>

namespace vellaro {

struct Transaction::Settings {
    double duration = 0.25;
    TimingFunction timing = TimingFunction::standard();
    bool disableActions = false;
};

std::vector<Transaction::Settings>& Transaction::stack() {
    static thread_local std::vector<Settings> settings;
    return settings;
}

Transaction::Transaction() {
    auto& s = stack();
    s.push_back(s.empty() ? Settings{} : s.back());
}

Transaction::Transaction(double durationSeconds, TimingFunction timing) : Transaction() {
    setDuration(durationSeconds);
    setTimingFunction(timing);
}

Transaction::~Transaction() {
    stack().pop_back();
}

Transaction::Transaction(WithoutAnimationTag) : Transaction() {
    setDisableActions(true);
}

Transaction Transaction::withoutAnimation() {
    return Transaction(WithoutAnimationTag{});
}

Transaction::Settings& Transaction::top() {
    return stack().back();
}

void Transaction::setDuration(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        qCWarning(lcLayers) << "Ignoring transaction duration" << seconds;
        return;
    }
    top().duration = seconds;
}

void Transaction::setTimingFunction(TimingFunction timing) {
    top().timing = timing;
}

void Transaction::setDisableActions(bool disabled) {
    top().disableActions = disabled;
}

double Transaction::currentDuration() {
    const auto& s = stack();
    return s.empty() ? Settings{}.duration : s.back().duration;
}

TimingFunction Transaction::currentTimingFunction() {
    const auto& s = stack();
    return s.empty() ? Settings{}.timing : s.back().timing;
}

bool Transaction::actionsDisabled() {
    const auto& s = stack();
    return !s.empty() && s.back().disableActions;
}

} // namespace vellaro
