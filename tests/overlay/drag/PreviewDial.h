#pragma once

// The console's preview dial on real settings in a temporary folder, with the
// console's hooks recorded, driven by mouse events at points of its layout.

#include "EditableSections.h"
#include "overlay/DialFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>

namespace vellaro::test {

struct Edit {
    QString message;
    std::function<void()> undo;
};

class PreviewDial : public DialServices {
public:
    static constexpr double scale = 0.8; // the console's standard size
    static constexpr int side = 384;

    // In the console's preview unless a `host` window carries an overlay dial.
    explicit PreviewDial(const std::vector<SectionKind>& sections = {}, QWidget* host = nullptr) {
        if (!sections.empty())
            settings.setCustomSections(sections);
        providers_ = std::make_shared<std::map<SectionKind, SectionProvider*>>();
        auto providers = providers_;
        dataSource =
            std::make_unique<MenuDataSource>(settings, trust, [providers](SectionKind kind) {
                std::unique_ptr<SectionProvider> provider;
                if (kind == SectionKind::apps)
                    provider = std::make_unique<SavedEntriesProvider>(
                        QStringList{"Mail", "Maps", "Music"}, QStringLiteral("Add App"));
                else if (kind == SectionKind::workspaces)
                    provider = std::make_unique<SavedEntriesProvider>(
                        QStringList{"Desk", "Couch", "Train", "Cafe", "Lab", "Library", "Home",
                                    "Attic"},
                        QString());
                else {
                    auto sample = std::make_unique<SampleProvider>();
                    sample->list = sampleItems(4, sectionTitle(kind));
                    provider = std::move(sample);
                }
                (*providers)[kind] = provider.get();
                return provider;
            });
        view = std::make_unique<RadialMenuView>(
            QSize(side, side), scale, host == nullptr,
            RadialMenuView::Services{settings, *dataSource, scheduler, appearance, nullptr, false},
            host);
        // The console never lets its preview close.
        view->onDismiss = [this] {
            if (view->previewMode())
                view->send(MenuEvent::open());
        };
        view->onPreviewTap = [this](std::optional<SectionKind> kind) { taps.push_back(kind); };
        view->onArrangementEdit = [this](const QString& message, std::function<void()> undo) {
            edits.push_back({message, std::move(undo)});
        };
        view->onFirstDrag = [this] { ++firstDrags; };
        if (!host)
            view->show();
        view->send(MenuEvent::open());
        settingsChanges = 0;
        settings.addObserver([this] { ++settingsChanges; });
    }

    SavedEntriesProvider& saved(SectionKind kind) {
        return static_cast<SavedEntriesProvider&>(*providers_->at(kind));
    }

    // Points of the dial, from its own layout.
    Point center() const { return {view->center().x(), view->center().y()}; }
    double ringMiddle() const { return (view->layout().ringInner + view->layout().ringOuter) / 2; }
    QPointF polar(double angle, double radius) const {
        const Point p = RadialLayout::point(angle, radius, center());
        return {p.x, p.y};
    }
    QPointF wedge(int section, double along = 0) const {
        return polar(view->layout().sectionAngle(section) + along, ringMiddle());
    }
    QPointF item(int index) const {
        const auto section = *view->state().submenuSection();
        const auto count = std::max<std::int64_t>(view->currentFanItems().size(), 1);
        const Point p =
            view->layout().fanItemCenter(section, index, count, view->fanOffset(), center());
        return {p.x, p.y};
    }

    void press(QPointF p, Qt::MouseButton button = Qt::LeftButton) {
        pressed_ = button;
        send(QEvent::MouseButtonPress, p, button, button);
    }
    void moveTo(QPointF p) { send(QEvent::MouseMove, p, Qt::NoButton, pressed_); }
    void release(QPointF p) {
        const Qt::MouseButton button = pressed_;
        pressed_ = Qt::NoButton;
        send(QEvent::MouseButtonRelease, p, button, Qt::NoButton);
    }
    void click(QPointF p) {
        press(p);
        release(p);
    }
    // Press at `from`, move through `path` and release at its last point.
    void dragAlong(QPointF from, const std::vector<QPointF>& path) {
        press(from);
        for (const QPointF& p : path)
            moveTo(p);
        release(path.empty() ? from : path.back());
    }

    // The section list in settings.json, as the file holds it now.
    QStringList savedSections() const {
        QFile file(settings.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList list;
        for (const auto value : QJsonDocument::fromJson(file.readAll())["customSections"].toArray())
            list << value.toString();
        return list;
    }

    std::unique_ptr<MenuDataSource> dataSource;
    std::unique_ptr<RadialMenuView> view;

    std::vector<std::optional<SectionKind>> taps;
    std::vector<Edit> edits;
    int firstDrags = 0;
    int settingsChanges = 0;

private:
    void send(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, p, view->mapToGlobal(p), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(view.get(), &event);
    }

    Qt::MouseButton pressed_ = Qt::NoButton;
    std::shared_ptr<std::map<SectionKind, SectionProvider*>> providers_;
};

inline QStringList rawValues(const std::vector<SectionKind>& kinds) {
    QStringList list;
    for (SectionKind kind : kinds)
        list << rawValue(kind);
    return list;
}

} // namespace vellaro::test
