#include "platform/session/Notifications.h"

namespace vellaro {

Notifications::Notifications(QObject* parent) : QObject(parent) {}

Notifications& Notifications::shared() {
    static Notifications hub;
    return hub;
}

void Notifications::post(const QString& name, QObject* object) {
    Q_EMIT posted(name, object);
}

Notifications::Token Notifications::observe(const QString& name, Callback callback) {
    return observe(name, this, std::move(callback));
}

Notifications::Token Notifications::observe(const QString& name, const QObject* context,
                                            Callback callback) {
    // Qt's own emission rules give the ordering and removal guarantees:
    // slots run in connection order, a slot disconnected during an emission
    // is skipped, and one connected during it waits for the next emission.
    return connect(this, &Notifications::posted, context,
                   [name, callback = std::move(callback)](const QString& posted, QObject* object) {
                       if (posted == name)
                           callback(object);
                   });
}

void Notifications::removeObserver(const Token& token) {
    QObject::disconnect(token);
}

} // namespace vellaro
