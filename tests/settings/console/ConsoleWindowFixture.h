#pragma once

// The settings console's real window on real settings in a temporary folder,
// sample sections, a manual clock and a fake desktop appearance; driven by
// mouse and key events at points of the live dial's layout.

#include "FakeTriggerInput.h"
#include "overlay/DialFixture.h"
#include "platform/session/Defaults.h"
#include "settings/console/ConsoleHintRow.h"
#include "settings/console/ConsolePreview.h"
#include "settings/console/ConsoleRootView.h"
#include "settings/console/ConsoleToastView.h"
#include "settings/console/SettingsWindowController.h"

#include <QApplication>
#include <QMouseEvent>

namespace vellaro::test {

struct ConsoleWindowServices : DialServices {
    Defaults defaults{folder.path() + "/defaults.ini"};
    std::unique_ptr<MenuDataSource> dataSource =
        std::make_unique<MenuDataSource>(settings, trust, [](SectionKind kind) {
            auto provider = std::make_unique<SampleProvider>();
            provider->list = sampleItems(4, sectionTitle(kind));
            return std::unique_ptr<SectionProvider>(std::move(provider));
        });
    FakeConsoleTriggers triggers;
    FakeRecorderKeyboard keyboard;
    FakeButtonMonitor buttons;

    SettingsWindowController::Services controllerServices() {
        return {{settings, appearance, defaults},
                {settings, notifications, defaults, scheduler},
                [this] {
                    return RadialMenuView::Services{settings,   *dataSource, scheduler,
                                                    appearance, nullptr,     false};
                },
                {},
                [this] {
                    return TopBar::Services{settings, notifications, triggers, keyboard, buttons};
                }};
    }
};

struct ConsoleWindowFixture : ConsoleWindowServices {
    std::unique_ptr<SettingsWindowController> controller =
        std::make_unique<SettingsWindowController>(controllerServices());
    Qt::MouseButtons held;

    // Shows the console and lets its layout settle.
    void open() {
        controller->show();
        QApplication::setActiveWindow(controller->window());
        QCoreApplication::processEvents();
    }
    // A fresh process on the same files.
    void relaunch() {
        controller = std::make_unique<SettingsWindowController>(controllerServices());
        open();
    }

    ConsoleRootView& root() const { return *controller->root(); }
    ConsoleModel& model() const { return *controller->model(); }
    RadialMenuView& dial() const { return *root().preview().dial(); }

    // Points of the live dial, in its own coordinates.
    QPointF dialPoint(double angle, double radius) const {
        const Point c{dial().center().x(), dial().center().y()};
        const Point p = RadialLayout::point(angle, radius, c);
        return {p.x, p.y};
    }
    QPointF wedge(int section) const {
        const RadialLayout& l = dial().layout();
        return dialPoint(l.sectionAngle(section), (l.ringInner + l.ringOuter) / 2);
    }
    QPointF core() const { return dial().center(); }
    QPointF fanItem(int index) const {
        const auto section = *dial().state().submenuSection();
        const auto count = std::max<std::int64_t>(dial().currentFanItems().size(), 1);
        const Point p = dial().layout().fanItemCenter(section, index, count, dial().fanOffset(),
                                                      {dial().center().x(), dial().center().y()});
        return {p.x, p.y};
    }
    // A dial point in the console's coordinates.
    QPointF inConsole(QPointF dialPoint) const {
        return dialPoint + QPointF(dial().mapTo(&root(), QPoint(0, 0)));
    }

    void mouse(QWidget& w, QEvent::Type type, QPointF p, Qt::MouseButton button) {
        if (type == QEvent::MouseButtonPress)
            held |= button;
        if (type == QEvent::MouseButtonRelease)
            held &= ~Qt::MouseButtons(button);
        QMouseEvent event(type, p, w.mapToGlobal(p), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
    void click(QWidget& w, QPointF p) {
        mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton);
        mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton);
    }
    void clickDial(QPointF p) { click(dial(), p); }
    // A wedge drag on the dial through `path`, released at its end.
    void dragDial(QPointF from, const std::vector<QPointF>& path) {
        mouse(dial(), QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (const QPointF& p : path)
            mouse(dial(), QEvent::MouseMove, p, Qt::NoButton);
        mouse(dial(), QEvent::MouseButtonRelease, path.back(), Qt::LeftButton);
    }
    QString toastText() const { return model().toast() ? model().toast()->message : QString(); }
};

} // namespace vellaro::test
