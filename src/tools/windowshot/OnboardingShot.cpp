#include "OnboardingShot.h"

#include "ShotHome.h"

#include "model/SettingsStore.h"
#include "onboarding/GrantPage.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingShell.h"
#include "onboarding/OnboardingWindowController.h"
#include "platform/session/Appearance.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/WindowAccessTrust.h"
#include "ui/KitAccentButton.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

namespace vellaro::windowshot {

namespace {

class PictureTrust final : public WindowAccessTrust {
public:
    bool trusted = false;
    bool isTrusted() override { return trusted; }
};

class PictureShell final : public OnboardingShell {
public:
    PictureTrust* trust = nullptr;
    bool registered = true;
    bool isTrusted() const override { return trust->trusted; }
    QString requestAccess() override { return {}; }
    QString openAccessSettings() override { return {}; }
    void revealApp() override {}
    bool storedHotKeyIsRegistered() const override { return registered; }
    QString mouseButtonName(long long) const override { return QStringLiteral("Middle Click"); }
    void openConsole() override {}
};

struct Scene {
    const char* name;
    OnboardingStep step;
    bool trusted;
    std::function<void(Notifications&, QWidget* page, PictureShell&)> act;
    bool hotKeyRefused = false;
};

QImage render(const Scene& scene, bool dark) {
    ShotHome home(dark);
    Defaults& defaults = home.defaults;
    PictureTrust trust;
    trust.trusted = scene.trusted;
    PictureShell shell;
    shell.trust = &trust;
    shell.registered = !scene.hotKeyRefused;
    const bool begun = scene.step != OnboardingStep::welcome;
    defaults.setValue(OnboardingProgress::begunKey, begun);
    if (scene.step >= OnboardingStep::hotkey)
        defaults.setValue(OnboardingProgress::grantDeferredKey, true);
    if (scene.step == OnboardingStep::ready)
        defaults.setValue(OnboardingProgress::rehearsedKey, true);
    OnboardingWindowController controller(
        {home.settings, defaults, home.hub, QtScheduler::shared(), trust, shell},
        {home.settings, home.appearance, defaults});
    controller.show(false);
    QCoreApplication::processEvents();
    if (scene.act)
        scene.act(home.hub, controller.rootView()->page(), shell);
    // Let the page's fade-in finish.
    settle(300);
    QWidget& window = *controller.window();
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&image);
    return image;
}

} // namespace

int writeOnboardingSet(const QString& folder) {
    const Scene scenes[] = {
        {"welcome", OnboardingStep::welcome, false, nullptr},
        {"grant-idle", OnboardingStep::grant, false, nullptr},
        {"grant-watching", OnboardingStep::grant, false,
         [](Notifications&, QWidget* page, PictureShell&) {
             static_cast<GrantPage*>(page)->primaryButton()->click();
         }},
        {"grant-granted", OnboardingStep::grant, false,
         [](Notifications&, QWidget* page, PictureShell& shell) {
             shell.trust->trusted = true;
             static_cast<GrantPage*>(page)->check();
         }},
        {"rehearsal-before", OnboardingStep::hotkey, false, nullptr},
        {"rehearsal-after", OnboardingStep::hotkey, false,
         [](Notifications& hub, QWidget*, PictureShell&) {
             hub.post(QStringLiteral("vellaroOverlayDidShow"));
         }},
        {"rehearsal-warning", OnboardingStep::hotkey, false, nullptr, true},
        {"ready-satisfied", OnboardingStep::ready, true, nullptr},
        {"ready-deferred", OnboardingStep::ready, false, nullptr},
    };
    int written = 0;
    for (const Scene& scene : scenes)
        for (bool dark : {false, true}) {
            const QString file = QDir(folder).filePath(
                QStringLiteral("onboarding-%1-%2.png")
                    .arg(QString::fromLatin1(scene.name),
                         dark ? QStringLiteral("dark") : QStringLiteral("light")));
            if (render(scene, dark).save(file))
                ++written;
        }
    return written;
}

} // namespace vellaro::windowshot
