#pragma once

#include <QPointF>
#include <functional>

class QRect;
class QWidget;

namespace vellaro {

// What the overlay controller needs of the dial it carries: the three events
// it feeds, a reload, and the word that the panel went away so the dial
// stops its timers and hides its preview card.
class OverlayDialView {
public:
    virtual ~OverlayDialView() = default;
    virtual QWidget* widget() = 0;
    virtual double scale() const = 0;
    virtual bool contextMenuOpen() const = 0;
    virtual void setOnDismiss(std::function<void()> onDismiss) = 0;
    virtual void sendOpen() = 0;
    virtual void sendTriggerReleased() = 0;
    virtual void sendFocusLost() = 0;
    // The pointer is at `global` now (read again once the panel's grab holds,
    // so motion during the show is not lost).
    virtual void pointerAt(QPointF /*global*/) {}
    // Rebuilds the content for the current scale.
    virtual void reload() = 0;
    virtual void panelDidHide() = 0;
    // The panel is about to map over `globalFrame`; without a compositor the
    // dial takes its picture of the screen behind it now.
    virtual void prepareToShow(const QRect& globalFrame) = 0;
    // Draws the dial once off screen while it is closed, so the fonts,
    // icons and shapes of the first opening are ready.
    virtual void warmUp() {}
};

} // namespace vellaro
