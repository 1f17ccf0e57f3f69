#include "HapticsShot.h"

#include "ShotHome.h"

#include "model/SettingsStore.h"
#include "model/WindowAppearance.h"
#include "onboarding/HapticsNudge.h"
#include "onboarding/HapticsSetupView.h"
#include "onboarding/HapticsSetupWindowController.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/session/Desktop.h"
#include "platform/session/Notifications.h"
#include "platform/time/QtScheduler.h"
#include "ui/KitAccentButton.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

namespace vellaro::windowshot {

namespace {

class NoDesktop final : public Desktop {
public:
    void open(const QUrl&) override {}
    void reveal(const QString&) override {}
};

struct Scene {
    const char* name;
    bool steps;          // on the checklist before the first answer
    bool pluginFolder;   // the plug-in's folder is there
    bool pluginAnswers;  // every probe is answered
    bool finish = false; // "Done" pressed once the plug-in answered
};

void press(HapticsSetupView& view, const QString& label) {
    for (KitAccentButton* button : view.findChildren<KitAccentButton*>())
        if (button->label() == label && !button->isHidden() && button->isEnabled()) {
            Q_EMIT button->clicked();
            return;
        }
}

QImage render(const Scene& scene, bool dark) {
    ShotHome home(dark);
    const QTemporaryDir& folder = home.folder;
    NoDesktop desktop;
    MouseHapticsClient haptics(QtScheduler::shared(), QStringLiteral("127.0.0.1"), 9);
    const QString pluginFolder = folder.filePath(QStringLiteral("HapticWeb"));
    if (scene.pluginFolder)
        QDir().mkpath(pluginFolder);
    HapticsSetupServices services{haptics,
                                  home.hub,
                                  QtScheduler::shared(),
                                  desktop,
                                  QStringLiteral("logioptionsplus.desktop"),
                                  {folder.filePath(QStringLiteral("applications"))},
                                  pluginFolder};
    services.probe = [answers = scene.pluginAnswers](const QObject*,
                                                     std::function<void(bool)> done) {
        // Answered later, as the network would: the page may change first.
        QTimer::singleShot(0, [done, answers] { done(answers); });
    };
    HapticsSetupWindowController controller(services,
                                            {home.settings, home.appearance, home.defaults});
    controller.show();
    HapticsSetupView& view = *controller.view();
    if (scene.steps)
        press(view, QStringLiteral("Set Up"));
    settle(200);
    if (scene.finish)
        press(view, QStringLiteral("Done"));
    settle(300);
    QWidget& window = *controller.window();
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&image);
    return image;
}

QImage renderNudge(bool dark) {
    ShotHome home(dark);
    MouseHapticsClient haptics(QtScheduler::shared(), QStringLiteral("127.0.0.1"), 9);
    const QPalette before = QApplication::palette();
    const Pal pal = dark ? Pal::dark() : Pal::light();
    QApplication::setPalette(
        WindowAppearance::palette(pal, dark ? ColorScheme::dark : ColorScheme::light));
    HapticsNudge nudge({home.defaults, home.settings, QtScheduler::shared(), haptics,
                        [] { return true; }, [] { return false; }, [] {}});
    nudge.present();
    settle(100);
    QWidget& panel = *nudge.panel();
    // The desktop behind it, as a plain backdrop.
    QImage image(panel.size() + QSize(24, 24), QImage::Format_ARGB32_Premultiplied);
    image.fill(pal.canvas);
    panel.render(&image, QPoint(12, 12), QRegion(), QWidget::DrawChildren);
    QApplication::setPalette(before);
    return image;
}

} // namespace

int writeHapticsSet(const QString& folder) {
    const Scene scenes[] = {
        {"explain", false, false, false},
        {"steps-none", true, false, false},
        {"steps-folder-waiting", true, true, false},
        {"steps-burst-sent", true, true, true},
        {"done", true, true, true, true},
    };
    int written = 0;
    const auto save = [&](const QImage& image, const QString& name, bool dark) {
        const QString file = QDir(folder).filePath(
            QStringLiteral("%1-%2.png")
                .arg(name, dark ? QStringLiteral("dark") : QStringLiteral("light")));
        if (image.save(file))
            ++written;
    };
    for (bool dark : {false, true}) {
        for (const Scene& scene : scenes)
            save(render(scene, dark),
                 QStringLiteral("haptics-setup-%1").arg(QLatin1String(scene.name)), dark);
        save(renderNudge(dark), QStringLiteral("haptics-nudge"), dark);
    }
    return written;
}

} // namespace vellaro::windowshot
