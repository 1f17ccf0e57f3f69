#include "workspaces/WindowsProvider.h"

#include "model/LogCapture.h"
#include "platform/windows/WindowAccessTrust.h"
#include "support/FakeWindowSystem.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;

struct FakeTrust final : WindowAccessTrust {
    bool trusted = true;
    int asked = 0;
    bool isTrusted() override {
        ++asked;
        return trusted;
    }
};

constexpr WindowId xterm = 7;

const Monitor left{QStringLiteral("left"), {0, 0, 1441, 900}, {0, 30, 1441, 870}};
const Monitor right{QStringLiteral("right"), {1441, 0, 800, 600}, {1441, 0, 800, 600}};

class WindowsProviderTest : public ::testing::Test {
protected:
    WindowsProviderTest() {
        ClientWindow window;
        window.id = xterm;
        window.pid = 40;
        window.title = QStringLiteral("xterm");
        window.regular = true;
        window.wmClass = QStringLiteral("xterm");
        fake.windows = {window};
        fake.frameOf.insert(xterm, {100, 100, 400, 300});
        fake.active = xterm;
        fake.monitorList = {left, right};
    }

    QRect frame() const { return fake.frameOf.value(xterm); }

    // Runs the action of the item with this label, as the dial does.
    void choose(const QString& label) {
        for (const MenuItem& item : provider->items())
            if (item.label() == label)
                return item.action();
        FAIL() << "no item " << label.toStdString();
    }

    test::FakeWindowSystem fake;
    WindowAccess access{fake, [](const ClientWindow& w) { return w.wmClass; },
                        [](const QString&) { return QString(); }, 1};
    FakeTrust trust;
    test::ManualScheduler scheduler;
    int explained = 0;
    std::unique_ptr<WindowsProvider> provider =
        std::make_unique<WindowsProvider>(access, trust, scheduler, [this] { ++explained; });
};

TEST_F(WindowsProviderTest, ItemsFollowTheTrustAskedAtEachCall) {
    std::vector<std::pair<QString, QString>> shown;
    for (const MenuItem& item : provider->items()) {
        shown.emplace_back(item.label(), item.icon().symbolName());
        EXPECT_FALSE(item.sublabel);
        EXPECT_FALSE(item.keepsOpen);
    }
    const std::vector<std::pair<QString, QString>> snapping{
        {"Left Half", "rectangle.lefthalf.inset.filled"},
        {"Right Half", "rectangle.righthalf.inset.filled"},
        {"Maximize", "rectangle.inset.filled"},
        {"Center", "rectangle.center.inset.filled"},
        {"Last Size", "arrow.uturn.backward"},
        {"Next Display", "display.2"}};
    EXPECT_EQ(shown, snapping);

    trust.trusted = false;
    const std::vector<MenuItem> items = provider->items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].label(), QStringLiteral("Enable Window Access"));
    EXPECT_EQ(items[0].sublabel, QStringLiteral("Needs a window manager"));
    EXPECT_EQ(items[0].icon().symbolName(), QStringLiteral("lock.shield"));
    items[0].action();
    EXPECT_EQ(explained, 1);
    EXPECT_TRUE(provider->wasTrusted()) << "only the re-check and the data source update it";
}

struct MoveCase {
    const char* name;
    QList<Monitor> monitors;
    QRect start;
    const char* label;
    QRect expected;
};

class WindowsProviderMoveTest : public WindowsProviderTest,
                                public ::testing::WithParamInterface<MoveCase> {};

TEST_P(WindowsProviderMoveTest, MovesTheActiveWindow) {
    const MoveCase& c = GetParam();
    fake.monitorList = c.monitors;
    fake.frameOf.insert(xterm, c.start);
    choose(QString::fromUtf8(c.label));
    EXPECT_EQ(frame(), c.expected);
    ASSERT_TRUE(provider->lastApplied());
    EXPECT_EQ(provider->lastApplied()->frame, c.start);
    EXPECT_EQ(fake.requests.first(), QStringLiteral("unminimize 7")) << "restored before it moves";
}

const Monitor third{QStringLiteral("third"), {2241, 0, 500, 500}, {2241, 0, 500, 500}};

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsProviderMoveTest,
    ::testing::Values(
        MoveCase{"LeftHalf", {left, right}, {100, 100, 400, 300}, "Left Half", {0, 30, 720, 870}},
        MoveCase{
            "RightHalf", {left, right}, {100, 100, 400, 300}, "Right Half", {720, 30, 721, 870}},
        MoveCase{"MaximizeOnTheMonitorItOverlapsMost",
                 {left, right},
                 {1300, 100, 400, 300},
                 "Maximize",
                 {1441, 0, 800, 600}},
        MoveCase{
            "CenterKeepsTheSize", {left, right}, {0, 0, 401, 300}, "Center", {520, 315, 401, 300}},
        MoveCase{"NextDisplayShrinksOnlyTheHeight",
                 {left, right},
                 {100, 100, 400, 700},
                 "Next Display",
                 {1641, 0, 400, 600}},
        MoveCase{"NextDisplayWrapsFromTheLast",
                 {left, right, third},
                 {2300, 10, 300, 200},
                 "Next Display",
                 {570, 365, 300, 200}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowsProviderTest, LastSizeSwapsBackAndForth) {
    choose(QStringLiteral("Last Size"));
    EXPECT_TRUE(fake.requests.isEmpty()) << "nothing to restore yet";

    const QRect start = frame();
    const QRect leftHalf{0, 30, 720, 870};
    choose(QStringLiteral("Left Half"));
    EXPECT_EQ(frame(), leftHalf);
    choose(QStringLiteral("Last Size"));
    EXPECT_EQ(frame(), start);
    choose(QStringLiteral("Last Size"));
    EXPECT_EQ(frame(), leftHalf);
}

TEST_F(WindowsProviderTest, NextDisplayNeedsTwoMonitors) {
    fake.monitorList = {left};
    choose(QStringLiteral("Next Display"));
    EXPECT_TRUE(fake.requests.isEmpty());
    EXPECT_FALSE(provider->lastApplied());
}

TEST_F(WindowsProviderTest, AFrameOnNoMonitorUsesTheMainMonitor) {
    // Equal overlaps keep the first monitor.
    EXPECT_EQ(provider->screen({1341, 0, 200, 100}), left);
    // Off every monitor: the active window's monitor, else the pointer's.
    fake.frameOf.insert(xterm, {1500, 10, 100, 100});
    EXPECT_EQ(provider->screen({5000, 5000, 10, 10}), right);
    fake.active = 0;
    fake.pointer = QPoint(10, 10);
    EXPECT_EQ(provider->screen({5000, 5000, 10, 10}), left);
    fake.pointer.reset();
    EXPECT_EQ(provider->screen({5000, 5000, 10, 10}), std::nullopt);
}

TEST_F(WindowsProviderTest, NoWindowToSnapIsLoggedAndNothingIsWritten) {
    struct Case {
        const char* name;
        std::function<void(test::FakeWindowSystem&)> setUp;
    };
    const Case cases[] = {
        {"no active window", [](test::FakeWindowSystem& f) { f.active = 0; }},
        {"active dock", [](test::FakeWindowSystem& f) { f.windows[0].regular = false; }},
        // An unreadable frame is no frame: never a 0 x 0 target.
        {"unreadable frame", [](test::FakeWindowSystem& f) { f.frameOf.remove(xterm); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeWindowSystem saved = fake;
        c.setUp(fake);
        test::LogCapture log("vellaro.windows");
        choose(QStringLiteral("Center"));
        choose(QStringLiteral("Next Display"));
        EXPECT_EQ(log.lines(), QStringList{QStringLiteral("Layout Center: no focused window")});
        EXPECT_TRUE(fake.requests.isEmpty());
        EXPECT_FALSE(provider->lastApplied());
        fake = saved;
    }
}

TEST_F(WindowsProviderTest, LastSizeOfAWindowWhoseFrameIsGoneWritesNothing) {
    choose(QStringLiteral("Left Half"));
    fake.frameOf.remove(xterm);
    fake.requests.clear();
    choose(QStringLiteral("Last Size"));
    EXPECT_TRUE(fake.requests.isEmpty());
}

TEST_F(WindowsProviderTest, TrustIsAskedAgainAMomentAfterAChange) {
    int changes = 0;
    provider->setOnChange([&] { ++changes; });
    test::LogCapture log("vellaro.windows");

    Q_EMIT trust.changed(); // nothing really changed
    scheduler.advance(1s);
    EXPECT_EQ(changes, 0);

    trust.trusted = false;
    Q_EMIT trust.changed();
    scheduler.advance(WindowsProvider::recheckDelay - 1ms);
    EXPECT_EQ(changes, 0) << "not before the delay";
    scheduler.advance(1ms);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(provider->wasTrusted());
    EXPECT_EQ(log.lines(), QStringList{QStringLiteral("Window access changed: 0")});

    scheduler.advance(1s);
    EXPECT_EQ(changes, 1);
}

TEST_F(WindowsProviderTest, ActionsOfAGoneProviderDoNothing) {
    const std::vector<MenuItem> items = provider->items();
    Q_EMIT trust.changed();
    provider.reset();
    for (const MenuItem& item : items)
        item.action();
    scheduler.advance(1s);
    EXPECT_TRUE(fake.requests.isEmpty());
}

} // namespace
} // namespace vellaro
