#include "app/StatusItem.h"
#include "app/ConsoleWindowService.h"
#include "app/SetupAssistant.h"
#include "app/UpdateService.h"

#include "support/ManualScheduler.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

// The windows a build may lack: each says so, and the menu disables its entry.
class MissingConsole final : public SettingsConsole {
public:
    bool isAvailable() const override { return false; }
    void show() override {}
};

class MissingSetupAssistant final : public SetupAssistant {
public:
    bool isAvailable() const override { return false; }
    void show(bool) override {}
    bool holdsBackDial() const override { return false; }
    void bringForward() override {}
};

class MissingUpdates final : public UpdateService {
public:
    bool isAvailable() const override { return false; }
    void checkForUpdates() override {}
};

class StatusItemTest : public ::testing::Test {
protected:
    StatusItem& item() {
        if (!item_) {
            item_ = std::make_unique<StatusItem>(StatusItem::Collaborators{
                scheduler, *console, setupAssistant, updates, [this] { ++opened; },
                [this] { return hint; }, [this] { return reduceMotion; }, [] { return false; },
                [this] { return statusArea; }});
        }
        return *item_;
    }

    test::ManualScheduler scheduler;
    MissingConsole missing;
    MissingSetupAssistant setupAssistant;
    MissingUpdates updates;
    SettingsConsole* console = &missing;
    QString hint = QStringLiteral("Open: MB5 · Forward or Ctrl+Alt+Space");
    bool reduceMotion = false;
    bool statusArea = true;
    int opened = 0;
    std::unique_ptr<StatusItem> item_;
};

TEST_F(StatusItemTest, MenuEntriesInOrderWithLaterFeaturesDisabled) {
    struct Entry {
        QString text;
        bool enabled;
        QKeySequence shortcut;
    };
    const std::vector<Entry> expected{
        {"Open Vellaro at Pointer", true, {}},
        {"Open: MB5 · Forward or Ctrl+Alt+Space", false, {}},
        {"", true, {}},
        {"Settings…", false, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {"Setup…", false, {}},
        {"Check for Updates…", false, {}},
        {"", true, {}},
        {"Quit Vellaro", true, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    const QList<QAction*> actions = item().menu()->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->text(), expected[i].text);
        EXPECT_EQ(actions[i]->isEnabled(), expected[i].enabled);
        EXPECT_EQ(actions[i]->shortcut(), expected[i].shortcut);
    }
    EXPECT_EQ(item().statusItem()->contextMenu(), item().menu());

    actions[0]->trigger();
    EXPECT_EQ(opened, 1);
}

TEST_F(StatusItemTest, SettingsEntryFollowsTheConsole) {
    ConsoleWindowService real; // not shown, so nothing is built
    console = &real;
    const QList<QAction*> actions = item().menu()->actions();
    EXPECT_EQ(actions[3]->text(), "Settings…");
    EXPECT_TRUE(actions[3]->isEnabled());
}

TEST_F(StatusItemTest, ALeftClickOpensTheSameMenu) {
    Q_EMIT item().statusItem()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(QApplication::activePopupWidget(), item().menu());
    item().menu()->close();
    Q_EMIT item().statusItem()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(StatusItemTest, HintIsRetitledWhenTheMenuOpens) {
    item();
    hint = QStringLiteral("Open: Alt+Space is taken by another program");
    Q_EMIT item().menu()->aboutToShow();
    EXPECT_EQ(item().hintItem()->text(), hint);
}

TEST_F(StatusItemTest, MarkTurnsEveryTickAndRestsUnderReducedMotion) {
    item();
    scheduler.advance(StatusItem::tickInterval * 4);
    EXPECT_DOUBLE_EQ(item().markAngle(), 3.0);

    reduceMotion = true;
    scheduler.advance(StatusItem::tickInterval);
    EXPECT_DOUBLE_EQ(item().markAngle(), 0.0); // snaps back to rest
    scheduler.advance(StatusItem::tickInterval * 10);
    EXPECT_DOUBLE_EQ(item().markAngle(), 0.0);

    reduceMotion = false;
    scheduler.advance(StatusItem::tickInterval);
    EXPECT_DOUBLE_EQ(item().markAngle(), 0.75); // resumes from rest
}

TEST_F(StatusItemTest, WithoutAStatusAreaNoTimerRuns) {
    statusArea = false;
    EXPECT_FALSE(item().hasStatusArea());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    scheduler.advance(StatusItem::tickInterval * 4);
    EXPECT_DOUBLE_EQ(item().markAngle(), 0.0);
}

TEST_F(StatusItemTest, MarkAngleWrapsBelow360) {
    item();
    for (int i = 0; i < 479; ++i)
        item().advanceMark(0.75);
    EXPECT_NEAR(item().markAngle(), 359.25, 1e-9);
    item().advanceMark(0.75);
    EXPECT_NEAR(item().markAngle(), 0.0, 1e-9);
    item().advanceMark(359.5);
    item().advanceMark(0.75);
    EXPECT_NEAR(item().markAngle(), 0.25, 1e-9);
}

} // namespace
} // namespace vellaro
