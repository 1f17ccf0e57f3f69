#include "platform/session/SystemActions/ScreenshotCommand.h"
#include "platform/session/SystemActions/ScreenshotNames.h"
#include "platform/session/SystemActions/ScreenshotRunner.h"
#include "platform/session/SystemActions/ToolLauncher.h"
#include "support/FakeTools.h"
#include "support/WaitUntil.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

const QDateTime captureTime(QDate(2024, 5, 1), QTime(14, 3, 22));
const QString expectedName = QStringLiteral("Screenshot 2024-05-01 at 14.03.22.png");

QByteArray smallPng() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

class ScreenshotTest : public ::testing::Test {
protected:
    ScreenshotRunner makeRunner(const QString& desktop = {}) {
        return ScreenshotRunner(
            launcher, {desktop, [this] { return folder.path(); }, [] { return captureTime; }});
    }

    test::FakeTools tools;
    ToolLauncher launcher{tools.searchPath()};
    QTemporaryDir folder;
};

TEST_F(ScreenshotTest, EachToolIsToldWhatToCaptureAndWhere) {
    struct Case {
        const char* tool;
        ScreenshotArea area;
        ScreenshotDestination destination;
        QStringList arguments; // "PATH" stands for the screenshot's file
    };
    using A = ScreenshotArea;
    using D = ScreenshotDestination;
    const std::vector<Case> cases{
        {"gnome-screenshot", A::area, D::file, {"-a", "-f", "PATH"}},
        {"gnome-screenshot", A::window, D::file, {"-w", "-f", "PATH"}},
        {"gnome-screenshot", A::area, D::clipboard, {"-a", "-c"}},
        {"gnome-screenshot", A::window, D::clipboard, {"-w", "-c"}},
        {"spectacle", A::area, D::file, {"-b", "-n", "-r", "-o", "PATH"}},
        {"spectacle", A::window, D::file, {"-b", "-n", "-u", "-o", "PATH"}},
        {"spectacle", A::area, D::clipboard, {"-b", "-n", "-r", "-c"}},
        {"spectacle", A::window, D::clipboard, {"-b", "-n", "-u", "-c"}},
        {"xfce4-screenshooter", A::area, D::file, {"-r", "-s", "PATH"}},
        {"xfce4-screenshooter", A::window, D::file, {"-w", "-s", "PATH"}},
        {"xfce4-screenshooter", A::area, D::clipboard, {"-r", "-c"}},
        {"xfce4-screenshooter", A::window, D::clipboard, {"-w", "-c"}},
        {"scrot", A::area, D::file, {"-s", "PATH"}},
        {"scrot", A::window, D::file, {"-s", "PATH"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tool) + " " + (c.area == A::area ? "area" : "window") + " " +
                     (c.destination == D::file ? "file" : "clipboard"));
        test::FakeTools only;
        only.add(QLatin1String(c.tool));
        ToolLauncher onlyLauncher(only.searchPath());
        ScreenshotRunner runner(onlyLauncher,
                                {{}, [this] { return folder.path(); }, [] { return captureTime; }});
        runner.capture(c.area, c.destination);
        ASSERT_TRUE(waitUntil([&] { return only.calls().size() == 1; }));
        QStringList expected{QLatin1String(c.tool)};
        for (const QString& argument : c.arguments)
            expected << (argument == "PATH" ? folder.filePath(expectedName) : argument);
        EXPECT_EQ(only.calls().front(), expected);
    }
}

// scrot cannot copy: it writes a temporary file whose PNG goes on the clipboard.
TEST_F(ScreenshotTest, ScrotCapturesToTheClipboardThroughATemporaryFile) {
    const QByteArray png = smallPng();
    QTemporaryDir source;
    QFile pngFile(source.filePath(QStringLiteral("shot.png")));
    ASSERT_TRUE(pngFile.open(QIODevice::WriteOnly));
    pngFile.write(png);
    pngFile.close();
    tools.add(QStringLiteral("scrot"),
              QStringLiteral("for last; do :; done; cp '%1' \"$last\"").arg(pngFile.fileName()));
    QGuiApplication::clipboard()->clear();

    makeRunner().capture(ScreenshotArea::area, ScreenshotDestination::clipboard);
    ASSERT_TRUE(waitUntil([] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasFormat(QStringLiteral("image/png"));
    }));
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")), png);
    const QStringList call = tools.calls().front();
    ASSERT_EQ(call.size(), 3);
    EXPECT_EQ(call[1], "-s");
    EXPECT_FALSE(call[2].startsWith(folder.path()));
    // The temporary file is gone once its picture is on the clipboard.
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(call[2]); }));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// A capture that does not come about is told to the user (a tool that could
// not grab the pointer ends with an error and copies nothing).
TEST_F(ScreenshotTest, AFailedCaptureIsTold) {
    struct Case {
        const char* name;
        const char* tool; // null: none installed
        const char* script;
        ScreenshotDestination destination;
        const char* message;
    };
    using D = ScreenshotDestination;
    const std::vector<Case> cases{
        {"a file capture that fails", "gnome-screenshot", "exit 1", D::file,
         "Vellaro could not take the screenshot: gnome-screenshot failed (status 1)."},
        {"a clipboard capture that fails", "spectacle", "exit 2", D::clipboard,
         "Vellaro could not take the screenshot: spectacle failed (status 2)."},
        {"scrot cannot grab the pointer", "scrot", "echo couldnt grab pointer >&2; exit 1",
         D::clipboard, "Vellaro could not take the screenshot: scrot failed (status 1)."},
        {"scrot writes no picture", "scrot", "", D::clipboard,
         "Vellaro could not take the screenshot: scrot saved no picture."},
        {"a tool that crashes", "xfce4-screenshooter", "kill -SEGV $$", D::file,
         "Vellaro could not take the screenshot: xfce4-screenshooter crashed."},
        {"no tool at all", nullptr, "", D::file,
         "Vellaro could not take the screenshot: no screenshot tool is installed "
         "(gnome-screenshot, spectacle, xfce4-screenshooter, scrot)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeTools only;
        if (c.tool)
            only.add(QLatin1String(c.tool), QLatin1String(c.script));
        ToolLauncher onlyLauncher(only.searchPath());
        ScreenshotRunner runner(onlyLauncher,
                                {{}, [this] { return folder.path(); }, [] { return captureTime; }});
        QStringList failures;
        runner.setOnFailure([&](const QString& message) { failures << message; });
        runner.capture(ScreenshotArea::area, c.destination);
        ASSERT_TRUE(waitUntil([&] { return !failures.isEmpty(); }));
        EXPECT_EQ(failures, QStringList{QString::fromUtf8(c.message)});
    }
}

TEST_F(ScreenshotTest, TheDesktopsOwnToolComesFirst) {
    struct Case {
        const char* desktop;
        QStringList installed;
        const char* chosen;
    };
    const QStringList all{"gnome-screenshot", "spectacle", "xfce4-screenshooter", "scrot"};
    const std::vector<Case> cases{
        {"GNOME", all, "gnome-screenshot"},
        {"ubuntu:GNOME", all, "gnome-screenshot"},
        {"KDE", all, "spectacle"},
        {"XFCE", all, "xfce4-screenshooter"},
        {"XFCE", {"scrot", "spectacle"}, "spectacle"},
        {"", {"scrot", "xfce4-screenshooter"}, "xfce4-screenshooter"},
        {"LXDE", {"scrot"}, "scrot"},
        {"GNOME", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        test::FakeTools installed;
        for (const QString& tool : c.installed)
            installed.add(tool);
        ToolLauncher onlyLauncher(installed.searchPath());
        ScreenshotRunner runner(onlyLauncher, {QLatin1String(c.desktop), [] { return QString(); }});
        EXPECT_EQ(runner.tool(), QLatin1String(c.chosen));
    }
}

TEST(ScreenshotNamesTest, NamesAreNeverShared) {
    QTemporaryDir folder;
    const auto name = [&](const char* file) { return folder.filePath(QLatin1String(file)); };
    ScreenshotNames names;
    EXPECT_EQ(names.reserve(folder.path(), captureTime),
              name("Screenshot 2024-05-01 at 14.03.22.png"));
    // Same second, the first capture still running: its name is taken.
    EXPECT_EQ(names.reserve(folder.path(), captureTime),
              name("Screenshot 2024-05-01 at 14.03.22 (2).png"));
    // A file that exists holds its name too.
    QFile existing(name("Screenshot 2024-05-01 at 14.03.22 (3).png"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_EQ(names.reserve(folder.path(), captureTime),
              name("Screenshot 2024-05-01 at 14.03.22 (4).png"));
    // A cancelled capture wrote nothing: its name is free again.
    names.release(name("Screenshot 2024-05-01 at 14.03.22.png"));
    EXPECT_EQ(names.reserve(folder.path(), captureTime),
              name("Screenshot 2024-05-01 at 14.03.22.png"));
    // Another second, another name; the hour is two-digit, 24-hour.
    EXPECT_EQ(names.reserve(folder.path(), QDateTime(QDate(2024, 12, 31), QTime(9, 5, 7))),
              name("Screenshot 2024-12-31 at 09.05.07.png"));
}

TEST_F(ScreenshotTest, TwoCapturesInOneSecondKeepBothFiles) {
    tools.add(QStringLiteral("gnome-screenshot"),
              QStringLiteral("for last; do :; done; : > \"$last\""));
    ScreenshotRunner runner = makeRunner();
    runner.capture(ScreenshotArea::area, ScreenshotDestination::file);
    runner.capture(ScreenshotArea::window, ScreenshotDestination::file);
    ASSERT_TRUE(waitUntil([&] { return tools.calls().size() == 2; }));
    ASSERT_TRUE(waitUntil([&] { return QDir(folder.path()).count() == 4; }));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{"Screenshot 2024-05-01 at 14.03.22 (2).png",
                           "Screenshot 2024-05-01 at 14.03.22.png"}));
    // The same second once more, after both ended: the files hold the names.
    runner.capture(ScreenshotArea::area, ScreenshotDestination::file);
    ASSERT_TRUE(waitUntil([&] { return tools.calls().size() == 3; }));
    EXPECT_EQ(tools.calls().back().back(),
              folder.filePath("Screenshot 2024-05-01 at 14.03.22 (3).png"));
}

} // namespace
} // namespace vellaro
