// The real program in the private session: the hot key and the middle button
// open the dial over an xterm, a held trigger released over a wedge opens
// its fan, Escape closes, and the xterm never sees the trigger or Escape.
// The program's debug lines (QT_LOGGING_RULES) tell what the dial did.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void xdotool(const QStringList& arguments) { run(QStringLiteral("xdotool"), arguments); }

class VellaroSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        typed = dir.filePath("typed");
        // The window the user works in: whatever reaches it ends in `typed`.
        xterm.start("xterm", {"-geometry", "100x40+20+20", "-title", "vellaro-target", "-e", "sh",
                              "-c", QStringLiteral("stty raw -echo; exec cat -v > '%1'").arg(typed)});
        ASSERT_TRUE(xterm.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!(window = run("xdotool", {"search", "--name", "vellaro-target"}))
                                      .isEmpty(),
                                 10000);
        window = window.split('\n').first();
        xdotool({"windowactivate", "--sync", window});
        const QString geometry = run("xdotool", {"getwindowgeometry", "--shell", window});
        const auto value = [&](const char* key) {
            const QRegularExpression re(QStringLiteral("%1=(-?\\d+)").arg(key));
            return re.match(geometry).captured(1).toInt();
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

    QByteArray typedText() const {
        QFile file(typed);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void startVellaro() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_LOGGING_RULES", "vellaro.overlay.debug=true;vellaro.app.debug=true");
        vellaro.setProcessEnvironment(env);
        vellaro.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&vellaro, &QProcess::readyRead, [this] { log += vellaro.readAll(); });
        vellaro.start(QStringLiteral(VELLARO_BINARY), {});
        ASSERT_TRUE(vellaro.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("Vellaro ready"), 20000);
    }

    int count(const QByteArray& line) const { return static_cast<int>(log.count(line)); }

    // Waits until the xterm has taken `sentinel`, so everything typed before
    // it has arrived too.
    QByteArray typedUpTo(char sentinel) {
        xdotool({"windowactivate", "--sync", window});
        xdotool({"type", QString(QChar(sentinel))});
        QByteArray text;
        [&] { QTRY_VERIFY_WITH_TIMEOUT((text = typedText()).endsWith(sentinel), 10000); }();
        return text;
    }

    QTemporaryDir dir;
    QString typed;
    QProcess xterm;
    QProcess vellaro;
    QByteArray log;
    QString window;
    QPoint centre;
};

TEST_F(VellaroSession, TriggersOpenTheDialAndNeverReachTheWindowBelow) {
    // First the xterm alone takes a key and pastes on a middle click, so
    // the checks below would see a leak.
    QGuiApplication::clipboard()->setText("PASTED", QClipboard::Selection);
    xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())});
    xdotool({"click", "2"});
    QTRY_VERIFY_WITH_TIMEOUT(typedText().contains("PASTED"), 10000);
    const QByteArray before = typedUpTo('a');

    startVellaro();
    const QByteArray shownAt =
        QStringLiteral("dial shown, centre %1 %2").arg(centre.x()).arg(centre.y()).toUtf8();

    // Hot key held 400 ms, released over the wedge below the centre.
    xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())});
    xdotool({"keydown", "alt+space"});
    QTRY_COMPARE_WITH_TIMEOUT(count("posted \"vellaroOverlayDidShow\""), 1, 10000);
    EXPECT_TRUE(log.contains(shownAt)) << log.constData();
    const QString panel = run("xdotool", {"search", "--name", "^Vellaro Dial$"});
    ASSERT_FALSE(panel.isEmpty());
    const QString frame = run("xwininfo", {"-id", panel.split('\n').first()});
    EXPECT_TRUE(frame.contains("Map State: IsViewable")) << frame.toStdString();
    const auto number = [&](const char* label) {
        return QRegularExpression(QStringLiteral("%1:\\s+(-?\\d+)").arg(label))
            .match(frame)
            .captured(1)
            .toInt();
    };
    EXPECT_EQ(number("Absolute upper-left X") + number("Width") / 2, centre.x());
    EXPECT_EQ(number("Absolute upper-left Y") + number("Height") / 2, centre.y());

    xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y() + 90)});
    QTest::qWait(400); // the hold itself
    xdotool({"keyup", "space", "alt"});
    QTRY_VERIFY_WITH_TIMEOUT(log.contains("dial trigger released -> fan of section 3 open"), 10000);

    // Escape goes back to the ring, then closes.
    xdotool({"key", "Escape"});
    xdotool({"key", "Escape"});
    QTRY_COMPARE_WITH_TIMEOUT(count("posted \"vellaroOverlayDidHide\""), 1, 10000);

    // The middle button: a tap leaves the dial open, Escape closes it.
    xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())});
    xdotool({"click", "2"});
    QTRY_COMPARE_WITH_TIMEOUT(count("posted \"vellaroOverlayDidShow\""), 2, 10000);
    xdotool({"key", "Escape"});
    QTRY_COMPARE_WITH_TIMEOUT(count("posted \"vellaroOverlayDidHide\""), 2, 10000);

    EXPECT_EQ(typedUpTo('z'), before + 'z') << log.constData();
    EXPECT_EQ(vellaro.state(), QProcess::Running);
}

TEST_F(VellaroSession, SecondCopyExitsAndLeavesTheFirstRunning) {
    startVellaro();
    QProcess second;
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(QStringLiteral(VELLARO_BINARY), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAll().contains("already running")) << log.constData();
    EXPECT_EQ(vellaro.state(), QProcess::Running);

    // The first copy still answers its hot key.
    xdotool({"key", "alt+space"});
    QTRY_COMPARE_WITH_TIMEOUT(count("posted \"vellaroOverlayDidShow\""), 1, 10000);
}

} // namespace
