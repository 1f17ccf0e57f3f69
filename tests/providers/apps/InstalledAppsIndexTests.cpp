#include "providers/apps/InstalledAppsIndex.h"

#include "platform/apps/AppCatalog.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

TEST(InstalledAppsIndexTest, ConcurrentCallersShareOneScan) {
    std::atomic<int> scans = 0;
    QSemaphore release;
    InstalledAppsIndex index([&] {
        ++scans;
        release.acquire(); // the scan ends only once both callers wait
        return std::vector<InstalledApp>{{"files", "Files", "/f"}};
    });
    std::vector<std::vector<InstalledApp>> received;
    index.apps([&](const std::vector<InstalledApp>& apps) { received.push_back(apps); });
    index.apps([&](const std::vector<InstalledApp>& apps) { received.push_back(apps); });
    release.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 10000));
    EXPECT_EQ(received[0], received[1]);
    EXPECT_EQ(received[0].size(), 1u);

    index.apps([&](const std::vector<InstalledApp>& apps) { received.push_back(apps); });
    EXPECT_EQ(received.size(), 3u) << "a finished scan answers at once";
    EXPECT_EQ(scans, 1);
}

TEST(InstalledAppsIndexTest, AnEmptyResultIsNotScannedAgain) {
    std::atomic<int> scans = 0;
    InstalledAppsIndex index([&] {
        ++scans;
        return std::vector<InstalledApp>();
    });
    bool first = false;
    index.apps([&](const std::vector<InstalledApp>&) { first = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return first; }, 10000));
    bool second = false;
    index.apps([&](const std::vector<InstalledApp>& apps) { second = apps.empty(); });
    EXPECT_TRUE(second);
    EXPECT_EQ(scans, 1);
}

TEST(InstalledAppsIndexTest, SortsByNameIgnoringCase) {
    QTemporaryDir data;
    QDir().mkpath(data.path() + "/applications");
    for (const char* name : {"zebra", "Apple", "banana", "Cherry"}) {
        QFile file(data.path() + "/applications/" + name + ".desktop");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Desktop Entry]\nType=Application\nExec=true\nName=") + name + "\n");
    }
    const std::vector<InstalledApp> apps =
        InstalledAppsIndex::scanCatalog(AppCatalog(AppCatalog::Options{{data.path()}, {}, {}}));
    QStringList names;
    for (const InstalledApp& app : apps)
        names << app.name;
    EXPECT_EQ(names, (QStringList{"Apple", "banana", "Cherry", "zebra"}));
    EXPECT_EQ(apps[1].bundleID, QStringLiteral("banana"));
    EXPECT_EQ(apps[1].path, data.path() + "/applications/banana.desktop");
}

} // namespace
} // namespace vellaro
