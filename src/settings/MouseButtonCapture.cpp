#include "settings/MouseButtonCapture.h"

#include "platform/input/ButtonMonitor.h"
#include "platform/input/MouseButtonTable.h"
#include "settings/ConsoleTriggers.h"

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

Qt::MouseButton qtButtonOf(int cgButton) {
    const std::optional<int> x = MouseButtonTable::xButtonForCgButton(cgButton);
    if (!x)
        return Qt::NoButton;
    if (*x == 2)
        return Qt::MiddleButton;
    return static_cast<Qt::MouseButton>(1u << (*x - firstExtraXButton + firstExtraBit));
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
    pressesToTake_.clear();
    followFilter();
}

void MouseButtonCapture::start(Handler onButton) {
    stop();
    running_ = true;
    onButton_ = std::move(onButton);
    pressesToTake_.clear();
    triggers_.suspendMouseTrigger();
    followFilter();
    // Without the session-wide monitor, presses over our windows still count.
    monitor_.start([this](int cgButton) { heard(cgButton, true); });
}

bool MouseButtonCapture::stop() {
    if (!running_)
        return false;
    running_ = false;
    reporting_ = false;
    onButton_ = nullptr;
    monitor_.stop();
    followFilter();
    return triggers_.resumeMouseTrigger();
}

void MouseButtonCapture::heard(int cgButton, bool fromMonitor) {
    if (!running_ || reporting_)
        return;
    // The monitor hears a press before its event reaches our window; that
    // event must still be taken once the recording has ended.
    if (fromMonitor && QGuiApplication::topLevelAt(QCursor::pos()))
        pressesToTake_.push_back(qtButtonOf(cgButton));
    // Reported once the events already read have been handled: the trigger
    // comes back only after the recorded press went by, so it does not
    // open the dial as well.
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
        const std::optional<int> cgButton = cgButtonOf(button);
        if (!cgButton)
            return false;
        if (running_) {
            take(pressesToTake_, button);
            releasesToTake_.push_back(button);
            heard(*cgButton, false);
        } else if (take(pressesToTake_, button)) {
            releasesToTake_.push_back(button);
        } else {
            return false;
        }
        followFilter();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!take(releasesToTake_, static_cast<QMouseEvent*>(event)->button()))
            return false;
        followFilter();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void MouseButtonCapture::followFilter() {
    const bool wanted = running_ || !pressesToTake_.empty() || !releasesToTake_.empty();
    if (wanted == filtering_ || !QCoreApplication::instance())
        return;
    filtering_ = wanted;
    if (wanted)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

} // namespace vellaro
