#pragma once

#include "platform/layers/TimingFunction.h"

#include <vector>

namespace vellaro {

// Groups layer changes and says how they animate, for as long as the object
// lives. Transactions nest; a new one starts with the settings of the one
// around it. Outside any transaction changes animate over 0.25 s with the
// standard curve, as an implicit transaction would. Main thread only.
//
//   { Transaction t; t.setDuration(0.17); t.setTimingFunction(easeOut); ... }
//   { auto t = Transaction::withoutAnimation(); ... }
class Transaction {
public:
    Transaction();
    Transaction(double durationSeconds, TimingFunction timing);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    [[nodiscard]] static Transaction withoutAnimation();

    void setDuration(double seconds);
    void setTimingFunction(TimingFunction timing);
    void setDisableActions(bool disabled);

    // The settings in force now (innermost transaction, else the defaults).
    static double currentDuration();
    static TimingFunction currentTimingFunction();
    static bool actionsDisabled();

private:
    struct Settings;
    struct WithoutAnimationTag {};
    explicit Transaction(WithoutAnimationTag);
    static std::vector<Settings>& stack();
    static Settings& top();
};

} // namespace vellaro
