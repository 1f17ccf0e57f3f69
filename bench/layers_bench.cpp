// Frame cost of a dial-sized layer scene: 7 wedges and 8 fan items with soft
// shadows, labels and icons, and a core disc, drawn into an image at 1x and
// 2x. Prints figures only.
#include "platform/layers/ImageLayer.h"
#include "platform/layers/LayerRenderer.h"
#include "platform/layers/LayerTree.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/TextLayer.h"
#include "platform/layers/Transaction.h"
#include "platform/time/Scheduler.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <cmath>
#include <map>
#include <numbers>

namespace {

using vellaro::Layer;
using vellaro::Scheduler;

class StepClock final : public Scheduler {
public:
    TimePoint now() const override { return now_; }
    TaskId schedule(Duration, std::function<void()>) override { return 0; }
    void cancel(TaskId) override {}
    void advance(Duration by) { now_ += by; }

private:
    TimePoint now_{};
};

constexpr double kSize = 480;

QPointF polar(double radius, double angle) {
    return QPointF(kSize / 2 + radius * std::sin(angle), kSize / 2 - radius * std::cos(angle));
}

QPainterPath sector(double inner, double outer, double from, double to) {
    QPainterPath path;
    path.moveTo(polar(inner, from));
    const int steps = 24;
    for (int i = 0; i <= steps; ++i)
        path.lineTo(polar(outer, from + (to - from) * i / steps));
    for (int i = steps; i >= 0; --i)
        path.lineTo(polar(inner, from + (to - from) * i / steps));
    path.closeSubpath();
    return path;
}

QImage icon(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 40, 50));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, pixels - 4, pixels - 4), pixels / 5.0, pixels / 5.0);
    return image;
}

struct Scene {
    StepClock clock;
    vellaro::LayerTree tree{clock};
    std::shared_ptr<Layer> wedges = std::make_shared<Layer>();
    std::vector<std::shared_ptr<vellaro::ShapeLayer>> wedgeShapes;

    explicit Scene(double ratio) {
        auto t = vellaro::Transaction::withoutAnimation();
        tree.root()->setBounds(QRectF(0, 0, kSize, kSize));
        auto fan = std::make_shared<Layer>();
        for (const auto& container : {fan, wedges}) {
            container->setFrame(QRectF(0, 0, kSize, kSize));
            tree.root()->addSublayer(container);
        }
        QFont font;
        font.setPointSizeF(12);
        const QImage glyph = icon(int(22 * ratio));
        const auto addItem = [&](Layer& parent, const QPainterPath& path, QPointF centre,
                                 const QString& title) {
            auto shape = std::make_shared<vellaro::ShapeLayer>();
            shape->setFrame(QRectF(0, 0, kSize, kSize));
            shape->setPath(path);
            shape->setFillColor(QColor(245, 245, 250, 184));
            shape->setStrokeColor(QColor(0, 0, 0, 30));
            shape->setShadowOpacity(1);
            shape->setShadowColor(QColor(0, 0, 0, 60));
            shape->setShadowRadius(11);
            shape->setShadowOffset({0, 5});
            parent.addSublayer(shape);
            auto image = std::make_shared<vellaro::ImageLayer>();
            image->setImage(glyph);
            image->setBounds(QRectF(0, 0, 22, 22));
            image->setPosition(centre - QPointF(0, 12));
            parent.addSublayer(image);
            auto label = std::make_shared<vellaro::TextLayer>();
            label->setFrame(QRectF(centre.x() - 44, centre.y() + 6, 88, 17));
            label->setText(title);
            label->setFont(font);
            label->setAlignment(Qt::AlignHCenter);
            label->setTruncationMode(Qt::ElideRight);
            label->setForegroundColor(QColor(30, 30, 35));
            parent.addSublayer(label);
            return shape;
        };
        const double pi = std::numbers::pi;
        for (int i = 0; i < 7; ++i) {
            const double mid = 2 * pi / 7 * i, half = pi / 7 - 0.03;
            wedgeShapes.push_back(addItem(*wedges, sector(51, 130, mid - half, mid + half),
                                          polar(90, mid), QStringLiteral("Section %1").arg(i)));
        }
        for (int i = 0; i < 8; ++i) {
            const double mid = 0.48 * (i - 3.5), half = 0.23;
            addItem(*fan, sector(144, 217, mid - half, mid + half), polar(180, mid),
                    QStringLiteral("Item %1").arg(i));
        }
        auto core = std::make_shared<vellaro::ShapeLayer>();
        core->setFrame(QRectF(0, 0, kSize, kSize));
        QPainterPath disc;
        disc.addEllipse(QPointF(kSize / 2, kSize / 2), 45, 45);
        core->setPath(disc);
        core->setFillColor(QColor(250, 250, 252, 200));
        core->setShadowOpacity(1);
        core->setShadowRadius(10);
        core->setShadowOffset({0, 4});
        tree.root()->addSublayer(core);
    }
};

// A scene with its renderer and target, drawn once so the caches are warm.
struct Rig {
    explicit Rig(double ratio)
        : scene(ratio),
          image(QSize(kSize * ratio, kSize * ratio), QImage::Format_ARGB32_Premultiplied) {
        image.setDevicePixelRatio(ratio);
        draw();
    }

    void draw() {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(painter, *scene.tree.root(), scene.clock.now());
    }

    Scene scene;
    vellaro::LayerRenderer renderer;
    QImage image;
};

// A settled frame: every shadow and label comes from the caches.
void BM_StaticFrame(benchmark::State& state) {
    Rig rig(state.range(0));
    for (auto _ : state)
        rig.draw();
}
BENCHMARK(BM_StaticFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The first frame of a new scene, caches cold: building, rasterising, blurring.
void BM_FirstFrame(benchmark::State& state) {
    for (auto _ : state)
        Rig rig(state.range(0));
}
BENCHMARK(BM_FirstFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A frame of the bloom: the ring fading (offscreen group) and scaling.
void BM_BloomFrame(benchmark::State& state) {
    Rig rig(state.range(0));
    const vellaro::TimingFunction overshoot(0.3, 1.16, 0.35, 1.0);
    for (auto _ : state) {
        state.PauseTiming();
        rig.scene.wedges->addAnimation(
            "bloom-fade", {vellaro::LayerProperty::Opacity, 0.0, std::nullopt, 0.22, overshoot});
        rig.scene.wedges->addAnimation("bloom-scale", {vellaro::LayerProperty::Transform,
                                                       QTransform::fromScale(0.9, 0.9),
                                                       std::nullopt, 0.22, overshoot});
        rig.scene.clock.advance(std::chrono::milliseconds(60));
        state.ResumeTiming();
        rig.draw();
    }
}
BENCHMARK(BM_BloomFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A frame of a hover change: two wedges change shadow radius and colours,
// so their shadows are blurred and their shapes tinted again.
void BM_HoverFrame(benchmark::State& state) {
    Rig rig(state.range(0));
    double radius = 11;
    for (auto _ : state) {
        state.PauseTiming();
        radius = radius >= 13 ? 11 : radius + 0.25;
        {
            auto t = vellaro::Transaction::withoutAnimation();
            rig.scene.wedgeShapes[1]->setShadowRadius(radius);
            rig.scene.wedgeShapes[2]->setShadowRadius(24 - radius);
            rig.scene.wedgeShapes[1]->setFillColor(QColor(80, 120, 240, int(radius * 10)));
        }
        state.ResumeTiming();
        rig.draw();
    }
}
BENCHMARK(BM_HoverFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
