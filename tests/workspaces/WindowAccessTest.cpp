#include "workspaces/WindowAccess.h"

#include "support/FakeWindowSystem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

constexpr std::uint32_t ownPid = 100;

ClientWindow window(WindowId id, std::uint32_t pid, const QString& app,
                    const QString& title = QStringLiteral("Title"), bool regular = true) {
    ClientWindow w;
    w.id = id;
    w.pid = pid;
    w.wmClass = app;
    w.title = title;
    w.regular = regular;
    return w;
}

class WindowAccessTest : public ::testing::Test {
protected:
    test::FakeWindowSystem fake;
    QHash<QString, QString> entries{
        {QStringLiteral("editor"), QStringLiteral("/apps/editor.desktop")}};
    WindowAccess access{fake, [](const ClientWindow& w) { return w.wmClass; },
                        [this](const QString& id) { return entries.value(id); }, ownPid};
};

struct TargetsCase {
    const char* name;
    QList<ClientWindow> windows;
    std::optional<QSet<QString>> only;
    QList<std::pair<std::uint32_t, QString>> expected;
};

class SweepTargetsTest : public WindowAccessTest,
                         public ::testing::WithParamInterface<TargetsCase> {};

TEST_P(SweepTargetsTest, ChoosesTheApplicationsToWalk) {
    fake.windows = GetParam().windows;
    QList<std::pair<std::uint32_t, QString>> found;
    for (const SweepTarget& t : access.sweepTargets(GetParam().only))
        found.append({t.pid, t.bundleID});
    EXPECT_EQ(found, GetParam().expected);
}

const QString editor = QStringLiteral("editor");
const QString term = QStringLiteral("term");

INSTANTIATE_TEST_SUITE_P(
    Table, SweepTargetsTest,
    ::testing::Values(TargetsCase{"GroupedInFirstSeenOrder",
                                  {window(1, 7, term), window(2, 5, editor), window(3, 7, term),
                                   window(4, 8, term)},
                                  std::nullopt,
                                  {{7, term}, {5, editor}, {8, term}}},
                      TargetsCase{"OneProcessTwoApplications",
                                  {window(1, 7, term), window(2, 7, editor)},
                                  std::nullopt,
                                  {{7, term}, {7, editor}}},
                      TargetsCase{"ThisProcessNeverWalked",
                                  {window(1, ownPid, editor), window(2, 5, term)},
                                  QSet<QString>{editor, term},
                                  {{5, term}}},
                      TargetsCase{
                          "NoIdentityNotWalked", {window(1, 7, QString())}, std::nullopt, {}},
                      TargetsCase{"OnlyDocksOrSkipTaskbarWindows",
                                  {window(1, 7, term, QStringLiteral("Panel"), false),
                                   window(2, 5, editor, QStringLiteral("Editor"), true),
                                   window(3, 5, term, QStringLiteral("Tray"), false)},
                                  std::nullopt,
                                  {{5, editor}}},
                      TargetsCase{"FilterSet",
                                  {window(1, 7, term), window(2, 5, editor)},
                                  QSet<QString>{editor},
                                  {{5, editor}}},
                      TargetsCase{"EmptySetWalksNothing",
                                  {window(1, 7, term), window(2, 5, editor)},
                                  QSet<QString>{},
                                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowAccessTest, AppPathIsTheDesktopEntryElseTheExecutable) {
    fake.windows = {window(1, 5, editor),
                    window(2, static_cast<std::uint32_t>(QCoreApplication::applicationPid()), term),
                    window(3, 0, QStringLiteral("remote"))};
    WindowAccess other{fake, [](const ClientWindow& w) { return w.wmClass; },
                       [this](const QString& id) { return entries.value(id); }, ownPid};
    const QList<SweepTarget> targets = other.sweepTargets();
    ASSERT_EQ(targets.size(), 3);
    EXPECT_EQ(targets[0].appPath, QStringLiteral("/apps/editor.desktop"));
    EXPECT_EQ(targets[1].appPath, QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    EXPECT_EQ(targets[2].appPath, std::nullopt);
}

TEST_F(WindowAccessTest, LiveWindowsAreTheTitledReadableOnes) {
    fake.windows = {window(1, 7, term, QStringLiteral("one")),
                    window(2, 5, editor, QStringLiteral("doc")),
                    window(3, 7, term, QString()),
                    window(4, 7, term, QStringLiteral("   ")),
                    window(5, 7, term, QStringLiteral("gone frame")),
                    window(6, 7, term, QStringLiteral("dock"), false)};
    fake.windows[3].minimized = true;
    for (WindowId id : {1, 2, 3, 4, 6})
        fake.frameOf.insert(id, QRect(id * 10, 0, 300, 200));

    const QList<LiveWindow> live = access.liveWindows(
        {SweepTarget{5, editor, std::nullopt}, SweepTarget{7, term, std::nullopt}});

    QStringList seen;
    for (const LiveWindow& w : live) {
        seen.append(QStringLiteral("%1:%2:%3:%4")
                        .arg(w.box.id)
                        .arg(w.window.bundleID, w.window.title)
                        .arg(w.isMinimized));
        EXPECT_EQ(w.window.frame, QRectF(w.box.id * 10, 0, 300, 200));
        EXPECT_FALSE(w.documentURL);
    }
    EXPECT_EQ(seen, QStringList({QStringLiteral("2:editor:doc:0"), QStringLiteral("1:term:one:0"),
                                 QStringLiteral("4:term:   :1")}));
}

struct ApplyCase {
    const char* name;
    bool minimized;
    QRect frame;
    QStringList requests;
};

class ApplyFrameTest : public WindowAccessTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyFrameTest, WritesInOrder) {
    fake.windows = {window(7, 5, editor)};
    fake.windows[0].minimized = true;
    EXPECT_TRUE(access.applyFrame(GetParam().frame, WindowHandle{7}, GetParam().minimized));
    EXPECT_EQ(fake.requests, GetParam().requests);
    EXPECT_EQ(fake.windows[0].minimized, GetParam().minimized);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ApplyFrameTest,
    ::testing::Values(
        ApplyCase{"RestoresBeforeMoving",
                  false,
                  {10, 20, 300, 200},
                  {QStringLiteral("unminimize 7"), QStringLiteral("frame 7 10,20 300x200")}},
        ApplyCase{"MinimisesAfterMoving",
                  true,
                  {10, 20, 300, 200},
                  {QStringLiteral("frame 7 10,20 300x200"), QStringLiteral("minimize 7")}},
        ApplyCase{"NeverBelowOnePixel",
                  true,
                  {10, 20, 0, 0},
                  {QStringLiteral("frame 7 10,20 1x1"), QStringLiteral("minimize 7")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowAccessTest, GoneWindowReportsARefusal) {
    EXPECT_FALSE(access.applyFrame({0, 0, 10, 10}, WindowHandle{9}, false));
    EXPECT_EQ(access.readFrame(WindowHandle{9}), std::nullopt);
}

} // namespace
} // namespace vellaro
