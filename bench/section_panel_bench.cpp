// The section panel: a keystroke in the apps search over 2,000 installed
// apps, the "All Apps" menu of 500 apps coming on screen, and selecting a
// section, each with its repaint, on the tests' panel fixture.
#include "settings/panes/SectionPanelFixture.h"

#include "settings/kit/NameField.h"
#include "settings/panes/AppSearchBox.h"
#include "settings/panes/AppsPane.h"

#include <QMenu>
#include <benchmark/benchmark.h>

using namespace vellaro;

namespace {

void openApps(test::SectionPanelFixture& f, int installed) {
    f.openOn(SectionKind::apps, [&] {
        for (int i = 0; i < installed; ++i)
            f.apps->installed.push_back(
                {QStringLiteral("app%1").arg(i),
                 QStringLiteral("Application %1").arg(i, 4, 10, QLatin1Char('0')),
                 QStringLiteral("/apps/%1.desktop").arg(i)});
        for (int i = 0; i < 5; ++i)
            f.apps->pins.push_back(
                {QStringLiteral("app%1").arg(i * 7), QStringLiteral("Pin %1").arg(i), {}, false});
    });
    f.root.resize(900, 620);
    f.settle();
}

void appsSearchKeystroke(benchmark::State& state) {
    test::SectionPanelFixture f;
    openApps(f, 2000);
    NameField& field = f.section().appsPane()->searchBox()->field();
    // Matches in the middle of the list and at its end, in turn.
    const QString queries[] = {QStringLiteral("tion 1"), QStringLiteral("tion 19")};
    int i = 0;
    for (auto _ : state) {
        field.setText(queries[i++ % 2]);
        f.panel->repaint();
    }
}
BENCHMARK(appsSearchKeystroke)->Unit(benchmark::kMillisecond);

void allAppsMenu(benchmark::State& state) {
    test::SectionPanelFixture f;
    openApps(f, 500);
    AppsPane& pane = *f.section().appsPane();
    for (auto _ : state) {
        pane.showAllAppsMenu();
        QMenu* menu = pane.allAppsMenu();
        QCoreApplication::processEvents();
        menu->repaint();
        state.PauseTiming();
        menu->close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(allAppsMenu)->Unit(benchmark::kMillisecond);

void selectSection(benchmark::State& state) {
    test::SectionPanelFixture f;
    openApps(f, 200);
    const SectionKind kinds[] = {SectionKind::clipboard, SectionKind::apps, SectionKind::actions,
                                 SectionKind::workspaces};
    int i = 0;
    for (auto _ : state) {
        f.select(kinds[i++ % 4]);
        f.panel->repaint();
    }
}
BENCHMARK(selectSection)->Unit(benchmark::kMillisecond);

} // namespace
