#include "SectionPanelFixture.h"

#include "model/EmptySectionProvider.h"
#include "settings/kit/ChevronButton.h"
#include "settings/kit/NameField.h"
#include "settings/kit/PanelNote.h"
#include "settings/kit/PanelText.h"
#include "settings/panes/ActionsPane.h"
#include "settings/panes/AllAppsButton.h"
#include "settings/panes/AppMatchButton.h"
#include "settings/panes/AppSearchBox.h"
#include "settings/panes/AppsPane.h"
#include "settings/panes/ClipboardExclusionsSheet.h"
#include "settings/panes/ClipboardPane.h"
#include "settings/panes/PinnedAppRow.h"
#include "settings/panes/RebuiltColumn.h"
#include "settings/panes/WorkspacesPane.h"

#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellaro;
using K = SectionKind;

namespace {

struct SectionPanelTest : ::testing::Test, test::SectionPanelFixture {
    QStringList savedSections() const {
        QStringList list;
        for (const QJsonValue& v : savedFile().value(QLatin1String("customSections")).toArray())
            list << v.toString();
        return list;
    }
    QStringList texts(QWidget& within) const {
        QStringList list;
        for (const PanelText* text : within.findChildren<PanelText*>())
            list << text->text();
        for (const PanelNote* note : within.findChildren<PanelNote*>())
            list << note->text();
        return list;
    }
    std::vector<PinnedAppRow*> pinnedRows() const {
        const QList<PinnedAppRow*> rows =
            section().appsPane()->pinnedRows().body()->findChildren<PinnedAppRow*>();
        return {rows.begin(), rows.end()};
    }
    void pin(const char* id, const char* name) {
        apps->pins.push_back({QString::fromUtf8(id), QString::fromUtf8(name), {}, false});
    }
    static void key(QWidget& target, int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &press);
        settle();
    }
};

} // namespace

TEST_F(SectionPanelTest, BackChipRotateAndRemoveLandInSettings) {
    openOn(K::windows);
    EXPECT_EQ(section().caption(), QStringLiteral("Position 2 of 6 · clockwise from 12"));

    press(section().rotateForwardChip());
    EXPECT_EQ(savedSections(),
              (QStringList{"workspaces", "apps", "windows", "actions", "clipboard", "files"}));
    EXPECT_EQ(section().caption(), QStringLiteral("Position 3 of 6 · clockwise from 12"));

    press(section().backChip());
    EXPECT_EQ(host.selection(), std::nullopt);

    select(K::windows);
    press(section().removeChip());
    EXPECT_FALSE(savedSections().contains(QStringLiteral("windows")));
    EXPECT_EQ(host.selection(), std::nullopt);
}

TEST_F(SectionPanelTest, RemoveIsGuardedByWhatWouldRemain) {
    const struct {
        std::vector<K> dial;
        K kind;
        bool enabled;
    } cases[] = {
        {{K::apps, K::files}, K::apps, false},
        {{K::apps, K::files, K::sound}, K::apps, true},
        {{K::apps, K::apps, K::files}, K::apps, false},
    };
    openOn(K::apps);
    for (const auto& c : cases) {
        store.setCustomSections(c.dial);
        select(c.kind);
        ASSERT_NE(section().removeChip(), nullptr);
        EXPECT_EQ(section().removeChip()->look().disabled, !c.enabled);
        EXPECT_EQ(section().showsRemoveNote(), !c.enabled);
        // A disabled chip does nothing.
        press(section().removeChip());
        EXPECT_EQ(host.selection().has_value(), !c.enabled);
    }
}

TEST_F(SectionPanelTest, SectionOffTheDialShowsNoPositionOrRemove) {
    openOn(K::sound);
    EXPECT_EQ(section().caption(), QStringLiteral("Not on the dial"));
    EXPECT_EQ(section().rotateForwardChip(), nullptr);
    EXPECT_EQ(section().removeChip(), nullptr);
}

TEST_F(SectionPanelTest, UnpinToastsAnUndoThatPutsTheAppBack) {
    openOn(K::apps, [this] {
        pin("a", "Alpha");
        pin("b", "Beta");
        pin("c", "Gamma");
    });
    ASSERT_EQ(pinnedRows().size(), 3u);
    press(&pinnedRows()[1]->unpinChip());
    EXPECT_EQ(host.toasts.last(), QStringLiteral("Beta unpinned"));
    ASSERT_EQ(pinnedRows().size(), 2u);

    host.undos.back()();
    settle();
    ASSERT_EQ(pinnedRows().size(), 3u);
    EXPECT_EQ(pinnedRows()[1]->bundleID(), QStringLiteral("b"));
}

TEST_F(SectionPanelTest, PinningShowsAToastOnlyForANewPin) {
    openOn(K::apps, [this] {
        pin("a", "Alpha");
        apps->installed = {{"a", "Alpha", "/a"}, {"b", "Beta", "/b"}};
    });
    AppsPane& pane = *section().appsPane();
    pane.pin({"a", "Alpha", "/a"});
    EXPECT_TRUE(host.toasts.isEmpty());
    EXPECT_EQ(apps->adds, 0);

    // From a search match: the pin, its toast and an undo that takes it away.
    QTest::keyClicks(&pane.searchBox()->field(), QStringLiteral("be"));
    const QList<AppMatchButton*> found = pane.results().body()->findChildren<AppMatchButton*>();
    ASSERT_EQ(found.size(), 1);
    click(*found[0], QRectF(found[0]->rect()).center());
    settle();
    EXPECT_EQ(host.toasts, QStringList{"Beta pinned to Apps"});
    EXPECT_EQ(pinnedRows().size(), 2u);
    host.undos.back()();
    settle();
    EXPECT_EQ(pinnedRows().size(), 1u);
}

TEST_F(SectionPanelTest, AppsPaneWaitsForTheScanAndShowsNineRows) {
    openOn(K::apps, [this] {
        apps->answerAtOnce = false;
        for (int i = 0; i < 9; ++i)
            apps->pins.push_back({QString::number(i), QStringLiteral("App %1").arg(i), {}, false});
        apps->installed = {{"x", "Xylo", "/x"}};
    });
    AppsPane& pane = *section().appsPane();
    EXPECT_FALSE(pane.allAppsButton()->isActive());
    QTest::keyClicks(&pane.searchBox()->field(), QStringLiteral(" xy"));
    EXPECT_TRUE(texts(*pane.results().body()).contains(QStringLiteral("Scanning applications…")));
    apps->pending();
    settle();
    EXPECT_TRUE(pane.allAppsButton()->isActive());
    EXPECT_EQ(pane.results().body()->findChildren<AppMatchButton*>().size(), 1);

    const std::vector<PinnedAppRow*> rows = pinnedRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[6]->opacity(), 1.0);
    EXPECT_EQ(rows[7]->opacity(), 0.55);
    EXPECT_FALSE(rows[0]->upButton().isActive());
    EXPECT_FALSE(rows[8]->downButton().isActive());
    click(rows[7]->upButton(), QPointF(10, 10));
    settle();
    EXPECT_EQ(pinnedRows()[6]->bundleID(), QStringLiteral("7"));
    EXPECT_TRUE(
        texts(*pane.pinnedRows().body())
            .contains(QStringLiteral("The dial shows the first 7 — reorder to choose which.")));

    pane.showAllAppsMenu();
    ASSERT_NE(pane.allAppsMenu(), nullptr);
    EXPECT_EQ(pane.allAppsMenu()->actions().size(), 1);
    pane.allAppsMenu()->close();
}

TEST_F(SectionPanelTest, ADestroyedAppsPaneIsNotCalled) {
    openOn(K::apps, [this] { pin("a", "Alpha"); });
    const int reads = apps->entryReads;
    delete section().appsPane();
    apps->announce();
    settle();
    EXPECT_EQ(apps->entryReads, reads);
}

TEST_F(SectionPanelTest, WorkspaceNamesCommitOnReturnOrLeavingTheField) {
    const QUuid first = QUuid::createUuid(), second = QUuid::createUuid();
    openOn(K::workspaces, [&] {
        workspaces->saved = {{first, QStringLiteral("Desk"), 5},
                             {second, QStringLiteral("Café"), 0}};
    });
    const auto fields = [&] {
        return section().workspacesPane()->rows().body()->findChildren<NameField*>();
    };
    ASSERT_EQ(fields().size(), 2);
    EXPECT_TRUE(texts(*section().workspacesPane()).contains(QStringLiteral("0w")));

    key(*fields()[1], Qt::Key_Return);
    EXPECT_TRUE(workspaces->renames.empty());

    fields()[0]->end(false);
    QTest::keyClicks(fields()[0], QStringLiteral(" Studio"));
    EXPECT_TRUE(workspaces->renames.empty());
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(fields()[0], &leave);
    settle();
    ASSERT_EQ(workspaces->renames.size(), 1u);
    EXPECT_EQ(workspaces->renames[0].second, QStringLiteral("Desk Studio"));
    EXPECT_EQ(workspaces->saved[0].name, QStringLiteral("Desk Studio"));

    // A blank name is refused by the provider; the field stays empty.
    fields()[1]->clear();
    QTest::keyClicks(fields()[1], QStringLiteral(" "));
    QTest::keyClick(fields()[1], Qt::Key_Backspace);
    key(*fields()[1], Qt::Key_Return);
    EXPECT_EQ(workspaces->saved[1].name, QStringLiteral("Café"));
    EXPECT_EQ(fields()[1]->text(), QString());

    const QList<VelChipButton*> chips =
        section().workspacesPane()->rows().body()->findChildren<VelChipButton*>();
    press(chips[0]); // Restore of the first
    EXPECT_EQ(workspaces->restores, std::vector<QUuid>{first});
    press(chips[1]); // ✕ of the first
    EXPECT_EQ(fields().size(), 1);
}

TEST_F(SectionPanelTest, ExclusionsSheetListsRemovesAndCloses) {
    openOn(K::clipboard, [this] {
        store.update([](VellaroSettings& s) { s.clipboardExcluded = {"b", "gone.app"}; });
        apps->installed = {{"b", "Beta", "/b"}};
    });
    QStringList picked;
    ClipboardPane& pane = *section().clipboardPane();
    press(&pane.editChip());
    ClipboardExclusionsSheet* sheet = section().exclusionsSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->size(), QSize(520, 480));
    EXPECT_FALSE(sheet->addButton().isEnabled()); // no picker in this build
    EXPECT_EQ(sheet->pages().currentIndex(), 1);
    const QList<QLabel*> labels = sheet->findChildren<QLabel*>();
    const bool showsRawId = std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
        return l->text() == QLatin1String("gone.app") && l->textFormat() == Qt::PlainText;
    });
    EXPECT_TRUE(showsRawId);

    for (int i = 0; i < 2; ++i) {
        sheet->removeButtons().first()->click();
        settle();
    }
    EXPECT_TRUE(store.settings().clipboardExcluded.isEmpty());
    EXPECT_EQ(sheet->pages().currentIndex(), 0);

    key(*sheet, Qt::Key_Return);
    EXPECT_EQ(section().exclusionsSheet(), nullptr);

    press(&section().clipboardPane()->editChip());
    ASSERT_NE(section().exclusionsSheet(), nullptr);
    key(*section().exclusionsSheet(), Qt::Key_Escape);
    EXPECT_EQ(section().exclusionsSheet(), nullptr);
}

TEST_F(SectionPanelTest, AddAppsPicksIntoTheExclusions) {
    pickApps = [](QWidget*, const QSet<QString>& taken, ContextPanelServices::AppsReceiver onAdd) {
        EXPECT_EQ(taken, QSet<QString>{"a"});
        onAdd({{"a", "Alpha", "/a"}, {"c", "Gamma", "/c"}, {"c", "Gamma", "/c"}});
    };
    openOn(K::clipboard,
           [this] { store.update([](VellaroSettings& s) { s.clipboardExcluded = {"a"}; }); });
    press(&section().clipboardPane()->editChip());
    ClipboardExclusionsSheet& sheet = *section().exclusionsSheet();
    ASSERT_TRUE(sheet.addButton().isEnabled());
    sheet.addButton().click();
    settle();
    EXPECT_EQ(store.settings().clipboardExcluded, (QStringList{"a", "c"}));
    EXPECT_EQ(sheet.removeButtons().size(), 2);
}

TEST_F(SectionPanelTest, ClearEmptiesTheHistoryOnce) {
    openOn(K::clipboard);
    press(&section().clipboardPane()->clearChip());
    EXPECT_EQ(clipboard->clears, 1);
    choose(section().clipboardPane()->keep(), QStringLiteral("50"));
    EXPECT_EQ(savedFile().value(QLatin1String("clipboardRetention")).toInt(), 50);
}

TEST_F(SectionPanelTest, RestoringTheLastHiddenActionRemovesHidden) {
    openOn(K::actions, [this] {
        actions->catalogue = {{"lock", "Lock Screen"}, {"focus", "Do Not Disturb"}};
        store.update([](VellaroSettings& s) { s.hiddenActions = {"focus", "lock"}; });
    });
    const auto chips = [&] { return section().actionsPane()->hiddenChips(); };
    ASSERT_EQ(chips().size(), 2);
    EXPECT_EQ(chips()[0]->look().label, QStringLiteral("＋ Lock Screen"));
    press(chips()[0]);
    press(chips()[0]);
    EXPECT_TRUE(store.settings().hiddenActions.isEmpty());
    EXPECT_TRUE(chips().isEmpty());
    EXPECT_FALSE(texts(*section().actionsPane()).contains(QStringLiteral("HIDDEN")));
}

TEST_F(SectionPanelTest, SectionsWithoutTheirSourceShowTheirPaneEmpty) {
    withProviders = false;
    openOn(K::workspaces,
           [this] { store.update([](VellaroSettings& s) { s.hiddenActions = {"focus"}; }); });
    EXPECT_TRUE(texts(*section().workspacesPane()).filter("build yet").isEmpty());

    select(K::apps);
    const QStringList appsTexts = texts(*section().appsPane());
    EXPECT_TRUE(appsTexts.contains(QStringLiteral("PINNED")));
    EXPECT_TRUE(appsTexts.filter("build yet").isEmpty());

    select(K::clipboard);
    EXPECT_TRUE(section().clipboardPane()->clearChip().look().disabled);
    choose(section().clipboardPane()->keep(), QStringLiteral("10"));
    EXPECT_EQ(store.settings().clipboardRetention, 10);

    select(K::actions);
    EXPECT_TRUE(section().actionsPane()->hiddenChips().isEmpty());
    EXPECT_FALSE(texts(*section().actionsPane()).contains(QStringLiteral("HIDDEN")));
}
