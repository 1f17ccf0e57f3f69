#include "platform/session/FrameAutosave.h"

#include "platform/session/Defaults.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace vellaro {

namespace {

// A frame counts as on screen when enough of it shows to grab its title bar.
bool onSomeScreen(const QRect& frame) {
    constexpr int visibleSide = 40;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->geometry().intersected(frame);
        if (shared.width() >= visibleSide && shared.height() >= visibleSide)
            return true;
    }
    return false;
}

} // namespace

FrameAutosave::FrameAutosave(Defaults& defaults, QString name)
    : defaults_(defaults), name_(std::move(name)) {}

std::optional<QRect> FrameAutosave::parse(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

QString FrameAutosave::format(const QRect& frame) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height());
}

std::optional<QRect> FrameAutosave::savedFrame() const {
    const std::optional<QRect> frame = parse(defaults_.value(name_).toString());
    if (!frame || !onSomeScreen(*frame))
        return std::nullopt;
    return frame;
}

void FrameAutosave::save(const QRect& frame) {
    if (frame.isEmpty())
        return;
    if (defaults_.value(name_).toString() != format(frame))
        defaults_.setValue(name_, format(frame));
}

} // namespace vellaro
