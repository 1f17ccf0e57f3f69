// What each window asks of the session's window manager, and what the window
// manager then offers: the console resizes but never minimises; the capture
// prompt, the picker, the setup assistant and the haptics wizard are titled
// and closable only.

#include "onboarding/HapticsSetupWindowController.h"
#include "onboarding/OnboardingFixture.h"
#include "onboarding/OnboardingWindowController.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/apps/AppCatalog.h"
#include "providers/apps/AddAppPickerController.h"
#include "providers/apps/AppsProvider.h"
#include "providers/apps/AppsStore.h"
#include "providers/apps/FakeAppServices.h"
#include "providers/apps/InstalledAppsIndex.h"
#include "settings/console/ConsoleWindowFixture.h"
#include "support/WaitUntil.h"
#include "support/XcbAtom.h"
#include "support/XcbTestClient.h"
#include "workspaces/CaptureNamePrompt.h"
#include "workspaces/CaptureNameView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>

namespace vellaro {
namespace {

using test::waitUntil;

// The Motif window manager hints' function bits.
constexpr std::uint32_t mwmHasFunctions = 1, mwmMinimize = 8, mwmMaximize = 16, mwmClose = 32;

struct WindowHintsSession : ::testing::Test, test::ConsoleWindowServices {
    test::XcbTestClient client;

    std::vector<std::uint32_t> property(xcb_window_t window, const char* name) {
        const std::uint32_t atom = test::internAtom(client.connection(), name);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            client.connection(),
            xcb_get_property(client.connection(), 0, window, atom, XCB_ATOM_ANY, 0, 64), nullptr);
        std::vector<std::uint32_t> values;
        if (reply && reply->format == 32) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            values.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return values;
    }
    std::string atomName(std::uint32_t atom) {
        xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(
            client.connection(), xcb_get_atom_name(client.connection(), atom), nullptr);
        std::string name = reply ? std::string(xcb_get_atom_name_name(reply),
                                               std::size_t(xcb_get_atom_name_name_length(reply)))
                                 : std::string();
        std::free(reply);
        return name;
    }
    // `_NET_WM_ALLOWED_ACTIONS` as xprop shows it, once the window manager set it.
    std::set<std::string> allowedActions(const QWidget& window) {
        const auto id = static_cast<xcb_window_t>(window.winId());
        std::vector<std::uint32_t> atoms;
        waitUntil([&] {
            atoms = property(id, "_NET_WM_ALLOWED_ACTIONS");
            return !atoms.empty();
        });
        std::set<std::string> names;
        for (std::uint32_t atom : atoms)
            names.insert(atomName(atom));
        return names;
    }

    // Shows a window, then checks what it asked for and what it is offered.
    void check(const char* what, QWidget& window, bool resizable) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(waitUntil([&] { return window.isVisible() && window.isActiveWindow(); }));
        const std::vector<std::uint32_t> motif =
            property(static_cast<xcb_window_t>(window.winId()), "_MOTIF_WM_HINTS");
        ASSERT_GE(motif.size(), 2u);
        ASSERT_TRUE(motif[0] & mwmHasFunctions);
        EXPECT_FALSE(motif[1] & mwmMinimize);
        EXPECT_EQ(bool(motif[1] & mwmMaximize), resizable);
        EXPECT_TRUE(motif[1] & mwmClose);

        const std::set<std::string> offered = allowedActions(window);
        EXPECT_TRUE(offered.contains("_NET_WM_ACTION_CLOSE"));
        EXPECT_TRUE(offered.contains("_NET_WM_ACTION_MOVE"));
        EXPECT_EQ(offered.contains("_NET_WM_ACTION_RESIZE"), resizable);
        EXPECT_EQ(offered.contains("_NET_WM_ACTION_MAXIMIZE_HORZ"), resizable);
        EXPECT_EQ(offered.contains("_NET_WM_ACTION_MAXIMIZE_VERT"), resizable);
        // openbox keeps Minimise (and Fullscreen for normal windows) whatever
        // the Motif hints say; window managers that read them drop both.
        window.close();
    }
};

TEST_F(WindowHintsSession, EachWindowIsOfferedWhatItAllows) {
    SettingsWindowController console(controllerServices());
    console.show();
    check("console", *console.window(), true);

    CaptureNamePrompt prompt([] { return qsizetype(0); }, [](const QString&) {});
    prompt.show();
    check("capture prompt", *prompt.window(), false);

    test::FakeRunningApps running;
    test::FakeLauncher launcher;
    test::FakeDesktop desktop;
    const AppCatalog catalog(AppCatalog::Options{{folder.path()}, {}, {}});
    AppsProvider apps(
        std::make_unique<AppsStore>(folder.path() + "/apps.json", AppsStore::Defaults()),
        std::make_unique<InstalledAppsIndex>([] { return std::vector<InstalledApp>(); }),
        AppsProvider::Services{catalog, running, launcher, desktop, {}, {}});
    AddAppPickerController picker(apps);
    picker.show();
    check("picker", *picker.window(), false);

    test::FakeTrust onboardingTrust;
    test::FakeShell shell{onboardingTrust};
    OnboardingWindowController assistant(
        OnboardingServices{settings, defaults, notifications, scheduler, onboardingTrust, shell},
        {settings, appearance, defaults});
    assistant.show(false);
    check("setup assistant", *assistant.window(), false);

    MouseHapticsClient haptics(scheduler, QStringLiteral("127.0.0.1"), 9);
    HapticsSetupWindowController wizard(
        HapticsSetupServices{haptics,
                             notifications,
                             scheduler,
                             desktop,
                             QStringLiteral("logioptionsplus.desktop"),
                             {folder.path()},
                             folder.filePath("HapticWeb")},
        {settings, appearance, defaults});
    wizard.show();
    check("haptics setup", *wizard.window(), false);
}

} // namespace
} // namespace vellaro
