#include "DialShot.h"

#include "FixedAppearance.h"
#include "SampleSections.h"
#include "StillClock.h"
#include "TrustedWindowAccess.h"
#include "app/SectionProviderFactory.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "overlay/RadialMenuView.h"
#include "platform/session/Appearance.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"
#include "providers/files/FilesProvider.h"
#include "providers/sound/SoundProvider.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>

namespace vellaro::dialshot {

namespace {

// A busy sample desktop, so the frosted backdrop has something to blur.
QImage sampleDesktop(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(46, 94, 140));
    sky.setColorAt(0.5, QColor(180, 120, 160));
    sky.setColorAt(1, QColor(240, 190, 110));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        p.setBrush(QColor::fromHsv((i * 40) % 360, 160, 230));
        p.drawRoundedRect(QRectF(30 + i * 47, 40 + (i % 3) * 130, 90, 60), 8, 8);
    }
    p.setPen(QColor(255, 255, 255, 200));
    p.setFont(QFont("Sans", 14));
    for (int row = 0; row < 12; ++row)
        p.drawText(20, 30 + row * 38, "The quick brown fox jumps over the lazy dog.");
    return image;
}

// Runs the event loop until the live sections have read what they show
// (the recent files, the sound server's devices), or three seconds passed.
void letLiveSectionsSettle(MenuDataSource& dataSource) {
    const QDeadlineTimer deadline(3000);
    auto settled = [&] {
        const FilesProvider* files = filesProvider(dataSource);
        const SoundProvider* sound = soundProvider(dataSource);
        return (!files || !files->isReadingHistory()) && (!sound || !sound->devices().empty());
    };
    while (!settled() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    dataSource.refresh();
}

// Runs the chosen fan items' actions, each until its section announced a
// change or two seconds passed.
void chooseItems(MenuDataSource& dataSource, SectionKind section, const std::vector<int>& chosen) {
    int changes = 0;
    const QUuid observer = dataSource.addObserver([&] { ++changes; });
    for (int index : chosen) {
        const std::vector<MenuItem> items = dataSource.items(section);
        if (index < 0 || index >= int(items.size()) || !items[std::size_t(index)].action)
            continue;
        const int before = changes;
        items[std::size_t(index)].action();
        const QDeadlineTimer deadline(2000);
        while (changes == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    dataSource.removeObserver(observer);
}

} // namespace

QImage render(const Shot& shot) {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore settings(folder.path(), notifications);
    settings.update([&](VellaroSettings& s) {
        s.theme = shot.theme;
        s.material = shot.material;
        s.showLabels = shot.labels;
        s.arrangement = DialArrangement::custom;
        s.customSections = shot.sections;
    });
    TrustedWindowAccess trust;
    const int items = shot.items;
    MenuDataSource dataSource(settings, trust, [&](SectionKind kind) {
        return shot.live ? makeSectionProvider(kind) : makeSampleProvider(kind, items);
    });
    if (shot.live)
        letLiveSectionsSettle(dataSource);
    if (!shot.choose.empty() && shot.section >= 0 && shot.section < int(shot.sections.size()))
        chooseItems(dataSource, shot.sections[std::size_t(shot.section)], shot.choose);
    StillClock clock;
    FixedAppearance appearance(shot.darkDesktop);
    const int side = int(std::lround(RadialMenuView::baseSide * shot.scale));
    RadialMenuView view(QSize(side, side), shot.scale, false,
                        {settings, dataSource, clock, appearance, nullptr, !shot.desktopBackdrop});
    if (shot.desktopBackdrop)
        view.backdrop().setSnapshot(sampleDesktop(QSize(side, side)));

    const auto opened = Scheduler::TimePoint(std::chrono::seconds(100));
    clock.set(opened);
    view.send(MenuEvent::open());
    if (shot.state != Shot::State::root)
        view.send(MenuEvent::pointerMoved(RadialHit::wedge(shot.section)));
    if (shot.state == Shot::State::submenu) {
        view.send(MenuEvent::primaryAction(RadialHit::wedge(shot.section)));
        if (shot.item)
            view.send(MenuEvent::pointerMoved(RadialHit::fanItem(*shot.item)));
    }
    const auto at = opened + std::chrono::duration_cast<Scheduler::Duration>(
                                 std::chrono::duration<double>(shot.time.value_or(2.0)));
    clock.set(at);
    return view.renderImage(shot.pixelRatio, at);
}

int writeStandardSet(const QString& folder) {
    int written = 0;
    auto save = [&](const Shot& shot, const QString& name) {
        if (render(shot).save(QDir(folder).filePath(name + ".png")))
            ++written;
    };
    const std::pair<ThemeChoice, bool> themes[] = {
        {ThemeChoice::system, false},   {ThemeChoice::system, true},
        {ThemeChoice::pearl, false},    {ThemeChoice::eclipse, false},
        {ThemeChoice::charcoal, false}, {ThemeChoice::custom, false}};
    for (const auto& [theme, dark] : themes) {
        for (const MaterialChoice material :
             {MaterialChoice::frost, MaterialChoice::matte, MaterialChoice::clear}) {
            Shot shot;
            shot.theme = theme;
            shot.darkDesktop = dark;
            shot.material = material;
            shot.state = Shot::State::hover;
            shot.section = 1;
            save(shot, QStringLiteral("ring-%1%2-%3")
                           .arg(rawValue(theme), dark ? "-dark" : "", rawValue(material)));
        }
    }
    Shot fan;
    fan.state = Shot::State::submenu;
    fan.section = 2;
    fan.item = 3;
    fan.items = 8;
    save(fan, "fan-8-hovered");
    fan.theme = ThemeChoice::eclipse;
    save(fan, "fan-8-hovered-eclipse");
    Shot bare = fan;
    bare.labels = false;
    save(bare, "fan-8-no-labels");
    for (const double t : {0.0, 0.05, 0.11, 0.22}) {
        Shot bloom;
        bloom.time = t;
        save(bloom, QStringLiteral("bloom-%1").arg(t, 0, 'f', 2));
    }
    return written;
}

} // namespace vellaro::dialshot
