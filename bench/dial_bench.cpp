// The dial's hot paths: a pointer move that changes nothing, a hover change
// with its frame, building the layers with the first frame, and the backdrop
// drawn without a compositor (its blur and its part of a frame), each at
// device pixel ratios 1 and 2. Frames are drawn as the window draws them:
// into one backing image that is cleared and reused, not a new image each
// time. Prints figures only.

#include "DialFixture.h"
#include "overlay/MaterialBackdrop.h"
#include "platform/layers/LayerHostWidget.h"
#include "platform/layers/ShapeCoverageCache.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
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

// The window's backing image and the frames drawn into it.
class Frames {
public:
    Frames(vellaro::RadialMenuView& view, double ratio)
        : host_(*view.findChild<vellaro::LayerHostWidget*>()) {
        view.renderImage(ratio); // icons at this ratio
        backing_ =
            QImage((QSizeF(view.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        backing_.setDevicePixelRatio(ratio);
    }

    // The first time the dial shows: no shape or shadow drawn before.
    void forgetShapes() {
        vellaro::ShapeCoverageCache::shared().clear();
        host_.renderer().shadowCache().clear();
    }

    // As the host's paint: ended animations are dropped after the frame.
    const QImage& draw(vellaro::Scheduler::TimePoint now) {
        backing_.fill(Qt::transparent);
        {
            QPainter painter(&backing_);
            host_.renderer().render(painter, *host_.rootLayer(), now);
        }
        host_.tree().settleAnimations(now);
        return backing_;
    }

private:
    vellaro::LayerHostWidget& host_;
    QImage backing_;
};

// A dial opened and past its bloom, with the window's frames at `ratio`.
struct OpenDial {
    static vellaro::RadialMenuView& opened(DialFixture& f) {
        f.view->send(MenuEvent::open());
        f.scheduler.advance(std::chrono::seconds(1));
        return *f.view;
    }
    explicit OpenDial(double ratio) : frames(opened(f), ratio) {}

    DialFixture f{1.0};
    vellaro::RadialMenuView& view = *f.view;
    Frames frames;
};

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

// Kept out of line so that a profiler can single out the timed part.
[[gnu::noinline]] void hoverWithFrame(DialFixture& f, Frames& frames, int section) {
    movePointer(*f.view, wedgePoint(*f.view, section));
    // The frame that shows the new highlight once its transition is over.
    f.scheduler.advance(std::chrono::milliseconds(200));
    benchmark::DoNotOptimize(frames.draw(f.scheduler.now()));
    benchmark::ClobberMemory(); // and no tail call, so its end can be seen
}

// A hover change with its frame. Warm, the pointer goes round the ring and
// every look has been drawn before. Cold, each change is the first since the
// dial was shown: the caches start empty and the dial is drawn at rest (not
// timed) before the pointer enters a section.
void HoverChangeWithFrame(benchmark::State& state) {
    const bool cold = state.range(1) != 0;
    OpenDial dial(double(state.range(0)));
    auto& [f, view, frames] = dial;
    int section = 0;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            movePointer(view, view.center());
            f.scheduler.advance(std::chrono::seconds(1));
            frames.forgetShapes();
            frames.draw(f.scheduler.now());
            state.ResumeTiming();
        }
        section = (section + 1) % 6;
        hoverWithFrame(f, frames, section);
    }
    const vellaro::MenuState& now = view.state();
    if (now.rootHover() != section && now.submenuSection() != section)
        state.SkipWithError("the pointer did not highlight the section");
}

void BuildLayersAndFirstFrame(benchmark::State& state) {
    const bool cold = state.range(1) != 0;
    OpenDial dial(double(state.range(0)));
    auto& [f, view, frames] = dial;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            frames.forgetShapes();
            state.ResumeTiming();
        }
        view.rebuildLayers();
        benchmark::DoNotOptimize(frames.draw(f.scheduler.now()));
    }
}

// What renderImage() costs on top of a frame: a new image each time.
void RenderImage(benchmark::State& state) {
    const double ratio = double(state.range(0));
    OpenDial dial(ratio);
    for (auto _ : state)
        benchmark::DoNotOptimize(dial.view.renderImage(ratio));
}

// A busy picture of the screen under the dial, `side` pixels square.
QImage busyScreen(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < side; ++x)
            line[x] = qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255);
    }
    return image;
}

// Taking the screen's picture in: its conversion and blur.
void BackdropBlur(benchmark::State& state) {
    const QImage screen = busyScreen(int(vellaro::RadialMenuView::baseSide * state.range(0)));
    vellaro::test::ManualScheduler scheduler;
    vellaro::MaterialBackdrop backdrop(vellaro::MaterialBackdrop::Mode::screenSnapshot, scheduler);
    for (auto _ : state) {
        backdrop.setSnapshot(screen);
        benchmark::DoNotOptimize(backdrop.hasSnapshot());
    }
}

// The backdrop's part of a frame: the picture around the dial and its
// blurred copy inside the dial's shapes, drawn into the window's image.
void BackdropFrame(benchmark::State& state) {
    const double ratio = double(state.range(0));
    OpenDial dial(ratio);
    const QSize size = dial.view.size();
    vellaro::MaterialBackdrop backdrop(vellaro::MaterialBackdrop::Mode::screenSnapshot,
                                       dial.f.scheduler);
    backdrop.setSnapshot(busyScreen(int(size.width() * ratio)));
    QImage backing((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    backing.setDevicePixelRatio(ratio);
    const QPainterPath shapes = dial.view.scene().materialShapes();
    for (auto _ : state) {
        QPainter painter(&backing);
        painter.setRenderHint(QPainter::Antialiasing);
        backdrop.paint(painter, size, shapes, true);
        painter.end();
        benchmark::DoNotOptimize(backing.constBits());
    }
}

// Pixel ratio, and whether the caches start cold.
void ratiosWarmAndCold(benchmark::internal::Benchmark* b) {
    b->ArgNames({"ratio", "cold"});
    for (int cold : {0, 1})
        for (int ratio : {1, 2})
            b->Args({ratio, cold});
}

BENCHMARK(PointerMoveWithoutChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(HoverChangeWithFrame)->Apply(ratiosWarmAndCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildLayersAndFirstFrame)->Apply(ratiosWarmAndCold)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderImage)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BackdropBlur)->ArgName("ratio")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BackdropFrame)->ArgName("ratio")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
