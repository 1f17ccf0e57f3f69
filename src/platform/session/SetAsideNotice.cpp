#include "platform/session/SetAsideNotice.h"

#include "platform/session/DesktopNotification.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

namespace vellaro {

namespace {

struct State {
    QMutex mutex;
    QSet<QString> told;
    SetAsideNotice::Poster poster;
};

State& state() {
    static State* shared = new State; // used until the process ends
    return *shared;
}

void postOnMainThread(const QString& summary, const QString& body) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            application, [summary, body] { DesktopNotification::post(summary, body); },
            Qt::QueuedConnection);
    }
}

} // namespace

QString SetAsideNotice::text(const QString& path, const QString& aside) {
    return QStringLiteral(
               "Vellaro could not read %1; it was kept as %2 and the defaults are in use")
        .arg(QFileInfo(path).fileName(), aside);
}

void SetAsideNotice::tell(const QString& path, const QString& aside) {
    Poster poster;
    {
        State& s = state();
        const QMutexLocker lock(&s.mutex);
        if (s.told.contains(path))
            return;
        s.told.insert(path);
        poster = s.poster ? s.poster : Poster(&postOnMainThread);
    }
    poster(QStringLiteral("Vellaro"), text(path, aside));
}

void SetAsideNotice::setPoster(Poster poster) {
    State& s = state();
    const QMutexLocker lock(&s.mutex);
    s.poster = std::move(poster);
    s.told.clear();
}

} // namespace vellaro
