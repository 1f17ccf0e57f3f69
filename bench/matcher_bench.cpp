// The window matcher on a busy desktop: 200 recorded and 200 open windows of
// 20 programs, decided by each pass in turn, and the title normalisation.
#include "core/WindowMatcher.h"

#include <benchmark/benchmark.h>

namespace {

using vellaro::CapturedWindow;
using vellaro::WindowMatcher;

constexpr int windowCount = 200;
constexpr int programCount = 20;

QString program(int i) {
    return QStringLiteral("org.example.Program%1").arg(i % programCount);
}

QString title(int i) {
    return QStringLiteral("Project report %1 — Quarterly figures, draft").arg(i);
}

QRectF frame(int i, double shift) {
    return QRectF(40 * (i % 30) + shift, 25 * (i / 30) + shift, 800, 600);
}

std::vector<CapturedWindow> captured() {
    std::vector<CapturedWindow> windows;
    for (int i = 0; i < windowCount; ++i)
        windows.push_back({program(i), title(i), frame(i, 0)});
    return windows;
}

// `retitle` turns a recorded title into the live one.
template <typename Retitle>
std::vector<CapturedWindow> live(Retitle retitle, double shift) {
    std::vector<CapturedWindow> windows;
    // Opened in another order than recorded.
    for (int n = 0; n < windowCount; ++n) {
        const int i = (n * 7) % windowCount;
        windows.push_back({program(i), retitle(i), frame(i, shift)});
    }
    return windows;
}

void runMatch(benchmark::State& state, const std::vector<CapturedWindow>& open) {
    const auto recorded = captured();
    std::size_t matched = 0;
    for (auto _ : state) {
        const auto report = WindowMatcher::match(recorded, open, true);
        matched = report.matches.size();
        benchmark::DoNotOptimize(matched);
    }
    state.counters["matched"] = double(matched);
}

void MatchExactTitles(benchmark::State& state) {
    runMatch(state, live(title, 12));
}

// Half carry an "edited" marker and a size suffix (normalised pass), half a
// longer title (prefix pass).
void MatchRetitled(benchmark::State& state) {
    runMatch(state, live(
                        [](int i) {
                            return i % 2
                                       ? title(i).toUpper() + QStringLiteral(" - Edited — 800×600")
                                       : title(i) + QStringLiteral(" (saved)");
                        },
                        12));
}

// Nothing in common but the program: every window reaches the residual pass.
void MatchResidual(benchmark::State& state) {
    runMatch(state, live([](int i) { return QStringLiteral("Window %1").arg(i * 31); }, 5000));
}

void Normalize1000Titles(benchmark::State& state) {
    QStringList titles;
    for (int i = 0; i < 1000; ++i) {
        QString text = title(i);
        if (i % 3 == 0)
            text += QStringLiteral(" — Edited");
        if (i % 4 == 0)
            text += QStringLiteral(" - 1440×900");
        if (i % 5 == 0)
            text = QStringLiteral("  Ünïcödé\u00a0\u00a0") + text;
        titles << text;
    }
    for (auto _ : state) {
        for (const QString& text : titles)
            benchmark::DoNotOptimize(WindowMatcher::normalize(text));
    }
}

} // namespace

BENCHMARK(MatchExactTitles)->Unit(benchmark::kMillisecond);
BENCHMARK(MatchRetitled)->Unit(benchmark::kMillisecond);
BENCHMARK(MatchResidual)->Unit(benchmark::kMillisecond);
BENCHMARK(Normalize1000Titles)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
