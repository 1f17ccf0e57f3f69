#pragma once

#include "platform/apps/AppLauncher.h"
#include "platform/apps/RunningApps.h"
#include "platform/session/Desktop.h"

#include <QStringList>

namespace vellaro::test {

// Running applications set by the test; records what was asked of them.
class FakeRunningApps final : public RunningApps {
public:
    QSet<QString> runningIds() const override { return running; }
    QString activeApp() const override { return {}; }
    bool activate(const QString& id) override {
        activated << id;
        return running.contains(id);
    }
    void hide(const QString& id) override { hidden << id; }
    void quit(const QString& id) override { quitted << id; }

    void setRunning(QSet<QString> ids) {
        running = std::move(ids);
        Q_EMIT runningChanged();
    }

    QSet<QString> running;
    QStringList activated, hidden, quitted;
};

// Records launches instead of starting programs; fails when told to.
class FakeLauncher final : public AppLauncher {
public:
    bool launch(const DesktopEntry& entry, QString* error) override {
        launched << entry.id;
        if (!failure.isEmpty() && error)
            *error = failure;
        return failure.isEmpty();
    }

    QStringList launched;
    QString failure;
};

class FakeDesktop final : public Desktop {
public:
    void open(const QUrl&) override {}
    void reveal(const QString& path) override { revealed << path; }

    QStringList revealed;
};

} // namespace vellaro::test
