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

AppcastItem item(const QString& build, const QString& display, const QString& os = "linux",
                 const QString& arch = "x86_64") {
    AppcastItem made;
    made.buildVersion = build;
    made.displayVersion = display;
    made.description = "<h2>" + display + "</h2><h3>New</h3><li>thing " + display + "</li>";
    made.os = os;
    made.architecture = arch;
    return made;
}

AppcastItem withoutNotes(AppcastItem made) {
    made.description.clear();
    return made;
}

HostInfo hostRunning(const QString& build) {
    HostInfo host;
    host.buildVersion = build;
    host.architecture = "x86_64";
    return host;
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

TEST_F(UpdaterCenterTest, CollectsTheNotesOfNewerInstallableBuildsLargestFirst) {
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
        // The feed docs/RELEASING.md shows: one release as a tar.xz and an AppImage.
        {"one release in two kinds",
         "100",
         {item("101", "1.1"), withoutNotes(item("101", "1.1"))},
         {"1.1"}},
        {"the kind with notes speaks for the release",
         "100",
         {withoutNotes(item("101", "1.1")), item("101", "1.1")},
         {"1.1"}},
        {"other processors and systems",
         "100",
         {item("101", "1.1"), item("102", "1.2", "linux", "arm64"), item("103", "1.3", "windows")},
         {"1.1"}},
    };
    for (const Case& c : cases) {
        QStringList versions;
        QStringList items;
        for (const ReleaseNotes& notes :
             UpdaterCenter::collectNotes(c.items, hostRunning(c.running))) {
            versions << notes.version;
            for (const ReleaseNotes::Group& group : notes.groups)
                items << group.items;
        }
        EXPECT_EQ(versions, c.versions) << c.name;
        QStringList expectedItems;
        for (const QString& version : c.versions)
            expectedItems << "thing " + version;
        EXPECT_EQ(items, expectedItems) << c.name;
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

    center->model().setNotes(UpdaterCenter::collectNotes({item("15", "1.5")}, hostRunning("12")));
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
