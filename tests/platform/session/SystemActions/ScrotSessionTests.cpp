#include "platform/session/SystemActions/ScreenshotRunner.h"
#include "platform/session/SystemActions/ToolLauncher.h"
#include "support/PrivateXSession.h"
#include "support/WaitUntil.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdio>

namespace vellaro {
namespace {

using test::waitUntil;

// The real scrot, alone on the search path, so no other installed tool is chosen.
class ScrotSession : public ::testing::Test {
protected:
    void SetUp() override {
        const QString scrot = QStandardPaths::findExecutable(QStringLiteral("scrot"));
        if (scrot.isEmpty())
            GTEST_SKIP() << "scrot is not installed";
        ASSERT_TRUE(QFile::link(scrot, tools.filePath(QStringLiteral("scrot"))));
        xterm.start(QStringLiteral("xterm"),
                    {QStringLiteral("-geometry"), QStringLiteral("80x24+40+40")});
        QProcess search;
        search.start(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--class"),
                      QStringLiteral("xterm")});
        ASSERT_TRUE(search.waitForFinished(15000));
    }
    void TearDown() override {
        xterm.kill();
        xterm.waitForFinished();
    }

    // Waits until scrot holds the pointer (its selection has begun), then
    // drags from (x, y) by (width, height) with XTest.
    static void drag(int x, int y, int width, int height) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const bool grabbed = waitUntil([&] {
            auto* reply = xcb_grab_pointer_reply(
                connection,
                xcb_grab_pointer(connection, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                 XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                nullptr);
            const bool taken = reply && reply->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
            std::free(reply);
            if (!taken) {
                xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
                xcb_flush(connection);
            }
            return taken;
        });
        xcb_disconnect(connection);
        ASSERT_TRUE(grabbed);
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      {"mousemove", QString::number(x), QString::number(y), "mousedown", "1",
                       "mousemove", QString::number(x + width / 2), QString::number(y + height / 2),
                       "mousemove", QString::number(x + width), QString::number(y + height),
                       "mouseup", "1"});
        ASSERT_TRUE(xdotool.waitForFinished(10000));
    }

    QTemporaryDir tools;
    QTemporaryDir folder;
    QProcess xterm;
};

TEST_F(ScrotSession, ADragWritesAPictureOfTheDraggedArea) {
    ToolLauncher launcher({tools.path()});
    ScreenshotRunner runner(launcher, {QString(), [this] { return folder.path(); }});
    runner.capture(ScreenshotArea::area, ScreenshotDestination::file);
    drag(60, 60, 200, 120);
    QString written;
    ASSERT_TRUE(waitUntil([&] {
        const QStringList files = QDir(folder.path()).entryList({"Screenshot *.png"}, QDir::Files);
        if (files.isEmpty())
            return false;
        written = folder.filePath(files.front());
        return !QImage(written).isNull();
    }));
    const QImage picture(written);
    EXPECT_NEAR(picture.width(), 200, 2);
    EXPECT_NEAR(picture.height(), 120, 2);
}

TEST_F(ScrotSession, TheClipboardVariantOffersAPng) {
    ToolLauncher launcher({tools.path()});
    ScreenshotRunner runner(launcher, {QString(), [this] { return folder.path(); }});
    runner.capture(ScreenshotArea::area, ScreenshotDestination::clipboard);
    drag(80, 70, 150, 90);
    ASSERT_TRUE(waitUntil([] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasFormat(QStringLiteral("image/png"));
    }));
    // Another X client reads it from CLIPBOARD.
    QProcess reader;
    reader.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--read-clipboard-png")});
    ASSERT_TRUE(waitUntil([&] { return reader.state() == QProcess::NotRunning; }, 20000));
    const QImage picture = QImage::fromData(reader.readAllStandardOutput(), "PNG");
    EXPECT_NEAR(picture.width(), 150, 2);
    EXPECT_NEAR(picture.height(), 90, 2);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

} // namespace
} // namespace vellaro

// A helper mode: print the clipboard's image/png, as another program sees it.
int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--read-clipboard-png") == 0) {
        QGuiApplication app(argc, argv);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        const QByteArray png = data ? data->data(QStringLiteral("image/png")) : QByteArray();
        QFile out;
        out.open(stdout, QIODevice::WriteOnly);
        out.write(png);
        return png.isEmpty() ? 1 : 0;
    }
    // scrot grabs the pointer for its selection: on an X server of its own
    // it neither waits for nor disturbs other tests' grabs and windows.
    vellaro::test::PrivateXSession display;
    if (!display.start()) {
        std::fprintf(stderr, "scrot_session_test: no private X server\n");
        return 1;
    }
    qputenv("DISPLAY", display.display().toLocal8Bit());
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
