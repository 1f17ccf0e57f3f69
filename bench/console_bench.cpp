// The settings console's hot paths, each with the window frame it causes:
// the first show of the console, a settings change while it shows, and one
// step of a library drag over the preview. Frames are drawn as the window
// draws them, into one backing image that is reused. Prints figures only.

#include "settings/console/ConsoleWindowFixture.h"

#include "settings/kit/FloatingLabel.h"
#include "settings/presets/PresetBarView.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

using vellaro::SectionKind;
using vellaro::test::ConsoleWindowFixture;

// The window's backing image.
class Frame {
public:
    explicit Frame(QWidget& window)
        : window_(window), backing_(window.size(), QImage::Format_ARGB32_Premultiplied) {}
    // The whole window, or only the part a step changed.
    void draw(const QRegion& changed = {}) {
        backing_.fill(Qt::transparent);
        window_.render(&backing_, QPoint(), changed);
    }

private:
    QWidget& window_;
    QImage backing_;
};

void FirstShowToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto fixture = std::make_unique<ConsoleWindowFixture>();
        state.ResumeTiming();
        fixture->open();
        Frame(*fixture->controller->window()).draw();
        state.PauseTiming();
        fixture.reset();
        state.ResumeTiming();
    }
}

void SettingsChangeToFrame(benchmark::State& state) {
    ConsoleWindowFixture f;
    f.open();
    Frame frame(*f.controller->window());
    frame.draw();
    bool dark = false;
    for (auto _ : state) {
        dark = !dark;
        f.settings.setTheme(dark ? vellaro::ThemeChoice::eclipse : vellaro::ThemeChoice::pearl);
        frame.draw();
    }
}

void LibraryDragStepWithFrame(benchmark::State& state) {
    ConsoleWindowFixture f;
    f.open();
    Frame frame(*f.controller->window());
    const vellaro::RadialLayout& l = f.dial().layout();
    const double middle = (l.ringInner + l.ringOuter) / 2;
    const QPointF points[] = {
        f.inConsole(f.dialPoint((l.sectionAngle(0) + l.sectionAngle(1)) / 2, middle)),
        f.inConsole(f.dialPoint((l.sectionAngle(2) + l.sectionAngle(3)) / 2, middle))};
    frame.draw();
    int step = 0;
    // A step repaints the dial and the chip where it was and where it is.
    const QRect dial(f.dial().mapTo(f.controller->window(), QPoint()), f.dial().size());
    for (auto _ : state) {
        const QRect before = f.root().dragChip().geometry();
        f.root().handleLibraryDrag(SectionKind::sound, points[step++ % 2]);
        frame.draw(QRegion(dial) + before + f.root().dragChip().geometry());
    }
    f.root().handleLibraryDrop(SectionKind::sound);
}

// The preset bar's own share of a settings change, with the three
// built-ins and 30 presets of the user: a new arrangement restyles the chips,
// a renamed preset rebuilds them. Each with the bar's frame; the store's save
// and the preview are left out.
void PresetBarRefresh(benchmark::State& state) {
    const bool rename = state.range(0) == 1;
    ConsoleWindowFixture f;
    std::vector<vellaro::DialPreset> presets;
    for (int i = 0; i < 30; ++i)
        presets.push_back(vellaro::DialPreset::make(QStringLiteral("Preset %1").arg(i),
                                                    {SectionKind::apps, SectionKind::sound}));
    f.open();
    auto& bar = *f.root().findChild<vellaro::PresetBarView*>();
    bar.setValues(f.model().currentSections(), presets);
    Frame frame(bar);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        std::vector<vellaro::DialPreset> next = presets;
        std::vector current{SectionKind::files, SectionKind::sound};
        if (rename)
            next[0].name = flip ? QStringLiteral("Renamed") : QStringLiteral("Preset 0");
        else if (flip)
            current = {SectionKind::apps, SectionKind::sound};
        bar.setValues(current, next);
        frame.draw();
    }
}

BENCHMARK(FirstShowToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(SettingsChangeToFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(LibraryDragStepWithFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(PresetBarRefresh)->Unit(benchmark::kMillisecond)->ArgName("rename")->Arg(0)->Arg(1);

} // namespace
