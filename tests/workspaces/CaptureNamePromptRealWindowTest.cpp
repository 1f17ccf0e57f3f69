// The capture prompt as a person meets it under the session's window
// manager, opened from "Capture Setup" and typed and clicked at with XTest:
// it paints as it maps, in the desktop's light and dark palettes; a blank
// name captures nothing, a typed one is captured trimmed of spaces into
// workspaces.json, and Cancel writes nothing. Screenshots go to the build
// folder.
#include "workspaces/CaptureNamePrompt.h"

#include "WindowWalkFixture.h"
#include "model/WindowAppearance.h"
#include "support/RealWindow.h"
#include "support/WaitUntil.h"
#include "workspaces/CaptureNameView.h"
#include "workspaces/WorkspacesProvider.h"
#include "workspaces/WorkspacesStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

struct CaptureNamePromptRealWindow : ::testing::Test {
    QTemporaryDir data;
    test::FakeDesktopWindows desktop;
    test::ControlledWalk walk{desktop.access};
    std::unique_ptr<WorkspacesProvider> provider;
    std::unique_ptr<CaptureNamePrompt> prompt;
    const QPalette desktopPalette = QApplication::palette();

    // The provider and its prompt bound as the program binds them.
    CaptureNamePromptRealWindow() {
        desktop.add(QStringLiteral("xterm"), 40, QStringLiteral("shell"), QRect(10, 10, 300, 200));
        desktop.add(QStringLiteral("xclock"), 41, QStringLiteral("clock"),
                    QRect(400, 10, 160, 160));
        provider = std::make_unique<WorkspacesProvider>(
            WorkspacesStore(data.path()),
            WorkspacesProvider::Services{desktop.access, walk.function(), [] { return true; },
                                         [] {}, [this] { prompt->show(); }, [](const Workspace&) {},
                                         [](const QString&, std::int64_t, std::int64_t) {}});
        prompt = std::make_unique<CaptureNamePrompt>(
            [this] { return qsizetype(provider->workspaces().size()); },
            [this](const QString& name) { provider->capture(name); });
    }
    ~CaptureNamePromptRealWindow() override { QApplication::setPalette(desktopPalette); }

    QStringList savedNames() const {
        QStringList names;
        for (const Workspace& workspace : WorkspacesStore(data.path()).load().workspaces)
            names << workspace.name;
        return names;
    }
    // "Capture Setup" tapped: the prompt maps painted.
    CaptureNameView& open(const char* step) {
        provider->captureSetupTapped();
        CaptureNameView& view = *prompt->window();
        EXPECT_TRUE(RealWindow(view).map())
            << step << " " << RealWindow(view).screenshot("capture-prompt-unpainted").toStdString();
        return view;
    }
    // The screen shows the prompt as it is now; kept as NAME.png.
    static void shot(CaptureNameView& view, const QString& name) {
        RealWindow shown(view);
        ASSERT_TRUE(shown.waitPainted(*view.nameField())) << name.toStdString();
        EXPECT_TRUE(RealWindow::hasInk(shown.pixels(*view.nameField())));
        EXPECT_TRUE(RealWindow::hasInk(shown.pixels(*view.captureButton())));
        shown.screenshot(QStringLiteral("capture-prompt-") + name);
    }
};

TEST_F(CaptureNamePromptRealWindow, TypedNameIsCapturedBlankAndCancelWriteNothing) {
    QPointer<CaptureNameView> view = &open("first prompt");
    RealWindow shown(*view);
    EXPECT_EQ(view->nameField()->text(), QStringLiteral("Workspace 1"));
    shot(*view, "light");

    // The proposed name is selected: typing replaces it; erased, nothing can be captured.
    ASSERT_TRUE(waitUntil([&] { return view->nameField()->hasFocus(); }));
    shown.key("ctrl+a");
    shown.key("BackSpace");
    ASSERT_TRUE(waitUntil([&] { return !view->captureButton()->isEnabled(); }));
    shown.click(*view->captureButton());
    shown.key("Return");
    EXPECT_TRUE(view) << "a blank name closed the prompt";
    EXPECT_FALSE(QFile::exists(data.filePath("workspaces.json")));
    shot(*view, "blank-light");

    shown.type(QStringLiteral("  Desk  "));
    ASSERT_TRUE(waitUntil([&] { return view->captureButton()->isEnabled(); }));
    shot(*view, "typed-light");
    shown.click(*view->captureButton());
    ASSERT_TRUE(waitUntil([&] { return !view; })) << "Capture drops the prompt";
    ASSERT_TRUE(waitUntil([&] { return savedNames() == QStringList{"Desk"}; }))
        << savedNames().join(", ").toStdString();
    EXPECT_EQ(WorkspacesStore(data.path()).load().workspaces.front().windowCount(), 2);

    // On a dark desktop: a new prompt, counted afresh, and Cancel writes nothing.
    QApplication::setPalette(WindowAppearance::palette(Pal::dark(), ColorScheme::dark));
    view = &open("second prompt");
    EXPECT_EQ(view->nameField()->text(), QStringLiteral("Workspace 2"));
    shot(*view, "dark");
    const QByteArray saved = [&] {
        QFile file(data.filePath("workspaces.json"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    RealWindow(*view).click(*view->cancelButton());
    ASSERT_TRUE(waitUntil([&] { return !view; })) << "Cancel drops the prompt";
    QFile file(data.filePath("workspaces.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), saved);
}

} // namespace
} // namespace vellaro
