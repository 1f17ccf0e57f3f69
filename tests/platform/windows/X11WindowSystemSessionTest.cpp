#include "platform/windows/FrameExtents.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/GeometryPrinters.h"
#include "support/RunProgram.h"
#include "support/SplitScreen.h"
#include "support/WaitUntil.h"
#include "support/XcbAtom.h"
#include "support/XcbDockWindow.h"
#include "support/XcbTestClient.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtConcurrent/QtConcurrentRun>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace vellaro {
namespace {

// Generous: xterm may take long to map on a loaded machine.
constexpr int windowBoundMs = 60000;

QString hexId(WindowId window) {
    return QStringLiteral("0x") + QString::number(window, 16);
}

// The numbers after each of `labels` in a tool's output, in that order.
QList<int> numbersAfter(const QString& text, const QStringList& labels) {
    QList<int> numbers;
    for (const QString& label : labels) {
        const QRegularExpression pattern(QRegularExpression::escape(label) +
                                         QStringLiteral("\\s*(-?\\d+)"));
        const QRegularExpressionMatch match = pattern.match(text);
        if (!match.hasMatch())
            return {};
        numbers.append(match.captured(1).toInt());
    }
    return numbers;
}

// The client window as xwininfo sees it, in root pixels.
std::optional<QRect> xwininfoClient(WindowId window) {
    const QList<int> n = numbersAfter(
        test::runProgram(QStringLiteral("xwininfo"), {QStringLiteral("-id"), hexId(window)}),
        {QStringLiteral("Absolute upper-left X:"), QStringLiteral("Absolute upper-left Y:"),
         QStringLiteral("Width:"), QStringLiteral("Height:")});
    if (n.size() != 4)
        return std::nullopt;
    return QRect(n[0], n[1], n[2], n[3]);
}

QString xprop(WindowId window, const QString& property) {
    return test::runProgram(QStringLiteral("xprop"),
                            {QStringLiteral("-id"), hexId(window), property});
}

// _NET_FRAME_EXTENTS as the window manager set it.
std::optional<FrameExtents> xpropExtents(WindowId window) {
    const QRegularExpression pattern(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const QRegularExpressionMatch m =
        pattern.match(xprop(window, QStringLiteral("_NET_FRAME_EXTENTS")));
    if (!m.hasMatch())
        return std::nullopt;
    return FrameExtents{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                        m.captured(4).toInt()};
}

// "Normal" or "Iconic".
QString xpropWmState(WindowId window) {
    const QRegularExpression pattern(QStringLiteral("window state: (\\w+)"));
    return pattern.match(xprop(window, QStringLiteral("WM_STATE"))).captured(1);
}

QList<WindowId> xpropClientList() {
    const QString text = test::runProgram(
        QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")});
    QList<WindowId> windows;
    const QRegularExpression hex(QStringLiteral("0x[0-9a-f]+"));
    for (auto it = hex.globalMatch(text); it.hasNext();)
        windows.append(it.next().captured(0).mid(2).toUInt(nullptr, 16));
    return windows;
}

// A program of the session with one window, started for the suite and stopped by its pid.
struct SessionProgram {
    QString program;
    QStringList arguments;
    QString title;
    std::unique_ptr<QProcess> process;
    WindowId window = 0;

    std::uint32_t pid() const { return static_cast<std::uint32_t>(process->processId()); }
};

class X11WindowSystemSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto add = [](const QString& program, const QStringList& arguments,
                            const QString& title) {
            programs_.push_back({program, arguments, title, std::make_unique<QProcess>(), 0});
        };
        add(QStringLiteral("xterm"), {QStringLiteral("-T"), QStringLiteral("Vellaro Walk Term")},
            QStringLiteral("Vellaro Walk Term"));
        add(QStringLiteral("xeyes"), {}, QStringLiteral("xeyes"));
        add(QStringLiteral("xclock"),
            {QStringLiteral("-title"), QStringLiteral("Vellaro Walk Clock")},
            QStringLiteral("Vellaro Walk Clock"));
        for (SessionProgram& program : programs_) {
            program.process->start(program.program, program.arguments);
            program.process->waitForStarted(10000);
        }
    }

    static void TearDownTestSuite() {
        for (SessionProgram& program : programs_) {
            program.process->kill();
            program.process->waitForFinished(10000);
        }
        // The window manager is done with the windows before the next test begins.
        X11WindowSystem system(X11Connection::open());
        test::waitUntil([&] {
            const QList<ClientWindow> listed = system.clientWindows();
            return std::none_of(listed.begin(), listed.end(), [](const ClientWindow& window) {
                return std::any_of(programs_.begin(), programs_.end(),
                                   [&](const SessionProgram& p) { return p.window == window.id; });
            });
        });
        programs_.clear();
    }

    void SetUp() override {
        for (SessionProgram& program : programs_) {
            ASSERT_EQ(program.process->state(), QProcess::Running) << program.program.toStdString();
            if (program.window != 0)
                continue;
            ASSERT_TRUE(test::waitUntil(
                [&] {
                    for (const ClientWindow& window : system.clientWindows()) {
                        if (window.pid == program.pid())
                            program.window = window.id;
                    }
                    return program.window != 0 && xpropExtents(program.window).has_value();
                },
                windowBoundMs))
                << program.program.toStdString() << " never showed a managed window";
        }
    }

    static WindowId term() { return programs_[0].window; }
    static WindowId eyes() { return programs_[1].window; }
    static WindowId clock() { return programs_[2].window; }

    // The outer frame the window manager gives `window`, by xwininfo and xprop.
    static std::optional<QRect> toolFrame(WindowId window) {
        const auto client = xwininfoClient(window);
        const auto extents = xpropExtents(window);
        if (!client || !extents)
            return std::nullopt;
        return extents->around(*client);
    }

    bool frameBecomes(WindowId window, const QRect& expected) {
        return test::waitUntil([&] { return system.frame(window) == expected; });
    }

    X11WindowSystem system{X11Connection::qt()};
    static inline std::vector<SessionProgram> programs_;
};

TEST_F(X11WindowSystemSessionTest, WalksTheClientListWithTitlesAndPids) {
    const QList<ClientWindow> windows = system.clientWindows();
    QList<WindowId> ids;
    for (const ClientWindow& window : windows)
        ids.append(window.id);
    EXPECT_EQ(ids, xpropClientList()) << "the window manager's order";

    for (const SessionProgram& program : programs_) {
        const auto found = std::find_if(windows.begin(), windows.end(), [&](const ClientWindow& w) {
            return w.id == program.window;
        });
        ASSERT_NE(found, windows.end());
        // None of the three sets _NET_WM_NAME; xeyes sets no _NET_WM_PID either.
        EXPECT_EQ(found->title, program.title);
        EXPECT_EQ(found->pid, program.pid()) << program.program.toStdString();
        EXPECT_TRUE(found->regular) << program.program.toStdString();
        EXPECT_FALSE(found->minimized) << program.program.toStdString();
    }
}

TEST_F(X11WindowSystemSessionTest, AWorkerThreadWalksOnAConnectionOfItsOwn) {
    const QList<ClientWindow> onQt = system.clientWindows();
    const QList<ClientWindow> own = QtConcurrent::run([] {
                                        X11WindowSystem worker(X11Connection::open());
                                        return worker.clientWindows();
                                    }).result();
    ASSERT_EQ(own.size(), onQt.size());
    for (qsizetype i = 0; i < own.size(); ++i) {
        EXPECT_EQ(own[i].id, onQt[i].id);
        EXPECT_EQ(own[i].title, onQt[i].title);
        EXPECT_EQ(own[i].pid, onQt[i].pid);
    }
}

TEST_F(X11WindowSystemSessionTest, FramesAreClientWindowsGrownByTheFrameExtents) {
    const QList<WindowId> windows = {term(), eyes(), clock()};
    const QList<std::optional<QRect>> frames = system.frames(windows);
    ASSERT_EQ(frames.size(), windows.size());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const auto expected = toolFrame(windows[i]);
        ASSERT_TRUE(expected);
        EXPECT_EQ(frames[i], expected)
            << programs_[static_cast<std::size_t>(i)].program.toStdString();
        EXPECT_EQ(system.frame(windows[i]), expected);
    }
}

TEST_F(X11WindowSystemSessionTest, WrittenFramesReadBack) {
    const QRect eyesTarget(100, 120, 300, 200);
    const QRect clockTarget(450, 140, 260, 230);
    ASSERT_TRUE(system.setFrame(eyes(), eyesTarget));
    ASSERT_TRUE(system.setFrame(clock(), clockTarget));
    EXPECT_TRUE(frameBecomes(eyes(), eyesTarget)) << "xeyes";
    EXPECT_TRUE(frameBecomes(clock(), clockTarget)) << "xclock";
    EXPECT_EQ(toolFrame(clock()), clockTarget);

    // xterm sizes its client in whole character cells.
    const QList<int> cell =
        numbersAfter(xprop(term(), QStringLiteral("WM_NORMAL_HINTS")),
                     {QStringLiteral("program specified resize increment:"), QStringLiteral("by")});
    ASSERT_EQ(cell.size(), 2);
    const QRect termTarget(200, 300, 503, 397);
    ASSERT_TRUE(system.setFrame(term(), termTarget));
    const auto landed = [&] {
        const auto frame = system.frame(term());
        return frame && frame->topLeft() == termTarget.topLeft() &&
               std::abs(frame->width() - termTarget.width()) < cell[0] &&
               std::abs(frame->height() - termTarget.height()) < cell[1];
    };
    EXPECT_TRUE(test::waitUntil(landed)) << ::testing::PrintToString(system.frame(term()));
}

TEST_F(X11WindowSystemSessionTest, AMaximisedWindowLeavesThatStateToMove) {
    test::XcbTestClient client;
    const auto atom = [&](const char* name) { return test::internAtom(client.connection(), name); };
    xcb_client_message_event_t maximise{};
    maximise.response_type = XCB_CLIENT_MESSAGE;
    maximise.format = 32;
    maximise.window = clock();
    maximise.type = atom("_NET_WM_STATE");
    maximise.data.data32[0] = 1; // add
    maximise.data.data32[1] = atom("_NET_WM_STATE_MAXIMIZED_VERT");
    maximise.data.data32[2] = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    maximise.data.data32[3] = 2;
    xcb_send_event(client.connection(), 0, client.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&maximise));
    client.sync();
    ASSERT_TRUE(test::waitUntil([&] {
        return xprop(clock(), QStringLiteral("_NET_WM_STATE"))
            .contains(QStringLiteral("MAXIMIZED"));
    }));

    const QRect target(300, 200, 240, 260);
    ASSERT_TRUE(system.setFrame(clock(), target));
    EXPECT_TRUE(frameBecomes(clock(), target))
        << ::testing::PrintToString(system.frame(clock())) << " "
        << xprop(clock(), QStringLiteral("_NET_WM_STATE")).toStdString();
    EXPECT_FALSE(
        xprop(clock(), QStringLiteral("_NET_WM_STATE")).contains(QStringLiteral("MAXIMIZED")));
}

TEST_F(X11WindowSystemSessionTest, MinimisesAndShowsAgainWithoutActivating) {
    // xeyes and xclock take no keyboard focus, so they never become active.
    ASSERT_TRUE(system.activate(term()));
    ASSERT_TRUE(test::waitUntil([&] { return system.activeWindow() == term(); }));

    ASSERT_TRUE(system.minimize(eyes()));
    EXPECT_TRUE(test::waitUntil([&] { return xpropWmState(eyes()) == QStringLiteral("Iconic"); }));
    EXPECT_TRUE(system.isMinimized(eyes()));

    // An iconic window is moved and stays iconic.
    const QRect target(60, 500, 220, 180);
    ASSERT_TRUE(system.setFrame(eyes(), target));
    EXPECT_TRUE(frameBecomes(eyes(), target));
    EXPECT_EQ(xpropWmState(eyes()), QStringLiteral("Iconic"));
    const QList<ClientWindow> walked = system.clientWindows();
    EXPECT_TRUE(std::any_of(walked.begin(), walked.end(),
                            [&](const ClientWindow& w) { return w.id == eyes() && w.minimized; }));

    ASSERT_TRUE(system.unminimize(eyes()));
    EXPECT_TRUE(test::waitUntil([&] { return xpropWmState(eyes()) == QStringLiteral("Normal"); }));
    EXPECT_FALSE(system.isMinimized(eyes()));
    EXPECT_EQ(system.activeWindow(), term());
    // Where it was moved to, once the window manager's restore animation ends.
    EXPECT_TRUE(frameBecomes(eyes(), target)) << ::testing::PrintToString(system.frame(eyes()));
}

TEST_F(X11WindowSystemSessionTest, AWindowThatIsGoneHasNoFrameAndRefusesRequests) {
    test::XcbTestClient client;
    const xcb_window_t gone = xcb_generate_id(client.connection());
    xcb_create_window(client.connection(), XCB_COPY_FROM_PARENT, gone, client.root(), 0, 0, 10, 10,
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_destroy_window(client.connection(), gone);
    client.sync();

    EXPECT_EQ(system.frame(gone), std::nullopt);
    const QList<std::optional<QRect>> frames = system.frames({gone, eyes()});
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0], std::nullopt);
    EXPECT_TRUE(frames[1].has_value()) << "a live window after a gone one still reads";
    EXPECT_FALSE(system.setFrame(gone, QRect(0, 0, 100, 100)));
    EXPECT_FALSE(system.minimize(gone));
    EXPECT_FALSE(system.unminimize(gone));
    EXPECT_FALSE(system.activate(gone));
    EXPECT_FALSE(system.isMinimized(gone));

    // A window manager may leave the id of a window that is gone as the active
    // one. The window manager's own value is put back afterwards.
    const WindowId active = system.activeWindow();
    const std::uint32_t property = test::internAtom(client.connection(), "_NET_ACTIVE_WINDOW");
    const auto setActive = [&](xcb_window_t window) {
        xcb_change_property(client.connection(), XCB_PROP_MODE_REPLACE, client.root(), property,
                            XCB_ATOM_WINDOW, 32, 1, &window);
        client.sync();
    };
    setActive(gone);
    EXPECT_EQ(system.activeWindow(), 0u);
    setActive(active);
}

TEST_F(X11WindowSystemSessionTest, PointerPositionInRootPixels) {
    test::XcbTestClient client;
    client.movePointer(321, 456);
    EXPECT_EQ(system.pointerPosition(), QPoint(321, 456));
}

TEST_F(X11WindowSystemSessionTest, MonitorsWithTheirVisibleFrames) {
    const QList<Monitor> one = system.monitors();
    ASSERT_EQ(one.size(), 1);
    const QRect screen = one[0].frame;
    EXPECT_EQ(screen, QRect(0, 0, 1440, 900));
    EXPECT_EQ(one[0].visibleFrame, screen);

    const test::XcbDockWindow dock(30);
    const QRect belowDock = screen.adjusted(0, 30, 0, 0);
    EXPECT_TRUE(test::waitUntil([&] {
        return system.monitors().value(0).visibleFrame == belowDock;
    })) << "the dock's strut";
    const QList<ClientWindow> walked = system.clientWindows();
    const auto docked = std::find_if(walked.begin(), walked.end(),
                                     [&](const ClientWindow& w) { return w.id == dock.window(); });
    if (docked != walked.end()) {
        EXPECT_FALSE(docked->regular) << "a dock is no application window";
    }

    const test::SplitScreen split;
    ASSERT_TRUE(test::waitUntil([&] { return system.monitors().size() == 2; }));
    const QList<Monitor> two = system.monitors();
    EXPECT_EQ(two[0], (Monitor{split.left, QRect(0, 0, 720, 900), QRect(0, 30, 720, 870)}));
    EXPECT_EQ(two[1], (Monitor{split.right, QRect(720, 0, 720, 900), QRect(720, 30, 720, 870)}));
}

} // namespace
} // namespace vellaro
