// The apps section's costs: the installed-apps scan of a large catalog (on
// the worker, and what the main thread pays), a picker keystroke over 2,000
// names, the picker's first paint once the list arrives, and the section's
// refresh when the dial opens. Prints figures only.
#include "platform/apps/AppCatalog.h"
#include "providers/apps/AddAppPickerView.h"
#include "providers/apps/AppPickerModel.h"
#include "providers/apps/AppsProvider.h"
#include "providers/apps/InstalledAppsIndex.h"

#include "providers/apps/AppsProviderFixture.h" // tests/

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace vellaro;

constexpr int entryCount = 2000;

// 2,000 entries of about 4 KB, 8 MB in all (60 translations of Name and Comment) in a
// system folder; a tenth are hidden, NoDisplay or masked by the user folder.
class LargeCatalog {
public:
    LargeCatalog() {
        QDir().mkpath(dir.path() + "/user/applications");
        QDir().mkpath(dir.path() + "/system/applications");
        qint64 bytes = 0;
        for (int i = 0; i < entryCount; ++i) {
            QByteArray text = "[Desktop Entry]\nType=Application\nExec=program-" +
                              QByteArray::number(i) +
                              " %U\nIcon=application-x-executable\n"
                              "Name=Program " +
                              QByteArray::number(i) + "\n";
            for (int t = 0; t < 60; ++t) {
                const QByteArray lang = QByteArray(1, char('a' + t % 26)) + char('a' + t / 26);
                text +=
                    "Name[" + lang + "]=Program " + QByteArray::number(i) + " in " + lang + "\n";
                text += "Comment[" + lang + "]=A program that does one thing, in " + lang + "\n";
            }
            if (i % 20 == 0)
                text += "NoDisplay=true\n";
            const QString name = QStringLiteral("/program-%1.desktop").arg(i);
            write(dir.path() + "/system/applications" + name, text);
            bytes += text.size();
            if (i % 20 == 10)
                write(dir.path() + "/user/applications" + name,
                      "[Desktop Entry]\nType=Application\nName=Masked\nHidden=true\n");
        }
        megabytes = double(bytes) / (1 << 20);
    }
    AppCatalog catalog() const {
        return AppCatalog(AppCatalog::Options{
            {dir.path() + "/user", dir.path() + "/system"}, {}, QStringLiteral("de_DE.UTF-8")});
    }

    QTemporaryDir dir;
    double megabytes = 0;

private:
    static void write(const QString& path, const QByteArray& text) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
};

LargeCatalog& largeCatalog() {
    static LargeCatalog catalog;
    return catalog;
}

std::vector<InstalledApp> manyApps() {
    std::vector<InstalledApp> apps;
    for (int i = 0; i < entryCount; ++i)
        apps.push_back({QStringLiteral("program-%1").arg(i), QStringLiteral("Program %1").arg(i),
                        QStringLiteral("/usr/share/applications/program-%1.desktop").arg(i)});
    return apps;
}

// The scan as the worker runs it: walk, parse, filter, sort.
void ScanOnWorker(benchmark::State& state) {
    const AppCatalog catalog = largeCatalog().catalog();
    std::size_t found = 0;
    for (auto _ : state)
        found = InstalledAppsIndex::scanCatalog(catalog).size();
    state.counters["apps"] = double(found);
    state.counters["MB"] = largeCatalog().megabytes;
}

// What the main thread pays for a scan: starting it, and taking the result
// in when it arrives (the wait in between is not counted).
void ScanMainThreadShare(benchmark::State& state) {
    const AppCatalog catalog = largeCatalog().catalog();
    double startMs = 0, deliveryMs = 0;
    for (auto _ : state) {
        InstalledAppsIndex index([catalog] { return InstalledAppsIndex::scanCatalog(catalog); });
        QElapsedTimer timer;
        timer.start();
        bool arrived = false;
        index.apps([&](const std::vector<InstalledApp>&) { arrived = true; });
        startMs += timer.nsecsElapsed() / 1e6;
        state.PauseTiming();
        while (!arrived) {
            // Each pass that delivers is counted; idle passes are cheap.
            timer.restart();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (arrived)
                deliveryMs += timer.nsecsElapsed() / 1e6;
            else
                QThread::usleep(200);
        }
        state.ResumeTiming();
    }
    state.counters["start ms"] = startMs / double(state.iterations());
    state.counters["delivery ms"] = deliveryMs / double(state.iterations());
}

// One keystroke in the picker's search over 2,000 names.
void PickerKeystroke(benchmark::State& state) {
    AppPickerModel model;
    model.setApps(manyApps());
    const QString queries[] = {QStringLiteral("p"), QStringLiteral("pr"),
                               QStringLiteral("program 1"), QStringLiteral("program 19")};
    std::size_t i = 0;
    for (auto _ : state) {
        model.setQuery(queries[i++ % 4]);
        benchmark::DoNotOptimize(model.shownRows().size());
    }
}

// The picker's first frame once the list arrives: rows, icons of the
// visible ones, footer, drawn into an image.
void PickerFirstPaint(benchmark::State& state) {
    const std::vector<InstalledApp> apps = manyApps();
    QImage icon(44, 44, QImage::Format_ARGB32_Premultiplied);
    icon.fill(QColor(90, 120, 200));
    const QIcon shared(QPixmap::fromImage(icon));
    for (auto _ : state) {
        state.PauseTiming();
        AddAppPickerView::Receiver answer;
        AddAppPickerView view(
            {}, [&](AddAppPickerView::Receiver r) { answer = std::move(r); },
            [](const std::vector<InstalledApp>&) {}, [] {},
            [&](const InstalledApp&) { return shared; });
        view.show();
        view.grab();
        state.ResumeTiming();
        answer(apps);
        benchmark::DoNotOptimize(view.grab());
        state.PauseTiming();
        view.hide();
        state.ResumeTiming();
    }
}

// The apps section's refresh as the dial opens, with 50 client windows'
// applications known: it reads what is cached and touches no X server.
void DialOpenRefresh(benchmark::State& state) {
    test::AppsProviderFixture fixture;
    fixture.pinFile({"a", "b", "c", "d", "e", "f", "g"});
    QSet<QString> running;
    for (int i = 0; i < 50; ++i)
        running.insert(QStringLiteral("window-app-%1").arg(i));
    running.insert(QStringLiteral("c"));
    fixture.running.running = running;
    AppsProvider& provider = fixture.make();
    for (auto _ : state)
        provider.refresh();
}

BENCHMARK(ScanOnWorker)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ScanMainThreadShare)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(PickerKeystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(PickerFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(DialOpenRefresh)->Unit(benchmark::kMicrosecond);

} // namespace
