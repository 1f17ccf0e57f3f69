#include "app/AccessibilityExplainerView.h"
#include "app/AccessibilityPermission.h"
#include "app/AppDelegate.h"
#include "app/ConsoleWindowService.h"
#include "app/HapticsNudgeAdapter.h"
#include "app/HotKeyCenter.h"
#include "app/InstanceSelection.h"
#include "app/LaunchRequest.h"
#include "app/Logging.h"
#include "app/MouseTriggerCenter.h"
#include "app/OnboardingSetupAssistant.h"
#include "app/QuitSignals.h"
#include "app/RadialDialView.h"
#include "app/SectionProviderFactory.h"
#include "app/UpdaterCenterService.h"
#include "app/X11Display.h"
#include "harness/SpikeRunner.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "onboarding/HapticsNudge.h"
#include "onboarding/HapticsSetupWindowController.h"
#include "onboarding/OnboardingWindowController.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Appearance.h"
#include "platform/session/Defaults.h"
#include "platform/session/Desktop.h"
#include "platform/session/DesktopNotification.h"
#include "platform/session/LeftoverFiles.h"
#include "platform/session/LoginItem.h"
#include "platform/session/Notifications.h"
#include "platform/session/SessionBus.h"
#include "platform/time/QtScheduler.h"
#include "platform/updater/HostInfo.h"
#include "platform/updater/InstallLocation.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "updates/UpdaterCenter.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>

using namespace vellaro;

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool onboardingCompleted() {
    return Defaults::shared().boolValue(QStringLiteral("vellaroOnboardingCompleted"));
}

} // namespace

int main(int argc, char** argv) {
    const LaunchRequest request = LaunchRequest::fromArguments(argumentsOf(argc, argv));
    switch (request.mode) {
    case LaunchRequest::Mode::Help:
        std::fputs(qPrintable(LaunchRequest::usage()), stdout);
        return 0;
    case LaunchRequest::Mode::Version: {
        const HostInfo host = HostInfo::ofThisBuild();
        std::printf("Vellaro %s (build %s)\n", qPrintable(host.version),
                    qPrintable(host.buildVersion));
        return 0;
    }
    case LaunchRequest::Mode::Usage:
        std::fprintf(stderr, "vellaro: unknown option %s\n", qPrintable(request.badArgument));
        std::fputs(qPrintable(LaunchRequest::usage()), stderr);
        return 64; // EX_USAGE
    case LaunchRequest::Mode::SpikeCapture:
        return SpikeRunner().capture(request.harnessPath);
    case LaunchRequest::Mode::SpikeMatch:
        return SpikeRunner().match(request.harnessPath);
    case LaunchRequest::Mode::Application:
        break;
    }

    if (X11Display::neededButMissing()) {
        // Qt would abort with its own fatal error.
        std::fprintf(stderr,
                     "Vellaro needs an X11 display; DISPLAY is not set or cannot be opened\n");
        return 1;
    }

    // A second copy would fail every grab: it hands its request to the first.
    InstanceSelection instance;
    bool onlyCopy = false;
    switch (instance.claimOrHandOver(QString(), request.forwardedActions())) {
    case InstanceSelection::Outcome::handedOver:
        return 0;
    case InstanceSelection::Outcome::failed:
        if ((request.actions & LaunchRequest::quit) != 0)
            return 0;
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            std::fprintf(stderr, "vellaro: %s; starting without the one-copy check\n",
                         qPrintable(instance.errorString()));
        break;
    case InstanceSelection::Outcome::owner:
        if ((request.actions & LaunchRequest::quit) != 0) {
            std::fprintf(stderr, "vellaro: Vellaro is not running on this display\n");
            return 0;
        }
        onlyCopy = true;
        break;
    }
    // Leftovers of interrupted saves are ours to remove only while no other copy runs.
    if (onlyCopy)
        LeftoverFiles::remove();

    SessionBus::checkBeforeStart(std::chrono::milliseconds(SessionBus::answerTimeoutMs));

    // Debug lines stay off unless QT_LOGGING_RULES asks for them.
    QLoggingCategory::setFilterRules(QStringLiteral("vellaro.*.debug=false"));
    QApplication::setApplicationName(QStringLiteral("Vellaro"));
    QApplication::setOrganizationName(QStringLiteral("Vellaro"));
    QApplication::setDesktopFileName(QStringLiteral("org.vellaro.Vellaro"));
    QApplication app(argc, argv);
    QuitSignals quitSignals;
    QApplication::setQuitOnLastWindowClosed(false);
    MenuDataSource::setSharedProviderFactory(&makeSectionProvider);
    QApplication::setApplicationVersion(UpdaterCenter::shared().currentVersion());
    ConsoleWindowService settingsConsole;
    UpdaterCenterService updates(UpdaterCenter::shared());
    OnboardingShellServices onboardingShell(AccessibilityPermission::shared(),
                                            HotKeyCenter::shared(), SettingsStore::shared(),
                                            settingsConsole);
    LoginItem loginItem(InstallLocation::ofThisProcess().launcherPath);
    OnboardingWindowController onboarding(
        OnboardingServices{SettingsStore::shared(), Defaults::shared(), Notifications::shared(),
                           QtScheduler::shared(), X11WindowAccessTrust::shared(), onboardingShell,
                           &UpdaterCenter::shared(), &loginItem},
        ConsoleWindowFrame::Services::shared());
    OnboardingSetupAssistant setupAssistant(onboarding);
    HapticsNudge nudge(HapticsNudge::Services{
        Defaults::shared(), SettingsStore::shared(), QtScheduler::shared(),
        MouseHapticsClient::shared(), [] { return MouseHapticsClient::isMXMasterConnected(); },
        [] { return MouseHapticsClient::isPluginFolderPresent(); },
        [&settingsConsole] { settingsConsole.show(); }});
    HapticsNudgeAdapter hapticsNudge(nudge);
    HapticsSetupWindowController hapticsSetup(
        HapticsSetupServices{MouseHapticsClient::shared(), Notifications::shared(),
                             QtScheduler::shared(), Desktop::shared()},
        ConsoleWindowFrame::Services::shared());
    settingsConsole.setContextPanelServices([&hapticsSetup] {
        ContextPanelServices services = ConsoleWindowService::sharedContextPanelServices();
        services.showHapticsSetup = [&hapticsSetup] { hapticsSetup.show(); };
        return services;
    });

    AppDelegate delegate(
        AppDelegate::Services{SettingsStore::shared(),
                              []() -> MenuDataSource& { return MenuDataSource::shared(); },
                              Appearance::shared(), Notifications::shared(), HotKeyCenter::shared(),
                              MouseTriggerCenter::shared(), QtScheduler::shared(), settingsConsole,
                              setupAssistant, updates, hapticsNudge,
                              [](double scale, int side) -> std::unique_ptr<OverlayDialView> {
                                  return std::make_unique<RadialDialView>(
                                      scale, side, RadialMenuView::Services::shared());
                              },
                              &onboardingCompleted,
                              [](const QString& text) {
                                  DesktopNotification::post(QStringLiteral("Vellaro"), text);
                              }},
        request);
    QTimer::singleShot(0, &delegate, [&delegate, &instance] {
        delegate.applicationDidFinishLaunching();
        instance.listen([&delegate](std::uint32_t actions) { delegate.perform(actions); });
    });
    return app.exec();
}
