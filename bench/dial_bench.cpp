// The dial's hot paths: a pointer move that changes nothing, a hover change
// with its frame, and building the layers with the first frame, each at
// device pixel ratios 1 and 2.

#include "DialFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using vellaro::MenuEvent;
using vellaro::Point;
using vellaro::RadialHit;
using vellaro::RadialLayout;
using vellaro::test::DialFixture;

QPointF wedgePoint(const vellaro::RadialMenuView& view, int section, double along = 0) {
    const auto& l = view.layout();
    const Point c{view.center().x(), view.center().y()};
    const Point p =
        RadialLayout::point(l.sectionAngle(section) + along, (l.ringInner + l.ringOuter) / 2, c);
    return {p.x, p.y};
}

void movePointer(vellaro::RadialMenuView& view, QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
}

void PointerMoveWithoutChange(benchmark::State& state) {
    DialFixture f(1.0);
    auto& view = *f.view;
    view.send(MenuEvent::open());
    movePointer(view, wedgePoint(view, 2));
    bool flip = false;
    for (auto _ : state) {
        movePointer(view, wedgePoint(view, 2, flip ? 0.1 : -0.1));
        flip = !flip;
    }
    if (view.state() != vellaro::MenuState::root(2))
        state.SkipWithError("the pointer left the wedge");
}

void HoverChangeWithFrame(benchmark::State& state) {
    const double ratio = double(state.range(0));
    DialFixture f(1.0);
    auto& view = *f.view;
    view.send(MenuEvent::open());
    f.scheduler.advance(std::chrono::seconds(1)); // past the bloom
    view.renderImage(ratio);                      // icons at this ratio
    int section = 0;
    for (auto _ : state) {
        section = (section + 1) % 6;
        movePointer(view, wedgePoint(view, section));
        // The frame that shows the new highlight once its transition is over.
        f.scheduler.advance(std::chrono::milliseconds(200));
        benchmark::DoNotOptimize(view.renderImage(ratio));
    }
}

void BuildLayersAndFirstFrame(benchmark::State& state) {
    const double ratio = double(state.range(0));
    DialFixture f(1.0);
    auto& view = *f.view;
    view.send(MenuEvent::open());
    f.scheduler.advance(std::chrono::seconds(1));
    view.renderImage(ratio);
    for (auto _ : state) {
        view.rebuildLayers();
        benchmark::DoNotOptimize(view.renderImage(ratio));
    }
}

BENCHMARK(PointerMoveWithoutChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(HoverChangeWithFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildLayersAndFirstFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
