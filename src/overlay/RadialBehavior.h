#pragma once

#include "core/MenuConfiguration.h"
#include "core/MenuEvent.h"
#include "core/MenuState.h"
#include "model/MenuItem.h"
#include "platform/time/Scheduler.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vellaro {

class DialHaptics;
class SettingsStore;

// How the dial answers input: one step of the menu machine per event, the
// screen updates for each change of state, the dwell and preview timers, the
// haptic feedback rule and the running of chosen items. It draws nothing: a
// Presenter does, so the rules can be driven without a screen.
class RadialBehavior {
public:
    using Index = std::int64_t;

    // The screen side of a change of state.
    class Presenter {
    public:
        virtual ~Presenter() = default;
        virtual void bloom() = 0;
        // One hover transaction: `previous` back to rest, `next` highlighted.
        virtual void hoverChanged(std::optional<Index> previous, std::optional<Index> next) = 0;
        enum class FanChange {
            reveal, // opened from the ring: placed, built and played in
            swap,   // another section's fan replaces the open one: placed and built
            redraw, // the open fan's items changed: built again where it is
        };
        virtual void showFan(Index section, const std::vector<MenuItem>& items,
                             FanChange change) = 0;
        virtual void highlightFanItem(std::optional<Index> item) = 0;
        virtual void closeFan() = 0;
        virtual void setCore(std::optional<Index> openSection) = 0;
        virtual void showPreview(Index item) = 0;
        virtual void hidePreview() = 0;
    };

    // The dial's content: the machine's configuration and a section's items.
    class Content {
    public:
        virtual ~Content() = default;
        virtual MenuConfiguration configuration() = 0;
        virtual std::vector<MenuItem> items(Index section) = 0;
    };

    static constexpr auto previewDelay = std::chrono::milliseconds(350);

    RadialBehavior(bool previewMode, Presenter& presenter, Content& content,
                   const SettingsStore& settings, Scheduler& scheduler, DialHaptics* haptics);
    ~RadialBehavior();
    RadialBehavior(const RadialBehavior&) = delete;
    RadialBehavior& operator=(const RadialBehavior&) = delete;

    // The one entry of every input.
    void send(const MenuEvent& event);

    const MenuState& state() const { return state_; }
    // The ring slot drawn highlighted, also the last hover target fed back.
    std::optional<Index> activeWedge() const { return activeWedge_; }
    const std::vector<MenuItem>& currentFanItems() const { return currentFanItems_; }
    bool previewMode() const { return previewMode_; }

    // Drops the current interaction: an open dial goes back to the bare ring
    // (a closed one stays closed), timers stop, the fan and card go away.
    void resetInteraction();
    // The panel was hidden without an event: stop the timers and the card;
    // the state is kept for the next opening.
    void panelDidHide();
    // A section's items changed: redraw an open fan in place.
    void contentDidChange();
    // Runs an entry of an item's context menu. The overlay's dial closes
    // first, as it does for the item itself, so the entry finds the pointer
    // and keyboard free (a screenshot tool grabs both); the preview stays.
    void runMenuAction(const MenuAction& action);

    // Hooks of the host, in the order they run on execute.
    std::function<void(Index section, Index item)> onExecute;
    std::function<void()> onDismiss;

private:
    bool runKeepsOpen(const MenuEvent& event);
    void stateDidChange(const MenuState& from, const MenuState& to);
    void openFan(Index section, Presenter::FanChange change, std::optional<Index> hover);
    void restartDwell();
    void hoverFeedback(std::optional<Index> target);
    void highlightFanItem(std::optional<Index> item);
    void schedulePreview(std::optional<Index> item);
    void execute(Index section, Index item);
    void cancel(std::optional<Scheduler::TaskId>& task);

    const bool previewMode_;
    Presenter& presenter_;
    Content& content_;
    const SettingsStore& settings_;
    Scheduler& scheduler_;
    DialHaptics* haptics_;

    MenuState state_ = MenuState::closed();
    std::optional<Index> activeWedge_;
    std::vector<MenuItem> currentFanItems_;
    std::optional<Scheduler::TaskId> dwellTask_;
    std::optional<Scheduler::TaskId> previewTask_;
};

} // namespace vellaro
