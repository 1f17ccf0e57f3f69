#include "ContextPanelFixture.h"
#include "overlay/LoopbackTrust.h"
#include "support/TlsTestServers.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace vellaro;

namespace {

struct ContextPanelTest : ::testing::Test, test::ContextPanelFixture {};

} // namespace

TEST_F(ContextPanelTest, SegmentsLandInTheSettingsFile) {
    open();
    const struct {
        VelSeg& seg;
        const char* option;
        const char* key;
        const char* stored;
    } cases[] = {
        {wide().material(), "Matte", "material", "matte"},
        {wide().theme(), "Dark", "theme", "eclipse"},
        {wide().theme(), "Custom", "theme", "custom"},
        {wide().size(), "Large", "scale", "large"},
        {wide().submenus(), "Click", "submenuOpen", "click"},
    };
    wide().advanced().setOpen(true);
    QCoreApplication::processEvents();
    for (const auto& c : cases) {
        choose(c.seg, QLatin1String(c.option));
        EXPECT_EQ(savedFile().value(QLatin1String(c.key)).toString(), QLatin1String(c.stored))
            << c.option;
        EXPECT_EQ(c.seg.selected(), QLatin1String(c.option));
    }
    // The custom theme brings the colour rows; another theme hides them and
    // keeps the colours.
    EXPECT_TRUE(wide().surfaceRow().isVisible());
    choose(wide().theme(), QStringLiteral("Charcoal"));
    EXPECT_FALSE(wide().surfaceRow().isVisible());
    EXPECT_EQ(store.settings().customBase, VellaroSettings().customBase);
    EXPECT_EQ(wide().advanced().summary(), QStringLiteral("120 ms · 300 ms · click"));
}

TEST_F(ContextPanelTest, ASliderDragSavesOncePerStep) {
    open();
    wide().advanced().setOpen(true);
    QCoreApplication::processEvents();
    VelSliderRow& slider = wide().hoverIntent();
    const QRectF track = slider.sliderRect();
    saves = 0;
    mouse(slider, QEvent::MouseButtonPress, QPointF(track.left(), track.center().y()));
    // Many small moves across the whole track: 50 to 300 in steps of 10.
    for (double x = track.left(); x <= track.right(); x += 0.5)
        mouse(slider, QEvent::MouseMove, QPointF(x, track.center().y()));
    mouse(slider, QEvent::MouseButtonRelease, QPointF(track.right(), track.center().y()));
    EXPECT_EQ(store.settings().hoverDelayMS, 300);
    // From the stored 120 to 50 is one save, then one per step up to 300.
    EXPECT_EQ(saves, 1 + 25);
    EXPECT_EQ(wide().advanced().summary(), QStringLiteral("300 ms · 300 ms · hover"));
}

TEST_F(ContextPanelTest, TilesAppendByClickAndDimmedOnesDoNothing) {
    open();
    LibraryTile& workspaces = tile(SectionKind::workspaces);
    EXPECT_EQ(workspaces.badge(), QStringLiteral("1 of 6"));
    click(workspaces, QRectF(workspaces.rect()).center());
    EXPECT_TRUE(host.appends.empty());

    LibraryTile& sound = tile(SectionKind::sound);
    EXPECT_FALSE(sound.badge());
    click(sound, QRectF(sound.rect()).center());
    EXPECT_EQ(host.appends, std::vector{SectionKind::sound});
    EXPECT_EQ(effectiveSections(store.settings()).back(), SectionKind::sound);
    // The click's own save restyled the tile at once.
    EXPECT_EQ(sound.badge(), QStringLiteral("7 of 7"));
    dragTile(SectionKind::sound, 10, {5, 0});
    EXPECT_TRUE(host.drags.empty());
}

TEST_F(ContextPanelTest, DragsStartAfterFourPointsAndEndWithOneDrop) {
    open();
    // Three points of movement: a click, not a drag (and a click appends).
    dragTile(SectionKind::sound, 3, {1, 0});
    EXPECT_TRUE(host.drags.empty());
    EXPECT_TRUE(host.drops.empty());
    EXPECT_EQ(host.appends.size(), 1u);

    store.update([](VellaroSettings& s) { s.customSections = standardSections(); });
    LibraryTile& sound = tile(SectionKind::sound);
    ASSERT_FALSE(sound.badge());
    dragTile(SectionKind::sound, 6, {-30, 2});
    ASSERT_EQ(host.drags.size(), 6u - 0u);
    const QPointF last = QRectF(sound.rect()).center() + QPointF(-180, 12);
    EXPECT_EQ(host.drags.back().second, QPointF(sound.mapTo(&root, last)));
    EXPECT_LT(host.drags.back().second.x(), 560); // over the console's left part
    EXPECT_EQ(host.drops, std::vector{SectionKind::sound});
    EXPECT_EQ(host.appends.size(), 1u);
}

TEST_F(ContextPanelTest, ATileHiddenMidDragEndsItsDragAtItsStart) {
    open();
    LibraryTile& sound = tile(SectionKind::sound);
    const QPointF start = QRectF(sound.rect()).center();
    dragTile(SectionKind::sound, 5, {-40, 0}, false);
    ASSERT_EQ(host.drags.size(), 5u);
    host.setSelection(SectionKind::apps);
    panel->selectionChanged();
    ASSERT_EQ(host.drags.size(), 6u);
    EXPECT_EQ(host.drags.back().second, QPointF(sound.mapTo(&root, start)));
    EXPECT_EQ(host.drops, std::vector{SectionKind::sound});
    // The release that follows finds no drag.
    mouse(sound, QEvent::MouseButtonRelease, start);
    EXPECT_EQ(host.drops.size(), 1u);
    EXPECT_TRUE(host.appends.empty());
}

TEST_F(ContextPanelTest, QueryAndAdvancedSurviveASectionVisit) {
    open();
    wide().library().searchField().edit().setText(QStringLiteral("WINDOW"));
    EXPECT_TRUE(tile(SectionKind::windows).isVisibleTo(panel));
    EXPECT_FALSE(tile(SectionKind::apps).isVisibleTo(panel));
    wide().advanced().setOpen(true);

    host.setSelection(SectionKind::apps);
    panel->selectionChanged();
    EXPECT_FALSE(wide().isVisible());
    EXPECT_TRUE(panel->sectionBody().isVisible());
    host.setSelection(std::nullopt);
    panel->selectionChanged();

    EXPECT_EQ(wide().library().query(), QStringLiteral("WINDOW"));
    EXPECT_FALSE(tile(SectionKind::apps).isVisibleTo(panel));
    EXPECT_TRUE(wide().advanced().isOpen());
}

TEST_F(ContextPanelTest, WindowAccessIsAskedAtShowThenEveryTwoSeconds) {
    open();
    EXPECT_EQ(trust.asked, 1);
    EXPECT_FALSE(wide().accessibility().isGranted());
    trust.trusted = true;
    scheduler.advance(std::chrono::milliseconds(1999));
    EXPECT_FALSE(wide().accessibility().isGranted());
    scheduler.advance(std::chrono::milliseconds(1));
    EXPECT_TRUE(wide().accessibility().isGranted());
    EXPECT_EQ(trust.asked, 2);
    // Off screen, nobody asks.
    root.hide();
    scheduler.advance(std::chrono::seconds(10));
    EXPECT_EQ(trust.asked, 2);
    root.show();
    EXPECT_EQ(trust.asked, 3);
}

TEST_F(ContextPanelTest, UpdateSwitchesFollowTheUpdaterRules) {
    updates.checks = false;
    updates.downloads = false;
    open();
    UpdatesGroup& group = wide().updates();
    flip(group.installRow());
    EXPECT_TRUE(updates.downloads);
    EXPECT_TRUE(updates.checks);
    EXPECT_TRUE(group.checkRow().isOn());
    flip(group.checkRow());
    EXPECT_FALSE(updates.checks);
    EXPECT_TRUE(updates.downloads);
    EXPECT_TRUE(group.installRow().isOn());
    flip(group.installRow());
    EXPECT_FALSE(updates.downloads);
    EXPECT_FALSE(updates.checks);
    // Changes made elsewhere show the next time the group is shown.
    updates.checks = true;
    group.hide();
    group.show();
    EXPECT_TRUE(group.checkRow().isOn());
}

TEST_F(ContextPanelTest, LaunchAtLoginWritesTheEntryAndShowsTheRealState) {
    open();
    VelToggleRow& row = wide().launchRow();
    EXPECT_FALSE(row.isOn());
    flip(row);
    EXPECT_TRUE(row.isOn());
    EXPECT_TRUE(QFile::exists(loginItem.entryPath()));
    flip(row);
    EXPECT_FALSE(row.isOn());
    EXPECT_FALSE(QFile::exists(loginItem.entryPath()));

    // A change made elsewhere shows on the next showing of the body.
    ASSERT_TRUE(loginItem.registerItem());
    host.setSelection(SectionKind::apps);
    panel->selectionChanged();
    host.setSelection(std::nullopt);
    panel->selectionChanged();
    EXPECT_TRUE(row.isOn());
}

TEST_F(ContextPanelTest, AnUnwritableAutostartFolderLeavesTheSwitchOff) {
    QFile blocker(folder.filePath(QStringLiteral("config/autostart")));
    QDir().mkpath(folder.filePath(QStringLiteral("config")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    open();
    flip(wide().launchRow());
    EXPECT_FALSE(wide().launchRow().isOn());
}

TEST_F(ContextPanelTest, TheHapticsRowShowsOnlyWithTheHardware) {
    open();
    EXPECT_EQ(wide().hapticsRow().state(), MXHapticsState::hidden);
    EXPECT_FALSE(wide().hapticsRow().isVisible());
    notifications.post(QStringLiteral("vellaroMXHapticsChanged"));
    EXPECT_EQ(wide().hapticsRow().state(), MXHapticsState::hidden);
}

TEST_F(ContextPanelTest, TheHapticsRowFollowsThePluginOnEachNotification) {
    const test::TestCertificates certificates{QString(LoopbackTrust::pluginHostName)};
    ASSERT_TRUE(certificates.error().isEmpty()) << certificates.error().toStdString();
    const quint16 port = test::closedPort();
    haptics = std::make_unique<MouseHapticsClient>(scheduler, QStringLiteral("127.0.0.1"), port,
                                                   QList{certificates.ca()});
    auto plugin =
        std::make_unique<test::NotFoundServer>(certificates.pluginLeaf(), QByteArray(), port);
    hapticsHardware = true;
    open();
    HapticsStatusRow& row = wide().hapticsRow();
    const auto turns = [&row](MXHapticsState state) {
        return QTest::qWaitFor([&] { return row.state() == state; }, 10000);
    };
    // The probe made as the row comes on screen.
    ASSERT_TRUE(turns(MXHapticsState::active));
    EXPECT_EQ(row.chip().look().label, QStringLiteral("Test"));

    // The plug-in quits: the next notification finds it gone.
    plugin.reset();
    notifications.post(QLatin1String(HapticsStatusRow::changedNotification));
    ASSERT_TRUE(turns(MXHapticsState::needsSetup));
    EXPECT_EQ(row.chip().look().label, QStringLiteral("Set Up…"));

    // It comes back and the setup says so: the row turns active in place.
    plugin = std::make_unique<test::NotFoundServer>(certificates.pluginLeaf(), QByteArray(), port);
    notifications.post(QLatin1String(HapticsStatusRow::changedNotification));
    ASSERT_TRUE(turns(MXHapticsState::active));
    EXPECT_EQ(plugin->requestCount(), 1);
}

TEST_F(ContextPanelTest, PixelsShowTheLineTheDimmedTileAndTheDot) {
    hapticsHardware = true;
    open();
    const QImage image = root.grab().toImage();
    const QPoint origin = panel->mapTo(&root, QPoint());
    // The dividing line on the panel's left edge, over the panel's colour.
    const QColor beside = image.pixelColor(origin + QPoint(6, 300));
    EXPECT_LT(image.pixelColor(origin + QPoint(0, 300)).lightness(), beside.lightness() - 10);
    // A dimmed tile has no chip fill: its middle is the column showing through.
    auto fillAt = [&](SectionKind kind) {
        LibraryTile& t = tile(kind);
        return image.pixelColor(t.mapTo(&root, QPoint(t.width() / 2, 3))).rgb();
    };
    const QRgb column = image.pixelColor(tile(SectionKind::apps).mapTo(&root, QPoint(-4, 3))).rgb();
    EXPECT_EQ(fillAt(SectionKind::apps), column);
    EXPECT_NE(fillAt(SectionKind::sound), column);
    // The haptics row's dot: orange while the plug-in does not answer.
    ASSERT_TRUE(wide().hapticsRow().isVisible());
    const StatusDot& dot = wide().hapticsRow().dot();
    EXPECT_EQ(image.pixelColor(dot.mapTo(&root, QPoint(3, 3))).rgb(),
              StatusDot::waitingColor().rgb());
}
