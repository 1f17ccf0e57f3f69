#pragma once

#include <QRect>
#include <QString>
#include <optional>

namespace vellaro {

class Defaults;

// A window's frame kept in Defaults under the window's name ("x y width
// height" of its client area), so it reopens where the user left it.
class FrameAutosave {
public:
    FrameAutosave(Defaults& defaults, QString name);

    const QString& name() const { return name_; }

    // The saved frame, or none when nothing usable is saved: unreadable,
    // empty, or on no screen that is attached now.
    std::optional<QRect> savedFrame() const;
    void save(const QRect& frame);

    // The text form, exposed for tests; none when `text` is not four
    // integers with a positive size.
    static std::optional<QRect> parse(const QString& text);
    static QString format(const QRect& frame);

private:
    Defaults& defaults_;
    QString name_;
};

} // namespace vellaro
