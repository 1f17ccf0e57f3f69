#include "model/SettingsStore.h"
#include "onboarding/HapticsChecklist.h"
#include "onboarding/HapticsSetupRow.h"
#include "onboarding/HapticsSetupView.h"
#include "onboarding/HapticsSetupWindowController.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "support/FakeAppearance.h"
#include "support/FakeDesktop.h"
#include "support/ManualScheduler.h"
#include "support/TestCertificates.h"
#include "support/TlsTestServers.h"
#include "support/WaitUntil.h"
#include "support/WriteTextFile.h"
#include "ui/KitAccentButton.h"
#include "ui/VelChipButton.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace std::chrono_literals;
using namespace vellaro;
using namespace vellaro::test;

namespace {

TEST(HapticsChecklist, RowsFollowTheDiskAndThePlugin) {
    using HapticsChecklist::Chip;
    using HapticsChecklist::Dot;
    struct Case {
        HapticsSetupState state;
        QString companion, plugin, tick;
        Dot pluginDot;
        Chip companionChip, pluginChip, tickChip;
    };
    const Case cases[] = {
        {{false, false, false, false},
         "Logitech's app manages the mouse — install it first",
         "Download, then double-click the file — Options+ installs it",
         "Waiting for the plugin…",
         Dot::neutral,
         Chip::getOptionsPlus,
         Chip::download,
         Chip::none},
        {{true, true, false, false},
         "Found on this computer",
         "Installed — waiting for Logi's plugin service",
         "Waiting for the plugin…",
         Dot::waiting,
         Chip::none,
         Chip::download,
         Chip::none},
        {{true, true, true, false},
         "Found on this computer",
         "Installed and connected",
         "Ready",
         Dot::done,
         Chip::none,
         Chip::none,
         Chip::test},
        // An answer without the folder still counts; a silent plug-in after a
        // burst is waited for again.
        {{false, false, true, true},
         "Logitech's app manages the mouse — install it first",
         "Installed and connected",
         "4-tick burst sent — feel it?",
         Dot::done,
         Chip::getOptionsPlus,
         Chip::none,
         Chip::test},
        {{true, true, false, true},
         "Found on this computer",
         "Installed — waiting for Logi's plugin service",
         "Waiting for the plugin…",
         Dot::waiting,
         Chip::none,
         Chip::download,
         Chip::none},
    };
    for (const Case& c : cases) {
        const auto rows = HapticsChecklist::rows(c.state);
        const auto& s = c.state;
        const std::string at = std::to_string(s.optionsPlusReady) + std::to_string(s.pluginOnDisk) +
                               std::to_string(s.connected) + std::to_string(s.burstSent);
        EXPECT_EQ(rows[0].detail, c.companion) << at;
        EXPECT_EQ(rows[0].dot, s.optionsPlusReady ? Dot::done : Dot::neutral) << at;
        EXPECT_EQ(rows[0].chip, c.companionChip) << at;
        EXPECT_EQ(rows[1].detail, c.plugin) << at;
        EXPECT_EQ(rows[1].dot, c.pluginDot) << at;
        EXPECT_EQ(rows[1].chip, c.pluginChip) << at;
        EXPECT_EQ(rows[2].detail, c.tick) << at;
        EXPECT_EQ(rows[2].dot, s.connected && s.burstSent ? Dot::done : Dot::neutral) << at;
        EXPECT_EQ(rows[2].chip, c.tickChip) << at;
    }
}

// The wizard against the real haptics client and a loopback stand-in for the
// plug-in on a port that starts closed.
class HapticsSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(certificates.error().isEmpty()) << certificates.error().toStdString();
        hub.observe(QLatin1String(HapticsSetupView::changedNotification),
                    [this](QObject*) { ++notifications; });
    }

    void startPlugin() { plugin = std::make_unique<PluginServer>(certificates.pluginLeaf(), port); }

    HapticsSetupView& view() { return *controller.view(); }

    // Waits for the pass under way to get its answer.
    void answerPass() {
        ASSERT_TRUE(waitUntil([this] { return !view().probing(); }));
    }
    void nextPass() {
        scheduler.advance(HapticsSetupView::pollInterval);
        answerPass();
    }

    // Opens the wizard with the plug-in silent and goes to the checklist.
    void openOnTheChecklist() {
        controller.show();
        answerPass();
        click(QStringLiteral("Set Up"));
    }
    // Lets the burst out tick by tick, each waiting for the socket's last one.
    void feelTheBurst() {
        for (int tick = 1; tick <= MouseHapticsClient::burstLength; ++tick) {
            scheduler.advance(tick == 1 ? 0ms : MouseHapticsClient::burstSpacing);
            ASSERT_TRUE(waitUntil([&] { return plugin->messageCount() == tick; })) << tick;
        }
    }

    KitAccentButton* button(const QString& label) {
        for (auto* b : controller.window()->findChildren<KitAccentButton*>())
            if (b->label() == label && b->isVisible())
                return b;
        return nullptr;
    }
    void click(const QString& label) {
        KitAccentButton* b = button(label);
        ASSERT_TRUE(b) << label.toStdString();
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    std::vector<HapticsSetupRow*> rows() {
        std::vector<HapticsSetupRow*> shown;
        for (auto* row : view().page()->findChildren<HapticsSetupRow*>())
            shown.push_back(row);
        return shown;
    }

    const TestCertificates& certificates = pluginCertificates();
    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings{folder.path(), hub};
    Defaults defaults{folder.path() + "/defaults.ini"};
    FakeAppearance appearance;
    FakeDesktop desktop;
    ManualScheduler scheduler;
    const quint16 port = closedPort();
    MouseHapticsClient haptics{scheduler, QStringLiteral("127.0.0.1"), port,
                               QList{certificates.ca()}};
    const QString applications = folder.filePath("applications");
    const QString pluginFolder = folder.filePath("Logi/LogiPluginService/Plugins/HapticWeb");
    HapticsSetupWindowController controller{
        HapticsSetupServices{haptics,
                             hub,
                             scheduler,
                             desktop,
                             QStringLiteral("logioptionsplus.desktop"),
                             {applications},
                             pluginFolder},
        ConsoleWindowFrame::Services{settings, appearance, defaults}};
    std::unique_ptr<PluginServer> plugin;
    int notifications = 0;
};

TEST_F(HapticsSetupTest, AnAnswerOnTheExplainPageIsAnnouncedWithoutABurst) {
    startPlugin();
    controller.show();
    answerPass();
    EXPECT_TRUE(view().state().connected);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(view().phase(), HapticsSetupPhase::explain);

    click(QStringLiteral("Set Up"));
    ASSERT_EQ(view().phase(), HapticsSetupPhase::steps);
    EXPECT_EQ(rows()[2]->content().detail, QStringLiteral("Ready"));
    EXPECT_EQ(rows()[2]->content().chip, QStringLiteral("Test"));
    EXPECT_TRUE(button(QStringLiteral("Done"))->isEnabled());
    nextPass();
    scheduler.advance(1ms);
    QTest::qWait(50);
    EXPECT_FALSE(view().state().burstSent);
    EXPECT_EQ(plugin->messageCount(), 0);
    EXPECT_EQ(notifications, 1);
}

TEST_F(HapticsSetupTest, ThePluginStartingOnTheChecklistGetsOneBurstAndOneNotification) {
    openOnTheChecklist();
    EXPECT_FALSE(button(QStringLiteral("Done"))->isEnabled());
    EXPECT_EQ(rows()[2]->content().detail, QStringLiteral("Waiting for the plugin…"));

    startPlugin();
    nextPass();
    EXPECT_TRUE(view().state().connected);
    EXPECT_EQ(notifications, 1);
    EXPECT_TRUE(view().state().burstSent);
    EXPECT_EQ(rows()[1]->content().detail, QStringLiteral("Installed and connected"));
    EXPECT_EQ(rows()[1]->dotColor(), HapticsSetupRow::doneColor());
    EXPECT_EQ(rows()[2]->content().detail, QStringLiteral("4-tick burst sent — feel it?"));
    EXPECT_TRUE(button(QStringLiteral("Done"))->isEnabled());

    feelTheBurst();
    EXPECT_EQ(plugin->payloads(), QByteArray(4, char(MouseHapticsClient::tickByte)));
    EXPECT_EQ(notifications, 1);
}

TEST_F(HapticsSetupTest, APluginThatGoesSilentAndReturnsIsAnnouncedAgainWithoutASecondBurst) {
    openOnTheChecklist();
    startPlugin();
    nextPass();
    feelTheBurst();

    plugin.reset();
    nextPass();
    ASSERT_FALSE(view().state().connected);
    EXPECT_FALSE(button(QStringLiteral("Done"))->isEnabled());
    EXPECT_EQ(rows()[2]->content().detail, QStringLiteral("Waiting for the plugin…"));

    startPlugin();
    nextPass();
    ASSERT_TRUE(view().state().connected);
    EXPECT_EQ(notifications, 2);
    scheduler.advance(1s);
    QTest::qWait(50);
    EXPECT_EQ(plugin->messageCount(), 0);
}

TEST_F(HapticsSetupTest, AFolderWithASilentPluginWaitsInOrangeAndStillOffersTheDownload) {
    ASSERT_TRUE(QDir().mkpath(pluginFolder));
    writeTextFile(QDir(applications).filePath("logioptionsplus.desktop"), "[Desktop Entry]\n");
    openOnTheChecklist();
    const auto shown = rows();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0]->content().detail, QStringLiteral("Found on this computer"));
    EXPECT_EQ(shown[0]->content().chip, QString());
    EXPECT_EQ(shown[1]->dotColor(), HapticsSetupRow::waitingColor());
    EXPECT_EQ(shown[1]->content().detail,
              QStringLiteral("Installed — waiting for Logi's plugin service"));
    EXPECT_EQ(shown[1]->content().chip, QStringLiteral("Download"));
    EXPECT_FALSE(button(QStringLiteral("Done"))->isEnabled());

    QTest::mouseClick(shown[1]->chip(), Qt::LeftButton, {},
                      shown[1]->chip()->chipRect().center().toPoint());
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], MouseHapticsClient::pluginPageURL());
}

TEST_F(HapticsSetupTest, NothingIsAskedWhileHiddenAndALateAnswerIsDropped) {
    startPlugin();
    controller.show();
    // Hidden while the first probe is out: its answer changes nothing.
    controller.window()->hide();
    QTest::qWait(300);
    ASSERT_TRUE(waitUntil([this] { return plugin->requestCount() == 1; }));
    QTest::qWait(100);
    EXPECT_FALSE(view().state().connected);
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    scheduler.advance(10s);
    QTest::qWait(100);
    EXPECT_EQ(plugin->requestCount(), 1);

    // Shown again on the same page; the rows refresh within one pass.
    controller.show();
    answerPass();
    EXPECT_TRUE(view().state().connected);
    EXPECT_EQ(plugin->requestCount(), 2);
    EXPECT_EQ(notifications, 1);
}

TEST_F(HapticsSetupTest, LaterShowsKeepTheWindowItsPageAndOneObserver) {
    openOnTheChecklist();
    ConsoleWindowFrame* window = controller.window();
    click(QStringLiteral("Later"));
    EXPECT_FALSE(window->isVisible());
    controller.show();
    controller.show();
    EXPECT_EQ(controller.window(), window);
    EXPECT_EQ(view().phase(), HapticsSetupPhase::steps);
    EXPECT_EQ(window->width(), HapticsSetupView::width);

    int applied = 0;
    QObject::connect(window, &ConsoleWindowFrame::palChanged, [&applied] { ++applied; });
    settings.setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(window->scheme(), ColorScheme::dark);
}

TEST_F(HapticsSetupTest, TheClosingPageComesOnlyAfterAnAnswerAndItsTestTickSendsEachTime) {
    startPlugin();
    controller.show();
    answerPass();
    click(QStringLiteral("Set Up"));
    const int stepsHeight = controller.window()->height();
    click(QStringLiteral("Done"));
    ASSERT_EQ(view().phase(), HapticsSetupPhase::vellar);
    EXPECT_NE(controller.window()->height(), stepsHeight);
    click(QStringLiteral("Test Tick"));
    scheduler.advance(0ms);
    ASSERT_TRUE(waitUntil([&] { return plugin->messageCount() == 1; }));
    EXPECT_FALSE(view().state().burstSent);
    click(QStringLiteral("Done"));
    EXPECT_FALSE(controller.window()->isVisible());
}

} // namespace
