// The settings console's context panel: a slider step from the pointer to
// the saved file and the redrawn panel, a switch between its two bodies,
// and one keystroke in the library's search field.
#include "settings/panel/ContextPanelFixture.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace vellaro;

namespace {

// The panel as the console shows it: a 620-point column.
void openAtWindowSize(test::ContextPanelFixture& f) {
    f.open();
    f.root.resize(900, 620);
    QCoreApplication::processEvents();
}

void sliderStep(benchmark::State& state) {
    test::ContextPanelFixture f;
    openAtWindowSize(f);
    f.wide().advanced().setOpen(true);
    QCoreApplication::processEvents();
    VelSliderRow& slider = f.wide().hoverIntent();
    const QRectF track = slider.sliderRect();
    f.mouse(slider, QEvent::MouseButtonPress, track.center());
    bool left = false;
    for (auto _ : state) {
        // Alternates between two places a few steps apart: each move saves.
        left = !left;
        const double x = left ? track.left() + track.width() * 0.25 : track.center().x();
        f.mouse(slider, QEvent::MouseMove, QPointF(x, track.center().y()));
        f.panel->repaint();
    }
    f.mouse(slider, QEvent::MouseButtonRelease, track.center());
}
BENCHMARK(sliderStep)->Unit(benchmark::kMillisecond);

void switchBodies(benchmark::State& state) {
    test::ContextPanelFixture f;
    openAtWindowSize(f);
    bool section = false;
    for (auto _ : state) {
        section = !section;
        f.host.setSelection(section ? std::optional(SectionKind::apps) : std::nullopt);
        f.panel->selectionChanged();
        f.panel->repaint();
    }
}
BENCHMARK(switchBodies)->Unit(benchmark::kMillisecond);

void libraryKeystroke(benchmark::State& state) {
    test::ContextPanelFixture f;
    openAtWindowSize(f);
    QLineEdit& edit = f.wide().library().searchField().edit();
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        edit.setText(typed ? QStringLiteral("w") : QString());
        f.panel->repaint();
    }
}
BENCHMARK(libraryKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
