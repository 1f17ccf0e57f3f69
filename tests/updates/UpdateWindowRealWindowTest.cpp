// The update window as a person meets it under the session's window
// manager: it paints as soon as it maps and again when it grows for a new
// phase (never black or stale until moved), and its buttons answer the real
// pointer. Screenshots in light and dark go to the build folder.
#include "UpdateWindowFixture.h"

#include "support/RealWindow.h"
#include "support/WaitUntil.h"
#include "updates/UpdateButton.h"
#include "updates/UpdateRootView.h"
#include "updates/UpdateViewModel.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

struct UpdateRealWindow : ::testing::Test, test::UpdateWindowFixture {
    QStringList received;

    UpdateRealWindow() {
        model.parkCancelAction([this] { received << "cancel"; });
        model.parkAcknowledge([this] { received << "acknowledge"; });
        model.parkUpdateReply([this](UpdateChoice choice) {
            received << QStringLiteral("update %1").arg(int(choice));
        });
    }
    UpdateRootView& window() const { return *controller.window(); }
    // Shows the window as "Check Now" does and waits until it is painted on screen.
    void present(const char* step) {
        controller.show();
        RealWindow shown(window());
        ASSERT_TRUE(shown.map()) << step << ": black share "
                                 << RealWindow::blackShare(shown.pixels());
    }
};

TEST_F(UpdateRealWindow, PaintsAtOnceAndAnswersThePointer) {
    model.setPhase(UpdatePhase::checking);
    present("checking");
    RealWindow shown(window());
    shown.screenshot("update-checking-light");

    model.setFoundVersion(QStringLiteral("1.1"));
    model.setExpectedLength(12'000'000);
    model.setPhase(UpdatePhase::found);
    ASSERT_TRUE(waitUntil([&] { return window().button(QStringLiteral("Later")) != nullptr; }));
    ASSERT_TRUE(shown.waitPainted());
    // The window grew for the new phase: all of it shows the new content.
    EXPECT_TRUE(waitUntil([&] {
        return RealWindow::hasInk(shown.pixels(*window().primaryButton()));
    })) << shown.screenshot("update-found-unpainted").toStdString();
    shown.screenshot("update-found-light");
    shown.click(*window().button(QStringLiteral("Later")));
    ASSERT_TRUE(waitUntil([&] { return !window().isVisible(); }));
    EXPECT_EQ(received, QStringList{"update 2"});

    model.setPhase(UpdatePhase::upToDate);
    settings.setTheme(ThemeChoice::eclipse);
    present("up to date");
    shown.screenshot("update-up-to-date-dark");
    shown.click(*window().button(QStringLiteral("OK")));
    ASSERT_TRUE(waitUntil([&] { return !window().isVisible(); }));
    EXPECT_EQ(received, (QStringList{"update 2", "acknowledge"}));
}

} // namespace
} // namespace vellaro
