#pragma once

#include <QObject>
#include <QSet>
#include <QString>

namespace vellaro {

// The applications that have windows, by application ID (AppIdentity), and
// the one whose window is active. Reads answer from what is already known
// and never wait on the window system. Main thread.
class RunningApps : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The IDs of the applications with at least one client window.
    virtual QSet<QString> runningIds() const = 0;
    bool isRunning(const QString& id) const { return runningIds().contains(id); }

    // The application whose window was active last: a moment without an
    // active window (focus moving, the desktop clicked) keeps it. Empty until
    // one is known.
    virtual QString activeApp() const = 0;

    // Brings the application's topmost window forward; false when it has no
    // window.
    virtual bool activate(const QString& id) = 0;
    // Iconifies each of its windows.
    virtual void hide(const QString& id) = 0;
    // Asks each of its windows that accepts it to close; never forces.
    virtual void quit(const QString& id) = 0;

Q_SIGNALS:
    // The set of running applications changed.
    void runningChanged();
    // Another application's window became active; `previous` is the one
    // that was active before (empty at first).
    void activeAppChanged(const QString& previous, const QString& current);
};

} // namespace vellaro
