// The real program in the private session: the hot key and the Forward button
// open the dial over an xterm, the middle button still pastes there, a held trigger released over a
// wedge opens its fan, Escape closes, and the xterm never sees the trigger or Escape. The program's
// debug lines (QT_LOGGING_RULES) tell what the dial did.
#include "core/RadialLayout.h"
#include "model/MenuScale.h"
#include "model/SectionKind.h"
#include "platform/windows/X11WindowSystem.h"
#include "support/GeometryPrinters.h"
#include "support/LoggedProgram.h"
#include "support/RunProgram.h"
#include "support/VellaroHome.h"
#include "support/WaitUntil.h"
#include "support/XtermFrame.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;
const auto run = test::runProgram;
using test::VellaroHome;
using test::xdotool;

QString number(int value) {
    return QString::number(value);
}

class VellaroSession : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(VellaroHome::settingsFile()); // each test starts from the defaults
        VellaroHome::markSetupDone();
        typed = QDir::temp().filePath("typed");
        // The window the user works in: whatever reaches it ends in `typed`.
        xterm.start("xterm",
                    {"-geometry", "100x40+20+20", "-title", "vellaro-target", "-e", "sh", "-c",
                     QStringLiteral("stty raw -echo; exec cat -v > '%1'").arg(typed)});
        ASSERT_TRUE(xterm.waitForStarted());
        ASSERT_TRUE(waitUntil([&] {
            window = run("xdotool", {"search", "--name", "vellaro-target"}).section('\n', 0, 0);
            return !window.isEmpty() && QFile::exists(typed);
        }));
        xdotool({"windowactivate", "--sync", window});
        const QString geometry = run("xdotool", {"getwindowgeometry", "--shell", window});
        const auto value = [&](const char* key) {
            return QRegularExpression(QStringLiteral("%1=(-?\\d+)").arg(key))
                .match(geometry)
                .captured(1)
                .toInt();
        };
        centre = QPoint(value("X") + value("WIDTH") / 2, value("Y") + value("HEIGHT") / 2);
    }

    void TearDown() override {
        if (vellaro.state() != QProcess::NotRunning) {
            vellaro.terminate();
            vellaro.waitForFinished(5000);
        }
        xterm.kill();
        xterm.waitForFinished(5000);
    }

    // Alt+Space, the window-menu key that the session's window manager
    // (openbox) holds, as an older install may still have stored it.
    static void configureHotKeyAltSpace() {
        ASSERT_TRUE(VellaroHome::writeSettings(
            R"({"version": 2, "hotKeyCode": 49, "hotKeyModifiers": 2048,
                "hotKeyDisplay": "\u2325Space"})"));
    }

    QByteArray typedText() const {
        QFile file(typed);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void startVellaro() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_LOGGING_RULES", "vellaro.overlay.debug=true;vellaro.app.debug=true");
        ASSERT_TRUE(
            test::startLogged(vellaro, log, env, QStringLiteral(VELLARO_BINARY), "Vellaro ready"))
            << log.constData();
    }

    int count(const char* line) const { return static_cast<int>(log.count(line)); }
    bool logged(const QByteArray& line, int times = 1) {
        return waitUntil([&] { return log.count(line) >= times; });
    }

    // Types `sentinel` into the xterm and waits until it arrives, so all
    // that reached the xterm before it has arrived too.
    QByteArray typedUpTo(char sentinel) {
        xdotool({"windowactivate", "--sync", window});
        xdotool({"type", QString(QChar(sentinel))});
        QByteArray text;
        waitUntil([&] { return (text = typedText()).endsWith(sentinel); });
        return text;
    }

    void pointAt(QPoint point) { xdotool({"mousemove", number(point.x()), number(point.y())}); }

    QString typed;
    QProcess xterm;
    QProcess vellaro;
    QByteArray log;
    QString window;
    QPoint centre;
};

TEST_F(VellaroSession, TriggersOpenTheDialAndNeverReachTheWindowBelow) {
    // First the xterm alone takes a key and pastes on a middle click, so
    // the check at the end would see a leak.
    QGuiApplication::clipboard()->setText("PASTED", QClipboard::Selection);
    pointAt(centre);
    xdotool({"click", "2"});
    ASSERT_TRUE(waitUntil([&] { return typedText().contains("PASTED"); }));
    const QByteArray before = typedUpTo('a');
    ASSERT_TRUE(before.endsWith("PASTEDa")) << before.constData();

    startVellaro();
    const QByteArray shownAt =
        QStringLiteral("dial shown, centre %1 %2").arg(centre.x()).arg(centre.y()).toUtf8();

    // The hot key held 400 ms, released over the wedge below the centre.
    pointAt(centre);
    xdotool({"keydown", "ctrl+alt+space"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidShow\"")) << log.constData();
    EXPECT_TRUE(log.contains(shownAt)) << log.constData();
    const QString panel =
        run("xdotool", {"search", "--name", "^Vellaro Dial$"}).section('\n', 0, 0);
    ASSERT_FALSE(panel.isEmpty());
    const QString frame = run("xwininfo", {"-id", panel});
    EXPECT_TRUE(frame.contains("Map State: IsViewable")) << frame.toStdString();
    const auto field = [&](const char* label) {
        return QRegularExpression(QStringLiteral("%1:\\s+(-?\\d+)").arg(label))
            .match(frame)
            .captured(1)
            .toInt();
    };
    EXPECT_EQ(field("Absolute upper-left X") + field("Width") / 2, centre.x());
    EXPECT_EQ(field("Absolute upper-left Y") + field("Height") / 2, centre.y());

    pointAt(centre + QPoint(0, 90));
    QThread::msleep(400); // the hold itself, longer than the 300 ms gesture hold
    xdotool({"keyup", "space", "alt", "ctrl"});
    EXPECT_TRUE(logged("dial trigger released -> fan of section 3 open")) << log.constData();

    // Escape goes back to the ring, then closes.
    xdotool({"key", "Escape"});
    xdotool({"key", "Escape"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidHide\"")) << log.constData();

    // The Forward button (X button 9): a tap leaves the dial open, Escape
    // closes it.
    pointAt(centre);
    xdotool({"click", "9"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidShow\"", 2)) << log.constData();
    EXPECT_EQ(count("posted \"vellaroOverlayDidHide\""), 1);
    xdotool({"key", "Escape"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidHide\"", 2)) << log.constData();

    EXPECT_EQ(typedUpTo('z'), before + 'z') << log.constData();
    EXPECT_EQ(vellaro.state(), QProcess::Running);
}

TEST_F(VellaroSession, HotKeyTakenByTheDesktopIsReported) {
    configureHotKeyAltSpace();
    startVellaro();
    EXPECT_TRUE(log.contains("Could not register hot key (status -9878)")) << log.constData();
    EXPECT_TRUE(log.contains("Open: MB5 · Forward · Alt+Space is taken by another program"))
        << log.constData();
    // The mouse trigger still opens the dial.
    pointAt(centre);
    xdotool({"click", "9"});
    EXPECT_TRUE(logged("posted \"vellaroOverlayDidShow\"")) << log.constData();
}

// A new install takes nothing the desktop uses: its hot key registers and
// a middle click over a terminal still pastes the primary selection.
TEST_F(VellaroSession, DefaultsLeaveTheDesktopsKeysAndTheMiddleClickAlone) {
    startVellaro();
    EXPECT_FALSE(log.contains("Could not register hot key")) << log.constData();

    QGuiApplication::clipboard()->setText("PASTED", QClipboard::Selection);
    pointAt(centre);
    xdotool({"click", "2"});
    EXPECT_TRUE(waitUntil([&] { return typedText().contains("PASTED"); })) << log.constData();
    EXPECT_EQ(count("posted \"vellaroOverlayDidShow\""), 0);

    xdotool({"key", "ctrl+alt+space"});
    EXPECT_TRUE(logged("posted \"vellaroOverlayDidShow\"")) << log.constData();
}

TEST_F(VellaroSession, LeftHalfFromTheWindowsFanSnapsTheActiveXterm) {
    startVellaro();
    X11WindowSystem windows(X11Connection::qt());
    const WindowId term = window.toUInt();
    ASSERT_TRUE(waitUntil([&] { return windows.activeWindow() == term; }));

    // Where the standard dial shows the windows wedge and its first fan item.
    const auto& sections = standardSections();
    const auto windowsSection =
        std::find(sections.begin(), sections.end(), SectionKind::windows) - sections.begin();
    const RadialLayout layout = RadialLayout::standard(std::int64_t(sections.size()))
                                    ->scaled(scaleFactor(MenuScale::standard));
    const QPoint dialCentre(720, 450); // the screen's middle: the fan needs no offset
    const auto at = [](Point p) { return QPoint(qRound(p.x), qRound(p.y)); };
    const Point middle{double(dialCentre.x()), double(dialCentre.y())};

    pointAt(dialCentre);
    xdotool({"keydown", "ctrl+alt+space"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidShow\"")) << log.constData();
    pointAt(at(layout.wedgeCenter(windowsSection, middle)));
    QThread::msleep(400); // a held trigger, longer than the gesture hold
    xdotool({"keyup", "space", "alt", "ctrl"});
    ASSERT_TRUE(logged(QStringLiteral("dial trigger released -> fan of section %1 open")
                           .arg(windowsSection)
                           .toUtf8()))
        << log.constData();

    // The first item of the fan is "Left Half".
    pointAt(at(layout.fanItemCenter(windowsSection, 0, 6, 0, middle)));
    xdotool({"click", "1"});
    ASSERT_TRUE(logged("posted \"vellaroOverlayDidHide\"")) << log.constData();

    EXPECT_TRUE(waitUntil([&] {
        return test::landedWithinACell(windows.frame(term), {0, 0, 720, 900});
    })) << ::testing::PrintToString(windows.frame(term))
        << log.constData();
}

} // namespace
} // namespace vellaro
