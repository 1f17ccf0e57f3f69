#include "ConsoleShot.h"

#include "FixedAppearance.h"
#include "SampleSections.h"
#include "StillClock.h"
#include "StillTriggers.h"
#include "StillUpdates.h"
#include "TrustedWindowAccess.h"
#include "core/RadialLayout.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/session/LoginItem.h"
#include "platform/session/Notifications.h"
#include "settings/console/ConsolePreview.h"
#include "settings/console/ConsoleRootView.h"
#include "settings/console/SettingsWindowController.h"
#include "settings/panel/ContextPanel.h"
#include "settings/panel/DialWidePanel.h"
#include "settings/panel/HapticsStatusRow.h"
#include "settings/presets/NamePopover.h"
#include "settings/presets/PresetBarView.h"
#include "settings/topbar/TopBar.h"
#include "ui/VelAdvanced.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>

namespace vellaro::windowshot {

namespace {

using dialshot::FixedAppearance;
using dialshot::StillClock;
using dialshot::TrustedWindowAccess;

void clickAt(QWidget& widget, QPointF point) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, point, widget.mapToGlobal(point), Qt::LeftButton, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
}

QPointF ringPoint(const RadialMenuView& dial, double angle) {
    const RadialLayout& l = dial.layout();
    const Point p = RadialLayout::point(angle, (l.ringInner + l.ringOuter) / 2,
                                        {dial.center().x(), dial.center().y()});
    return {p.x, p.y};
}

} // namespace

// Renders the console in one state; `look` may change the window before the
// picture is taken and return what to draw instead of the window.
QImage renderConsole(const ConsoleShot& shot,
                     const std::function<QWidget*(SettingsWindowController&)>& look) {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore settings(folder.path(), notifications);
    settings.update([&](VellaroSettings& s) {
        s.theme = shot.theme;
        if (shot.prepare)
            shot.prepare(s);
        if (shot.state == ConsoleShot::State::largeFan)
            s.scale = MenuScale::large;
        if (shot.state == ConsoleShot::State::presets ||
            shot.state == ConsoleShot::State::renamePopover) {
            s.userPresets = {
                DialPreset::make(QStringLiteral("Focus"), {SectionKind::files, SectionKind::sound}),
                DialPreset::make(QStringLiteral("Calls"),
                                 {SectionKind::sound, SectionKind::apps, SectionKind::windows})};
            s.arrangement = DialArrangement::custom;
            s.customSections = {SectionKind::clipboard, SectionKind::apps, SectionKind::actions,
                                SectionKind::windows};
        }
    });
    Defaults defaults(folder.path() + QStringLiteral("/defaults.ini"));
    defaults.setValue(QStringLiteral("vellaroDialDragCoached"),
                      shot.state != ConsoleShot::State::coach);
    TrustedWindowAccess trust;
    MenuDataSource dataSource(settings, trust, [&](SectionKind kind) {
        if (shot.providers)
            if (std::unique_ptr<SectionProvider> provider = shot.providers(kind))
                return provider;
        return dialshot::makeSampleProvider(kind, 6);
    });
    StillClock clock;
    FixedAppearance appearance(shot.darkDesktop);
    const auto opened = Scheduler::TimePoint(std::chrono::seconds(100));
    clock.set(opened);

    LoginItem loginItem(QStringLiteral("/opt/vellaro/vellaro"),
                        {folder.filePath(QStringLiteral("config")), {}});
    // Nothing answers there: the haptics row offers its setup.
    MouseHapticsClient haptics(clock, QStringLiteral("127.0.0.1"), 1);
    StillUpdates updates;
    StillTriggers triggers;
    SettingsWindowController controller(
        {{settings, appearance, defaults},
         {settings, notifications, defaults, clock},
         [&] {
             return RadialMenuView::Services{settings,   dataSource, clock,
                                             appearance, nullptr,    false};
         },
         [&] {
             return ContextPanelServices{
                 settings, &dataSource, trust, loginItem, haptics, notifications, clock, updates,
                 [] {}, [] {}, [] { return true; },
                 // The picker's own window is pictured with the apps section.
                 [](QWidget*, const QSet<QString>&, ContextPanelServices::AppsReceiver) {}};
         },
         [&] {
             return TopBar::Services{settings, notifications, triggers, triggers, triggers};
         }});
    controller.show();
    ConsoleWindowFrame& window = *controller.window();
    window.resize(960, 620);
    QCoreApplication::processEvents();
    ConsoleRootView& root = *controller.root();
    ConsoleModel& model = *controller.model();
    RadialMenuView& dial = *root.preview().dial();
    const RadialLayout& layout = dial.layout();

    switch (shot.state) {
    case ConsoleShot::State::idle:
    case ConsoleShot::State::coach:
        break;
    case ConsoleShot::State::selected:
        clickAt(dial, ringPoint(dial, layout.sectionAngle(2)));
        break;
    case ConsoleShot::State::toast:
        model.showToast(QStringLiteral("Sound returned to the library"), [] {});
        break;
    case ConsoleShot::State::library: {
        // Over the ring between the first two wedges: a ghost gap opens.
        const QPointF gap = ringPoint(dial, (layout.sectionAngle(0) + layout.sectionAngle(1)) / 2);
        root.handleLibraryDrag(SectionKind::sound, gap + QPointF(dial.mapTo(&root, QPoint())));
        break;
    }
    case ConsoleShot::State::largeFan:
        clickAt(dial, ringPoint(dial, layout.sectionAngle(1)));
        break;
    case ConsoleShot::State::advanced:
        if (auto* panel = dynamic_cast<ContextPanel*>(root.findChild<ContextPanelView*>()))
            panel->dialWide().advanced().setOpen(true);
        break;
    case ConsoleShot::State::hotKey: {
        // Alt+Space, which another program holds.
        TopBar& bar = *root.findChild<TopBar*>();
        bar.toggleHotKeyRecording();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::AltModifier, 65, 0x20, 0x08);
        QCoreApplication::sendEvent(&dial, &key);
        break;
    }
    case ConsoleShot::State::mouse:
        root.findChild<TopBar*>()->toggleMouseRecording();
        break;
    case ConsoleShot::State::presets:
        break;
    case ConsoleShot::State::savePopover:
        root.findChild<PresetBarView*>()->openSavePopover();
        break;
    case ConsoleShot::State::renamePopover:
        root.findChild<PresetBarView*>()->openRenamePopover(model.settings().userPresets.front());
        break;
    }
    QCoreApplication::processEvents();
    clock.set(opened + std::chrono::seconds(3));
    QWidget* target = look ? look(controller) : nullptr;
    if (!target)
        target = &window;
    QCoreApplication::processEvents();
    QImage image(target->size() * shot.pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(window.pal().panel);
    image.setDevicePixelRatio(shot.pixelRatio);
    target->render(&image);
    // Popups are windows of their own: drawn over the console where they show.
    if (NamePopover* popover = root.findChild<PresetBarView*>()->popover()) {
        QPainter painter(&image);
        popover->render(&painter, popover->pos() - window.pos(), QRegion(), QWidget::DrawChildren);
    }
    return image;
}

QImage renderConsole(const ConsoleShot& shot) {
    return renderConsole(shot, {});
}

QImage renderDialWidePanel(ThemeChoice theme, bool darkDesktop, MXHapticsState haptics) {
    const ConsoleShot shot{ConsoleShot::State::advanced, theme, darkDesktop, 1.0};
    return renderConsole(shot, [haptics](SettingsWindowController& controller) -> QWidget* {
        ContextPanel& panel = *controller.root()->findChild<ContextPanel*>();
        panel.dialWide().hapticsRow().setState(haptics);
        QWidget& content = *panel.scrollArea().widget();
        content.resize(content.width(), content.sizeHint().height());
        return &content;
    });
}

int writeConsoleSet(const QString& folder) {
    struct Look {
        ThemeChoice theme;
        bool dark;
        const char* name;
    };
    const Look looks[] = {{ThemeChoice::pearl, false, "pearl"},
                          {ThemeChoice::custom, false, "custom"},
                          {ThemeChoice::eclipse, false, "eclipse"},
                          {ThemeChoice::system, false, "system-light"},
                          {ThemeChoice::system, true, "system-dark"}};
    const std::pair<ConsoleShot::State, const char*> states[] = {
        {ConsoleShot::State::idle, "idle"},
        {ConsoleShot::State::selected, "selected"},
        {ConsoleShot::State::toast, "toast"},
        {ConsoleShot::State::coach, "coach"},
        {ConsoleShot::State::library, "library"},
        {ConsoleShot::State::largeFan, "large-fan"},
        {ConsoleShot::State::hotKey, "hotkey"},
        {ConsoleShot::State::mouse, "mouse"},
        {ConsoleShot::State::presets, "presets"},
        {ConsoleShot::State::savePopover, "save"},
        {ConsoleShot::State::renamePopover, "rename"},
        {ConsoleShot::State::advanced, "advanced"}};
    int written = 0;
    for (const Look& look : looks) {
        const QString file =
            QDir(folder).filePath(QStringLiteral("settings-%1-dial-wide.png").arg(look.name));
        if (renderDialWidePanel(look.theme, look.dark, MXHapticsState::needsSetup).save(file))
            ++written;
    }
    // The haptics row once the plug-in answers, light and dark.
    for (const Look& look : {looks[0], looks[2]}) {
        const QString file = QDir(folder).filePath(
            QStringLiteral("settings-%1-dial-wide-haptics-active.png").arg(look.name));
        if (renderDialWidePanel(look.theme, look.dark, MXHapticsState::active).save(file))
            ++written;
    }
    for (const Look& look : looks)
        for (const auto& [state, name] : states) {
            ConsoleShot shot{state, look.theme, look.dark, 1.0};
            const QString file =
                QDir(folder).filePath(QStringLiteral("settings-%1-%2.png").arg(look.name, name));
            if (renderConsole(shot).save(file))
                ++written;
        }
    return written;
}

} // namespace vellaro::windowshot
