// The update window offscreen over a real model, with the update service's
// controls faked: its texts, capsule, buttons, keys, checkbox and look.
#include "UpdateWindowFixture.h"
#include "updates/UpdaterCenter.h"

#include "model/Pal.h"
#include "platform/session/Appearance.h"
#include "platform/session/Notifications.h"
#include "support/FakeUpdateControls.h"
#include "updates/ProgressCapsule.h"
#include "updates/ReleaseNotesCard.h"
#include "updates/UpdateButton.h"
#include "updates/UpdateRootView.h"
#include "updates/UpdateViewModel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

ReleaseNotes notes(const QString& version, const QString& html) {
    return ReleaseNotes::parse(html, version);
}

class UpdateWindow : public ::testing::Test, public test::UpdateWindowFixture {
public:
    UpdateWindow() { controls.lastCheck = QStringLiteral("checked 5 min. ago"); }

    UpdateRootView& shown() {
        controller.show();
        settle();
        return *controller.window();
    }
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    void downloading(quint64 expected, quint64 received) {
        model.setExpectedLength(expected);
        model.setReceivedLength(received);
        model.setPhase(UpdatePhase::downloading);
    }
    void found(bool staged, quint64 length) {
        model.setFoundVersion("1.1");
        model.setFoundAlreadyStaged(staged);
        model.setExpectedLength(length);
        model.setPhase(UpdatePhase::found);
    }
};

TEST_F(UpdateWindow, ShowsTheTextsOfEachPhase) {
    struct Case {
        const char* name;
        std::function<void(UpdateWindow&)> setUp;
        QString title;
        QString subtitle;
    };
    const Case cases[] = {
        {"checking", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::checking); },
         "Checking for updates…", "Vellaro 1.0"},
        {"found", [](UpdateWindow& t) { t.found(false, 12345678); }, "Vellaro 1.1 is ready for you",
         "You're on 1.0 · 12.3 MB download"},
        {"found, length 0", [](UpdateWindow& t) { t.found(false, 0); },
         "Vellaro 1.1 is ready for you", "You're on 1.0"},
        {"found, staged", [](UpdateWindow& t) { t.found(true, 12345678); },
         "Vellaro 1.1 is ready to install", "You're on 1.0"},
        {"downloading",
         [](UpdateWindow& t) {
             t.model.setFoundVersion("1.1");
             t.downloading(2000000, 500000);
         },
         "Downloading Vellaro 1.1…", "500 KB of 2 MB"},
        {"downloading, length 0", [](UpdateWindow& t) { t.downloading(0, 1500); },
         "Downloading Vellaro …", "2 KB"},
        {"downloading past the length", [](UpdateWindow& t) { t.downloading(1000, 3000); },
         "Downloading Vellaro …", "3 KB of 1 KB"},
        {"extracting", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::extracting); },
         "Preparing the update…", "Verifying and unpacking"},
        {"ready",
         [](UpdateWindow& t) {
             t.model.setFoundVersion("1.1");
             t.model.setPhase(UpdatePhase::readyToInstall);
         },
         "Vellaro 1.1 is ready to install",
         "Vellaro relaunches in a blink — the dial comes right back."},
        {"installing", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::installing); },
         "Installing…", "Just a moment"},
        {"up to date", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::upToDate); },
         "You're up to date", "Vellaro 1.0 is the newest version · checked 5 min. ago"},
        {"error",
         [](UpdateWindow& t) {
             t.model.setErrorMessage("The update's signature is not valid.");
             t.model.setPhase(UpdatePhase::error);
         },
         "The update didn't go through", "The update's signature is not valid."},
    };
    UpdateRootView& view = shown();
    for (const Case& c : cases) {
        model.setFoundVersion(QString());
        c.setUp(*this);
        settle();
        EXPECT_EQ(view.title(), c.title) << c.name;
        EXPECT_EQ(view.subtitle(), c.subtitle) << c.name;
        EXPECT_EQ(view.width(), UpdateRootView::windowWidth) << c.name;
    }
    found(false, 1);
    settle();
    EXPECT_EQ(view.primaryButton()->text(), "Update Now");
    found(true, 1);
    settle();
    EXPECT_EQ(view.primaryButton()->text(), "Install Update");
}

TEST_F(UpdateWindow, TheErrorScreenNamesTheWebSiteOnlyWhenThereIsOne) {
    model.setErrorMessage("installed by your system's package manager; update it there");
    model.setPhase(UpdatePhase::error);
    const auto bodyOf = [](const UpdateRootView& view) {
        QStringList lines;
        for (const QLabel* label : view.findChildren<QLabel*>()) {
            if (label->text().startsWith("You can try again"))
                lines << label->text();
        }
        return lines;
    };
    for (const QUrl& website : {QUrl("https://vellaro.example/"), QUrl()}) {
        SCOPED_TRACE(website.toString().toStdString());
        const UpdateRootView view(model, controls, website, [] {});
        if (website.isEmpty())
            EXPECT_TRUE(bodyOf(view).isEmpty());
        else
            EXPECT_EQ(bodyOf(view),
                      QStringList({"You can try again from the status menu, or by starting "
                                   "Vellaro again — or grab the latest version any "
                                   "time at https://vellaro.example/."}));
    }
}

TEST_F(UpdateWindow, TheCapsuleNeverEmptiesAndNeverOverflows) {
    UpdateRootView& view = shown();
    model.setPhase(UpdatePhase::downloading);
    settle();
    ProgressCapsule* capsule = view.capsule();
    ASSERT_NE(capsule, nullptr);
    EXPECT_EQ(capsule->height(), 7);
    const qreal track = capsule->width();
    ASSERT_GT(track, 100);

    model.setExpectedLength(0);
    EXPECT_FALSE(capsule->fraction().has_value());
    EXPECT_DOUBLE_EQ(capsule->barWidth(), std::max<qreal>(6, track * 0.08));
    model.setExpectedLength(1000);
    model.setReceivedLength(0);
    EXPECT_DOUBLE_EQ(capsule->barWidth(), 6);
    model.setReceivedLength(500);
    EXPECT_DOUBLE_EQ(capsule->barWidth(), track / 2);
    model.setReceivedLength(5000);
    EXPECT_DOUBLE_EQ(*capsule->fraction(), 1.0);
    EXPECT_DOUBLE_EQ(capsule->barWidth(), track);
    EXPECT_EQ(view.capsule(), capsule) << "figures change in place";

    model.setExtractProgress(0.25);
    model.setPhase(UpdatePhase::extracting);
    settle();
    EXPECT_DOUBLE_EQ(*view.capsule()->fraction(), 0.25);
}

TEST_F(UpdateWindow, EachButtonTakesItsReplyOnceThenHidesOrStays) {
    struct Case {
        UpdatePhase phase;
        QString button;
        const char* expected; // what the reply received
        bool hides;
    };
    const Case cases[] = {
        {UpdatePhase::checking, "Cancel", "cancel", true},
        {UpdatePhase::downloading, "Cancel", "cancel", true},
        {UpdatePhase::found, "Later", "update 2", true},
        {UpdatePhase::found, "Update Now", "update 1", false},
        {UpdatePhase::readyToInstall, "Install on Quit", "install 2", true},
        {UpdatePhase::readyToInstall, "Install & Relaunch", "install 1", false},
        {UpdatePhase::upToDate, "OK", "acknowledge", true},
        {UpdatePhase::error, "OK", "acknowledge", true},
    };
    for (const Case& c : cases) {
        QStringList received;
        model.parkCancelAction([&] { received << "cancel"; });
        model.parkAcknowledge([&] { received << "acknowledge"; });
        model.parkUpdateReply([&](UpdateChoice choice) {
            EXPECT_FALSE(model.hasUpdateReply());
            received << QStringLiteral("update %1").arg(int(choice));
        });
        model.parkInstallReply([&](UpdateChoice choice) {
            received << QStringLiteral("install %1").arg(int(choice));
        });
        model.setPhase(c.phase);
        UpdateRootView& view = shown();
        UpdateButton* button = view.button(c.button);
        ASSERT_NE(button, nullptr) << c.button.toStdString();
        button->click();
        button->click();
        settle();
        EXPECT_EQ(received, QStringList{c.expected}) << c.button.toStdString();
        EXPECT_EQ(view.isVisible(), !c.hides) << c.button.toStdString();
    }
}

TEST_F(UpdateWindow, ReturnPressesThePrimaryButtonOnlyWhereThereIsOne) {
    const std::pair<UpdatePhase, bool> cases[] = {
        {UpdatePhase::checking, false},      {UpdatePhase::found, true},
        {UpdatePhase::downloading, false},   {UpdatePhase::extracting, false},
        {UpdatePhase::readyToInstall, true}, {UpdatePhase::installing, false},
        {UpdatePhase::upToDate, true},       {UpdatePhase::error, true},
    };
    for (const auto& [phase, answers] : cases) {
        int calls = 0;
        model.parkUpdateReply([&](UpdateChoice) { ++calls; });
        model.parkInstallReply([&](UpdateChoice) { ++calls; });
        model.parkAcknowledge([&] { ++calls; });
        model.parkCancelAction([&] { ++calls; });
        model.setPhase(phase);
        UpdateRootView& view = shown();
        QTest::keyClick(&view, Qt::Key_Return);
        EXPECT_EQ(calls, answers ? 1 : 0) << int(phase);
    }
}

TEST_F(UpdateWindow, TheCheckboxTurnsChecksOnWithInstallsButNotOff) {
    controls.downloads = true;
    model.setPhase(UpdatePhase::upToDate);
    UpdateRootView& view = shown();
    ASSERT_NE(view.checkbox(), nullptr);
    EXPECT_TRUE(view.checkbox()->isChecked()) << "read from the updater on show";
    EXPECT_EQ(view.checkbox()->text(), "Keep Vellaro updated automatically");

    view.checkbox()->click();
    EXPECT_FALSE(controls.downloads);
    EXPECT_FALSE(model.autoUpdateEnabled());
    EXPECT_FALSE(controls.checks);
    controls.checks = false;
    view.checkbox()->click();
    EXPECT_TRUE(controls.downloads);
    EXPECT_TRUE(controls.checks);
    EXPECT_TRUE(model.autoUpdateEnabled());
}

TEST_F(UpdateWindow, OneWindowOneObserverAndTheThemeFollowsSettings) {
    EXPECT_EQ(controller.window(), nullptr);
    UpdateRootView& first = shown();
    EXPECT_TRUE(controller.isObserving());
    EXPECT_EQ(first.windowTitle(), "Vellaro Update");
    EXPECT_EQ(first.pal(), Pal::light());
    first.move(first.pos() + QPoint(37, 21));
    const QPoint moved = first.pos();
    controller.orderOut();
    UpdateRootView& again = shown();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.pos(), moved) << "centred only when built";

    settings.setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(again.pal(), Pal::dark());
    settings.setTheme(ThemeChoice::system);
    EXPECT_EQ(again.pal(), Pal::light());
    appearance.scheme = ColorScheme::dark;
    Q_EMIT appearance.changed();
    EXPECT_EQ(again.pal(), Pal::dark());
}

TEST_F(UpdateWindow, TheNotesCardListsEveryReleaseOrSaysThereAreNone) {
    model.setNotes({notes("1.2", "<h2>1.2</h2>"), notes("1.1", "<h2>1.1</h2>")});
    found(false, 0);
    UpdateRootView& view = shown();
    auto* card = view.findChild<ReleaseNotesCard*>();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->height(), ReleaseNotesCard::cardHeight);
    const auto texts = [&] {
        QStringList all;
        for (const QLabel* label : view.findChild<ReleaseNotesCard*>()->findChildren<QLabel*>())
            all << label->text();
        return all;
    };
    EXPECT_EQ(texts(), QStringList({"1.2", "1.1", "No release notes for this update."}));

    model.setNotes({notes("1.2", "<h2>1.2 <small>May 1</small></h2><h3>New</h3><li>Faster</li>"),
                    notes("1.1", "")});
    settle();
    EXPECT_EQ(texts(), QStringList({"1.2", "May 1", "NEW", "Faster", "1.1"}));

    // A release in two kinds of package, and releases for other machines.
    const auto release = [](const QString& build, const QString& version, const QString& html,
                            const QString& os, const QString& arch) {
        AppcastItem item;
        item.buildVersion = build;
        item.displayVersion = version;
        item.description = html;
        item.os = os;
        item.architecture = arch;
        return item;
    };
    HostInfo host;
    host.buildVersion = "100";
    host.architecture = "x86_64";
    model.setNotes(UpdaterCenter::collectNotes(
        {release("101", "1.1", "<h2>1.1</h2><h3>Fixed</h3><li>Fans</li>", "linux", "x86_64"),
         release("101", "1.1", "", "linux", "x86_64"),
         release("102", "1.2", "<h2>1.2</h2><h3>New</h3><li>Arm only</li>", "linux", "arm64"),
         release("103", "1.3", "<h2>1.3</h2><h3>New</h3><li>Windows only</li>", "windows",
                 "x86_64")},
        host));
    settle();
    EXPECT_EQ(texts(), QStringList({"1.1", "FIXED", "Fans"}));
}

// Pictures of every screen, light and dark, when VELLARO_UPDATE_SHOTS names a folder.
TEST_F(UpdateWindow, RendersPictures) {
    const QString folder = qEnvironmentVariable("VELLARO_UPDATE_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set VELLARO_UPDATE_SHOTS to a folder to write the pictures";
    QDir().mkpath(folder);
    const QString longNotes =
        "<h2>1.2 <small>December 10, 2026</small></h2><h3>New</h3><ul><li>Updates arrive "
        "signed and install themselves when Vellaro quits, so the dial is never in the "
        "way.</li><li>The window shows what is new.</li></ul><h3>Fixed</h3><ul><li>Fans no "
        "longer flicker on a second monitor.</li><li>Long clipboard entries wrap.</li></ul>";
    struct Shot {
        const char* name;
        std::function<void(UpdateWindow&)> setUp;
    };
    const Shot shots[] = {
        {"checking", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::checking); }},
        {"found",
         [&](UpdateWindow& t) {
             t.model.setNotes({notes("1.2", longNotes),
                               notes("1.1", "<h2>1.1</h2><h3>New</h3><li>Sounds section</li>")});
             t.found(false, 14500000);
         }},
        {"found-none",
         [](UpdateWindow& t) {
             t.model.setNotes({});
             t.found(false, 14500000);
         }},
        {"found-staged",
         [](UpdateWindow& t) {
             t.model.setNotes({notes("1.1", "<h2>1.1</h2><h3>New</h3><li>Sounds section</li>")});
             t.found(true, 14500000);
         }},
        {"downloading", [](UpdateWindow& t) { t.downloading(14500000, 6200000); }},
        {"extracting",
         [](UpdateWindow& t) {
             t.model.setExtractProgress(0.6);
             t.model.setPhase(UpdatePhase::extracting);
         }},
        {"ready", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::readyToInstall); }},
        {"installing", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::installing); }},
        {"up-to-date", [](UpdateWindow& t) { t.model.setPhase(UpdatePhase::upToDate); }},
        {"error",
         [](UpdateWindow& t) {
             t.model.setErrorMessage("The update's signature is not valid.");
             t.model.setPhase(UpdatePhase::error);
         }},
    };
    for (const ThemeChoice theme : {ThemeChoice::pearl, ThemeChoice::eclipse}) {
        settings.setTheme(theme);
        for (const Shot& shot : shots) {
            shot.setUp(*this);
            UpdateRootView& view = shown();
            settle();
            const QString name =
                QStringLiteral("%1/update-%2-%3.png")
                    .arg(folder, shot.name, theme == ThemeChoice::pearl ? "light" : "dark");
            EXPECT_TRUE(view.grab().save(name)) << name.toStdString();
        }
    }
}

} // namespace
} // namespace vellaro
