#include "updates/UpdaterCenter.h"

#include "platform/session/Defaults.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

class CountingWindow final : public UpdateWindowPresenter {
public:
    explicit CountingWindow(int& shows) : shows_(shows) {}
    void show() override { ++shows_; }
    void orderOut() override {}

private:
    int& shows_;
};

AppcastItem item(const QString& build, const QString& display) {
    AppcastItem made;
    made.buildVersion = build;
    made.displayVersion = display;
    made.description = "<h2>" + display + "</h2><h3>New</h3><li>thing " + display + "</li>";
    return made;
}

class UpdaterCenterTest : public ::testing::Test {
protected:
    std::unique_ptr<UpdaterCenter> makeCenter(const QString& version = "1.0") {
        HostInfo host;
        host.version = version;
        host.buildVersion = "12";
        InstallLocation install;
        install.reason = "this copy cannot update itself";
        return std::make_unique<UpdaterCenter>(UpdaterCenter::Collaborators{
            host, install, defaults, scheduler,
            [this](UpdaterCenter&) { return std::make_unique<CountingWindow>(shows); },
            [this] { return now; }});
    }

    Defaults defaults{QString()};
    test::ManualScheduler scheduler;
    QDateTime now = QDateTime::fromString("2026-12-10T12:00:00Z", Qt::ISODate);
    int shows = 0;
};

TEST_F(UpdaterCenterTest, CollectsTheNotesOfNewerBuildsLargestFirst) {
    struct Case {
        const char* name;
        QString running;
        QList<AppcastItem> items;
        QStringList versions;
    };
    const Case cases[] = {
        {"12/15/13 against 12",
         "12",
         {item("12", "a"), item("15", "b"), item("13", "c")},
         {"b", "c"}},
        {"same build only", "12", {item("12", "a")}, {}},
        {"no running build", "", {item("0", "zero"), item("1", "one"), item("-3", "neg")}, {"one"}},
        {"dotted builds never count", "1", {item("1.2", "dotted"), item("2", "two")}, {"two"}},
        {"signs and overflow",
         "+5",
         {item("+6", "plus"), item("99999999999999999999", "huge")},
         {"plus"}},
    };
    for (const Case& c : cases) {
        QStringList versions;
        for (const ReleaseNotes& notes : UpdaterCenter::collectNotes(c.items, c.running))
            versions << notes.version;
        EXPECT_EQ(versions, c.versions) << c.name;
    }
}

TEST_F(UpdaterCenterTest, AnOfferWithoutCollectedNotesShowsItsOwn) {
    const auto center = makeCenter();
    CountingWindow window(shows);
    VellaroUserDriver driver(center->model(), window);
    AppcastItem found = item("13", "1.3");
    found.length = 4096;
    driver.showUpdateFound(found, UpdateStage::notDownloaded, [](UpdateChoice) {});
    ASSERT_EQ(center->model().notes().size(), 1);
    EXPECT_EQ(center->model().notes().first().version, "1.3");
    EXPECT_EQ(center->model().phase(), UpdatePhase::found);
    EXPECT_EQ(center->model().expectedLength(), 4096u);
    EXPECT_FALSE(center->model().foundAlreadyStaged());

    center->model().setNotes(UpdaterCenter::collectNotes({item("15", "1.5")}, "12"));
    driver.showUpdateFound(found, UpdateStage::downloaded, [](UpdateChoice) {});
    EXPECT_EQ(center->model().notes().first().version, "1.5");
    EXPECT_TRUE(center->model().foundAlreadyStaged());
}

TEST_F(UpdaterCenterTest, ASlotIsEmptiedBeforeItsReplyRuns) {
    const auto center = makeCenter();
    UpdateViewModel& model = center->model();
    int calls = 0;
    model.parkUpdateReply([&](UpdateChoice choice) {
        EXPECT_FALSE(model.hasUpdateReply());
        EXPECT_EQ(choice, UpdateChoice::install);
        ++calls;
    });
    if (const auto reply = model.takeUpdateReply())
        reply(UpdateChoice::install);
    if (const auto reply = model.takeUpdateReply())
        reply(UpdateChoice::install);
    EXPECT_EQ(calls, 1);
}

TEST_F(UpdaterCenterTest, FirstRunTurnsAutomaticInstallsAndChecksOnUnlessChosen) {
    {
        const auto center = makeCenter();
        center->setAutomaticallyChecksForUpdates(false);
        center->enableAutomaticDownloadsIfUnset();
        EXPECT_TRUE(center->automaticallyDownloadsUpdates());
        EXPECT_TRUE(center->automaticallyChecksForUpdates());
    }
    defaults.setValue(Updater::automaticDownloadsKey, false);
    defaults.setValue(Updater::automaticChecksKey, false);
    const auto center = makeCenter();
    center->enableAutomaticDownloadsIfUnset();
    EXPECT_FALSE(center->automaticallyDownloadsUpdates());
    EXPECT_FALSE(center->automaticallyChecksForUpdates());
}

TEST_F(UpdaterCenterTest, DescribesTheLastCheckAndTheRunningVersion) {
    const auto center = makeCenter();
    EXPECT_EQ(center->lastCheckDescription(), "never checked");
    defaults.setValue(Updater::lastCheckKey, now.addSecs(-300).toString(Qt::ISODate));
    EXPECT_EQ(center->lastCheckDescription(), "checked 5 min. ago");
    EXPECT_EQ(center->currentVersion(), "1.0");
    EXPECT_EQ(makeCenter("")->currentVersion(), "0");
}

TEST_F(UpdaterCenterTest, ACheckOnAnUpdaterThatCannotStartShowsWhy) {
    const auto center = makeCenter();
    EXPECT_FALSE(center->canUpdate());
    EXPECT_EQ(center->cannotUpdateReason(), "this copy cannot update itself");
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    center->checkForUpdates();
    EXPECT_EQ(center->model().phase(), UpdatePhase::error);
    EXPECT_EQ(center->model().errorMessage(), "this copy cannot update itself");
    EXPECT_TRUE(center->model().hasAcknowledge());
    EXPECT_GE(shows, 1);
}

} // namespace
} // namespace vellaro
