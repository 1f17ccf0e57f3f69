#include "settings/topbar/MouseButtonCapture.h"

#include "platform/input/ButtonMonitor.h"
#include "platform/input/MouseButtonTable.h"
#include "settings/model/ConsoleTriggers.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <bit>
#include <optional>

namespace vellaro {

namespace {

// Qt numbers X buttons 8, 9, 10, ... as ExtraButton1, 2, 3, ...
constexpr int firstExtraBit = 3, firstExtraXButton = 8;

std::optional<int> cgButtonOf(Qt::MouseButton button) {
    const auto bits = static_cast<unsigned>(button);
    if (button == Qt::MiddleButton)
        return MouseButtonTable::cgButtonForXButton(2);
    if (bits == 0 || !std::has_single_bit(bits) || std::countr_zero(bits) < firstExtraBit)
        return std::nullopt;
    return MouseButtonTable::cgButtonForXButton(std::countr_zero(bits) - firstExtraBit +
                                                firstExtraXButton);
}

bool take(std::vector<Qt::MouseButton>& list, Qt::MouseButton button) {
    const auto it = std::ranges::find(list, button);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

} // namespace

MouseButtonCapture::MouseButtonCapture(ConsoleTriggers& triggers, ButtonMonitor& monitor,
                                       QObject* parent)
    : QObject(parent), triggers_(triggers), monitor_(monitor) {}

MouseButtonCapture::~MouseButtonCapture() {
    stop();
    releasesToTake_.clear();
    followFilter();
}

void MouseButtonCapture::start(Handler onButton) {
    stop();
    running_ = true;
    onButton_ = std::move(onButton);
    triggers_.suspendMouseTrigger();
    followFilter();
    // Without the session-wide monitor, presses over our windows still count.
    monitor_.start([this](int cgButton) { heardElsewhere(cgButton); });
}

bool MouseButtonCapture::stop() {
    if (!running_)
        return false;
    running_ = false;
    reporting_ = false;
    recordedPress_.reset();
    onButton_ = nullptr;
    monitor_.stop();
    followFilter();
    return triggers_.resumeMouseTrigger();
}

void MouseButtonCapture::heardElsewhere(int cgButton) {
    // A press over our windows reaches them too, and is reported at its
    // release: the trigger coming back earlier would take the rest of that
    // click's events for its own.
    if (recordedPress_ || QGuiApplication::topLevelAt(QCursor::pos()))
        return;
    report(cgButton);
}

void MouseButtonCapture::report(int cgButton) {
    if (!running_ || reporting_)
        return;
    // From the event loop, once the events read with this one went by.
    reporting_ = true;
    QTimer::singleShot(0, this, [this, cgButton] {
        reporting_ = false;
        if (const Handler handler = running_ ? onButton_ : nullptr)
            handler(cgButton);
    });
}

bool MouseButtonCapture::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // Follows a press already taken.
        return cgButtonOf(static_cast<QMouseEvent*>(event)->button()) &&
               std::ranges::count(releasesToTake_, static_cast<QMouseEvent*>(event)->button()) > 0;
    case QEvent::MouseButtonPress: {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (!running_ || !cgButtonOf(button))
            return false;
        if (!recordedPress_)
            recordedPress_ = button;
        releasesToTake_.push_back(button);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (!take(releasesToTake_, button))
            return false;
        if (recordedPress_ == button) {
            recordedPress_.reset();
            report(*cgButtonOf(button));
        }
        followFilter();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void MouseButtonCapture::followFilter() {
    const bool wanted = running_ || !releasesToTake_.empty();
    if (wanted == filtering_ || !QCoreApplication::instance())
        return;
    filtering_ = wanted;
    if (wanted)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

} // namespace vellaro
