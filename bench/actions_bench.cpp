// The actions section: Empty Trash on its worker while the main thread keeps
// turning, and the refresh the section gets each time the dial opens.
// Prints figures; asserts nothing.
#include "FakeActionServices.h"
#include "model/SettingsStore.h"
#include "platform/session/Notifications.h"
#include "platform/session/SystemActions/TrashEmptier.h"
#include "providers/actions/ActionsProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

using namespace vellaro;

void fillTrash(const QString& trash, int folders, int filesPerFolder) {
    for (int f = 0; f < folders; ++f) {
        const QString folder = QStringLiteral("%1/files/folder-%2/inner").arg(trash).arg(f);
        QDir().mkpath(folder);
        for (int i = 0; i < filesPerFolder; ++i) {
            QFile file(QStringLiteral("%1/file-%2.txt").arg(folder).arg(i));
            file.open(QIODevice::WriteOnly);
            file.write("trashed");
        }
        QFile info(QStringLiteral("%1/info/folder-%2.trashinfo").arg(trash).arg(f));
        QDir().mkpath(trash + QStringLiteral("/info"));
        info.open(QIODevice::WriteOnly);
        info.write("[Trash Info]\nPath=/somewhere\nDeletionDate=2024-05-01T14:03:22\n");
    }
}

void benchEmptyTrash() {
    QTemporaryDir root;
    const QString trash = root.filePath(QStringLiteral("Trash"));
    fillTrash(trash, 2000, 10);

    TrashEmptier emptier([&] { return QStringList{trash}; });
    QElapsedTimer clock;
    qint64 lastTurn = 0;
    qint64 longestStall = 0;
    // A zero timer fires on every turn of the main loop: the gaps are its stalls.
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestStall = std::max(longestStall, now - lastTurn);
        lastTurn = now;
    });
    qint64 workerTime = 0;
    TrashEmptier::Result result;
    clock.start();
    turn.start(0);
    emptier.empty([&](TrashEmptier::Result done) {
        workerTime = clock.nsecsElapsed();
        result = done;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    std::printf("Empty Trash, 20000 files in 2000 folders: %.1f ms on the worker, %lld removed, "
                "%lld failed; longest main-thread stall %.3f ms\n",
                double(workerTime) / 1e6, static_cast<long long>(result.removed),
                static_cast<long long>(result.failed), double(longestStall) / 1e6);
}

void benchRefresh() {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore store(folder.path(), notifications);
    test::FakeAuthorization authorization;
    test::FakeInputMute input;
    test::FakeKeepAwake keepAwake;
    ActionsProvider provider(store, authorization, input, keepAwake, {});
    constexpr int rounds = 100000;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rounds; ++i) {
        input.state = (i % 2) == 0;
        provider.refresh();
    }
    const double refresh = double(clock.nsecsElapsed()) / rounds / 1e3;
    clock.restart();
    constexpr int itemRounds = 10000;
    std::size_t count = 0;
    for (int i = 0; i < itemRounds; ++i)
        count += provider.items().size();
    const double items = double(clock.nsecsElapsed()) / itemRounds / 1e3;
    std::printf("Actions section: refresh %.3f us per dial opening (state flipping each time); "
                "items %.2f us for %zu items\n",
                refresh, items, count / itemRounds);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchEmptyTrash();
    benchRefresh();
    return 0;
}
