#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <functional>

namespace vellaro {

// The app-wide hub of named notifications ("vellaroSettingsDidChange",
// "vellaroOverlayDidShow", ...). Observers are called in the order they were
// added; one removed during a post is not called afterwards, one added during
// a post hears the next one on. Main thread.
class Notifications : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(QObject* object)>;
    // Disconnect it (removeObserver) to stop observing.
    using Token = QMetaObject::Connection;

    explicit Notifications(QObject* parent = nullptr);

    static Notifications& shared();

    void post(const QString& name, QObject* object = nullptr);

    // Calls `callback` for every post of `name`.
    Token observe(const QString& name, Callback callback);
    // The same, ending by itself when `context` is destroyed.
    Token observe(const QString& name, const QObject* context, Callback callback);
    static void removeObserver(const Token& token);

Q_SIGNALS:
    void posted(const QString& name, QObject* object);
};

} // namespace vellaro
