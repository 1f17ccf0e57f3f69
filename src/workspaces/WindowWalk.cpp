#include "workspaces/WindowWalk.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace vellaro {

WindowWalk concurrentWindowWalk(const WindowAccess& access) {
    return
        [&access](const QList<SweepTarget>& targets, std::function<void(QList<LiveWindow>)> done) {
            // One thread: walks share the worker's connection.
            static QThreadPool* pool = [] {
                auto* walks = new QThreadPool;
                walks->setMaxThreadCount(1);
                return walks;
            }();
            QObject* mainThread = QCoreApplication::instance();
            // The future is not kept: the result comes back as a queued call.
            (void)QtConcurrent::run(
                pool, [&access, targets, done = std::move(done), mainThread]() mutable {
                    QList<LiveWindow> windows = access.liveWindows(targets);
                    QMetaObject::invokeMethod(
                        mainThread,
                        [done = std::move(done), windows = std::move(windows)]() mutable {
                            done(std::move(windows));
                        },
                        Qt::QueuedConnection);
                });
        };
}

} // namespace vellaro
