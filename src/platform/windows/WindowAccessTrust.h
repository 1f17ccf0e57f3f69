#pragma once

#include <QObject>

namespace vellaro {

// Whether the program may read and move other applications' windows: the
// stand-in for the Accessibility grant.
class WindowAccessTrust : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~WindowAccessTrust() override = default;

    virtual bool isTrusted() = 0;

Q_SIGNALS:
    // The answer of isTrusted() changed (a window manager came or went).
    void changed();
};

} // namespace vellaro
