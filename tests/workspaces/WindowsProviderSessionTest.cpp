// The windows section on the session's openbox: snaps, Last Size and Next
// Display move a real xterm; a window manager that rewrites its check
// property unchanged changes nothing.
#include "workspaces/WindowsProvider.h"

#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/GeometryPrinters.h"
#include "support/ManualScheduler.h"
#include "support/RunProgram.h"
#include "support/WaitUntil.h"
#include "support/XcbAtom.h"
#include "support/XcbDockWindow.h"
#include "support/XtermFrame.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace vellaro {
namespace {

// Generous: xterm may take long to map on a loaded machine.
constexpr int windowBoundMs = 60000;
constexpr int screenWidth = 1440;
constexpr int screenHeight = 900;

// Two monitors side by side on the one screen, removed again even when a
// test fails.
struct SplitScreen {
    SplitScreen() {
        test::runProgram(QStringLiteral("xrandr"),
                         {QStringLiteral("--setmonitor"), QStringLiteral("vellaro-left"),
                          QStringLiteral("720/190x900/238+0+0"), QStringLiteral("screen")});
        test::runProgram(QStringLiteral("xrandr"),
                         {QStringLiteral("--setmonitor"), QStringLiteral("vellaro-right"),
                          QStringLiteral("720/190x900/238+720+0"), QStringLiteral("none")});
    }
    ~SplitScreen() {
        for (const char* name : {"vellaro-left", "vellaro-right"})
            test::runProgram(QStringLiteral("xrandr"),
                             {QStringLiteral("--delmonitor"), QLatin1String(name)});
    }
};

class WindowsProviderSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        xterm_ = new QProcess;
        xterm_->start(QStringLiteral("xterm"),
                      {QStringLiteral("-T"), QStringLiteral("Vellaro Snap Term")});
        xterm_->waitForStarted(10000);
    }
    static void TearDownTestSuite() {
        xterm_->kill();
        xterm_->waitForFinished(10000);
        delete xterm_;
        xterm_ = nullptr;
        term_ = 0;
    }

    void SetUp() override {
        ASSERT_EQ(xterm_->state(), QProcess::Running);
        ASSERT_TRUE(test::waitUntil(
            [&] {
                for (const ClientWindow& window : system.clientWindows())
                    if (window.pid == static_cast<std::uint32_t>(xterm_->processId()))
                        term_ = window.id;
                return term_ != 0 && system.frame(term_).has_value();
            },
            windowBoundMs))
            << "the xterm never showed a managed window";
        ASSERT_TRUE(system.activate(term_));
        ASSERT_TRUE(test::waitUntil([&] { return system.activeWindow() == term_; }));
    }

    // Puts the xterm back at a known place, keeping its size.
    QRect placeAt(QPoint origin) {
        const QRect start(origin, system.frame(term_).value_or(QRect()).size());
        system.setFrame(term_, start);
        EXPECT_TRUE(test::waitUntil([&] { return system.frame(term_) == start; }))
            << ::testing::PrintToString(system.frame(term_));
        return start;
    }

    void choose(const char* label) {
        for (const MenuItem& item : provider.items())
            if (item.label() == QLatin1String(label))
                return item.action();
        FAIL() << "no item " << label;
    }

    static inline QProcess* xterm_ = nullptr;
    static inline WindowId term_ = 0;

    X11WindowSystem system{X11Connection::qt()};
    WindowAccess access{system, [](const ClientWindow& w) { return w.wmClass; },
                        [](const QString&) { return QString(); }, 0};
    test::ManualScheduler trustScheduler;
    X11WindowAccessTrust trust{trustScheduler};
    WindowsProvider provider{access, trust, QtScheduler::shared(), [] {}};
};

// Each layout, then Last Size back to where the window was, on the whole
// screen and under a 30 pixel dock along the top.
TEST_F(WindowsProviderSessionTest, SnapsTheActiveXtermAndSwapsItBack) {
    for (const int dockHeight : {0, 30}) {
        SCOPED_TRACE(dockHeight);
        std::unique_ptr<test::XcbDockWindow> dock;
        if (dockHeight > 0)
            dock = std::make_unique<test::XcbDockWindow>(dockHeight);
        ASSERT_TRUE(test::waitUntil([&] {
            const QList<Monitor> monitors = system.monitors();
            return !monitors.isEmpty() && monitors[0].visibleFrame.y() == dockHeight;
        }));
        const int top = dockHeight;
        const int height = screenHeight - dockHeight;

        const QRect start = placeAt({100, 100});
        const QSize size = start.size();
        const struct {
            const char* label;
            QRect asked;
        } layouts[] = {
            {"Left Half", {0, top, screenWidth / 2, height}},
            {"Right Half", {screenWidth / 2, top, screenWidth / 2, height}},
            {"Maximize", {0, top, screenWidth, height}},
            {"Center",
             {(screenWidth - size.width()) / 2, top + (height - size.height()) / 2, size.width(),
              size.height()}},
        };
        for (const auto& layout : layouts) {
            SCOPED_TRACE(layout.label);
            choose(layout.label);
            EXPECT_TRUE(test::waitUntil([&] {
                return test::landedWithinACell(system.frame(term_), layout.asked);
            })) << ::testing::PrintToString(system.frame(term_));
            choose("Last Size");
            EXPECT_TRUE(test::waitUntil([&] { return system.frame(term_) == start; }))
                << ::testing::PrintToString(system.frame(term_));
        }
    }
}

TEST_F(WindowsProviderSessionTest, NextDisplayCentresOnTheOtherMonitorAndWraps) {
    const SplitScreen split;
    ASSERT_TRUE(test::waitUntil([&] { return system.monitors().size() == 2; }));
    const QRect start = placeAt({100, 100});
    const int width = start.width();
    const int y = (screenHeight - start.height()) / 2;

    choose("Next Display");
    const QRect onRight(720 + (720 - width) / 2, y, width, start.height());
    EXPECT_TRUE(test::waitUntil([&] { return system.frame(term_) == onRight; }))
        << ::testing::PrintToString(system.frame(term_));

    choose("Next Display");
    const QRect onLeft((720 - width) / 2, y, width, start.height());
    EXPECT_TRUE(test::waitUntil([&] { return system.frame(term_) == onLeft; }))
        << ::testing::PrintToString(system.frame(term_));
}

// The window manager's check property rewritten with its own value.
void rewriteSupportingCheck() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(connection));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t check = test::internAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    ASSERT_NE(check, std::uint32_t{XCB_ATOM_NONE});
    xcb_get_property_reply_t* value = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(xcb_get_property_value_length(value), 4);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, check, XCB_ATOM_WINDOW, 32, 1,
                        xcb_get_property_value(value));
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::free(value);
    xcb_disconnect(connection);
}

TEST_F(WindowsProviderSessionTest, AnUnchangedWindowManagerChangesNothing) {
    int changes = 0;
    provider.setOnChange([&] { ++changes; });
    ASSERT_TRUE(trust.isTrusted()); // starts the watch
    ASSERT_TRUE(provider.wasTrusted());

    rewriteSupportingCheck();
    ASSERT_TRUE(test::waitUntil([&] { return trustScheduler.pendingCount() == 1; }))
        << "the property change was seen and a re-check planned";
    trustScheduler.advance(X11WindowAccessTrust::recheckDelay);
    EXPECT_EQ(trustScheduler.pendingCount(), 0u);
    EXPECT_TRUE(trust.isTrusted());
    EXPECT_TRUE(provider.wasTrusted());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(provider.items().size(), 6u);
}

} // namespace
} // namespace vellaro
