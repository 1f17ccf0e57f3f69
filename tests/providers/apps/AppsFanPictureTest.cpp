#include "providers/apps/AppIcons.h"
#include "providers/apps/AppsProvider.h"

#include "AppsProviderFixture.h"
#include "overlay/DialFixture.h"

#include <QDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;

// The apps fan as the dial draws it: pins with theme icons, one running,
// and "Add App". Written to VELLARO_PICTURES when that names a folder.
TEST(AppsFanPictureTest, PinsWithIconsARunningDotAndAddApp) {
    test::AppsProviderFixture apps;
    const struct {
        const char* id;
        const char* name;
        const char* icon;
    } pins[] = {{"org.gnome.Terminal", "Terminal", "utilities-terminal"},
                {"org.gnome.TextEditor", "Text Editor", "accessories-text-editor"},
                {"org.gnome.Nautilus", "Files", "system-file-manager"},
                {"org.gnome.Calculator", "Calculator", "accessories-calculator"}};
    AppsConfiguration configuration;
    for (const auto& pin : pins) {
        ASSERT_TRUE(test::writeTextFile(apps.entryPath(pin.id),
                                        QByteArray("[Desktop Entry]\nType=Application\nExec=true\n"
                                                   "Name=") +
                                            pin.name + "\nIcon=" + pin.icon + "\n"));
        configuration.pinned.push_back({pin.id, pin.name, apps.entryPath(pin.id)});
    }
    AppsStore(apps.storePath(), {}).save(configuration);
    apps.running.running = {QStringLiteral("org.gnome.TextEditor")};

    test::DialServices services;
    MenuDataSource dataSource(services.settings, services.trust, [&](SectionKind kind) {
        if (kind != SectionKind::apps)
            return MenuDataSource::makeEmptyProvider(kind);
        const AppCatalog catalog(AppCatalog::Options{{apps.data.path()}, {}, {}});
        return std::unique_ptr<SectionProvider>(std::make_unique<AppsProvider>(
            std::make_unique<AppsStore>(apps.storePath(), AppsStore::Defaults()),
            std::make_unique<InstalledAppsIndex>([] { return std::vector<InstalledApp>(); }),
            AppsProvider::Services{
                catalog,
                apps.running,
                apps.launcher,
                apps.desktop,
                [](const DesktopEntry& entry) { return AppIcons::shared().icon(entry); },
                {}}));
    });
    test::CountingHaptics haptics;
    const int side = RadialMenuView::baseSide;
    RadialMenuView view(QSize(side, side), 1.0, false,
                        RadialMenuView::Services{services.settings, dataSource, services.scheduler,
                                                 services.appearance, &haptics, true});
    const std::vector<MenuItem> items = dataSource.items(SectionKind::apps);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_FALSE(items[0].icon().image().isNull()) << "the theme's terminal icon";
    EXPECT_TRUE(items[1].showsRunningDot);
    EXPECT_EQ(items[4].label(), QStringLiteral("Add App"));

    view.send(MenuEvent::open());
    view.send(MenuEvent::pointerMoved(RadialHit::wedge(2))); // apps in the standard dial
    view.send(MenuEvent::hoverDwell());
    ASSERT_EQ(view.state(), MenuState::submenu(2));
    services.scheduler.advance(1s);
    const QImage picture = view.renderImage(2.0);
    ASSERT_FALSE(picture.isNull());
    const QString folder = qEnvironmentVariable("VELLARO_PICTURES");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("apps-fan.png"))));
    }
}

} // namespace
} // namespace vellaro
