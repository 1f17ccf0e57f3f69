// The settings console under the session's window manager: the real window
// becomes active, wedges dragged off with XTest (at points of the live dial)
// shrink settings.json, and Undo and Ctrl+Z bring them back. The program
// itself maps its "Vellaro" window for --open-settings. Pictures of the real
// window in light and dark land in the build folder.

#include "ConsoleWindowFixture.h"

#include "support/RunProgram.h"
#include "support/WaitUntil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;
const auto run = test::runProgram;
using test::xdotool;

struct ConsoleSession : ::testing::Test, test::ConsoleWindowFixture {
    // The section list settings.json holds now.
    int savedSectionCount() const {
        QFile file(settings.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        if (root.value("arrangement").toString() != "custom")
            return int(standardSections().size());
        return int(root.value("customSections").toArray().size());
    }
    void moveTo(QPoint global) {
        xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
    }
    QPoint onScreen(QPointF dialPoint) const { return dial().mapToGlobal(dialPoint.toPoint()); }

    // Drags wedge `section` off the dial with the real pointer.
    void dragOff(int section) {
        const RadialLayout& l = dial().layout();
        const double angle = l.sectionAngle(section);
        moveTo(onScreen(wedge(section)));
        xdotool({"mousedown", "1"});
        for (double out : {10.0, 40.0, 80.0, 120.0})
            moveTo(onScreen(dialPoint(angle, l.ringOuter + out)));
        xdotool({"mouseup", "1"});
    }
    void save(const char* name) {
        controller->window()->grab().save(QStringLiteral(VELLARO_PICTURE_DIR "/%1.png").arg(name));
    }
};

TEST_F(ConsoleSession, DragOffUndoAndControlZUnderTheWindowManager) {
    open();
    ConsoleWindowFrame& window = *controller->window();
    ASSERT_TRUE(waitUntil([&] { return window.isActiveWindow(); }));
    save("console-session-light");

    dragOff(0);
    ASSERT_TRUE(waitUntil([&] { return savedSectionCount() == 5; }));
    ASSERT_EQ(toastText(), "Workspaces returned to the library");
    ConsoleToastView& toast = root().preview().toastView();
    moveTo(toast.mapToGlobal(toast.undoRect().center().toPoint()));
    xdotool({"click", "1"});
    ASSERT_TRUE(waitUntil([&] { return savedSectionCount() == 6; }));

    dragOff(1);
    ASSERT_TRUE(waitUntil([&] { return savedSectionCount() == 5; }));
    xdotool({"key", "ctrl+z"});
    ASSERT_TRUE(waitUntil([&] { return savedSectionCount() == 6; }));

    settings.setTheme(ThemeChoice::eclipse);
    QCoreApplication::processEvents();
    save("console-session-dark");
}

TEST(ConsoleProgram, OpenSettingsMapsTheConsole) {
    QProcess vellaro;
    vellaro.setProcessChannelMode(QProcess::MergedChannels);
    vellaro.start(QStringLiteral(VELLARO_BINARY), {"--open-settings"});
    ASSERT_TRUE(vellaro.waitForStarted());
    const bool mapped = waitUntil(
        [] {
            return !run("xdotool", {"search", "--onlyvisible", "--name", "^Vellaro$"}).isEmpty();
        },
        30000);
    vellaro.terminate();
    vellaro.waitForFinished(5000);
    EXPECT_TRUE(mapped) << vellaro.readAll().constData();
}

} // namespace
} // namespace vellaro
