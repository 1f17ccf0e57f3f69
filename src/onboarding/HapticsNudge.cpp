#include "onboarding/HapticsNudge.h"

#include "model/SettingsStore.h"
#include "overlay/DialFont.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

namespace vellaro {

namespace {

// The capsule: frameless, above other windows, never focused, clickable.
class NudgeCapsule : public QWidget {
public:
    explicit NudgeCapsule(std::function<void()> onTap)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint),
          onTap_(std::move(onTap)) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("hapticsNudge"));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(16, 10, 16, 10);
        layout->setSpacing(8);
        auto* text =
            new QLabel(QStringLiteral("Your MX Master can tick — set up haptics in Settings"));
        text->setFont(widgetFont(12, QFont::Medium));
        layout->addWidget(text);
        setStyleSheet(QStringLiteral("NudgeCapsule{background:palette(window);}"));
        adjustSize();
        // Shaped, so it reads as a capsule with or without a compositor.
        QPainterPath capsule;
        capsule.addRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);
        setMask(QRegion(capsule.toFillPolygon().toPolygon()));
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            onTap_();
    }

private:
    std::function<void()> onTap_;
};

} // namespace

HapticsNudge::HapticsNudge(Services services, QObject* parent)
    : QObject(parent), s_(std::move(services)) {}

HapticsNudge::~HapticsNudge() {
    s_.scheduler.cancel(dismissTask_);
    delete panel_.data();
}

void HapticsNudge::showIfNeeded() {
    if (s_.defaults.boolValue(shownKey) || !s_.settings.settings().hapticsEnabled ||
        s_.pluginFolderPresent() || !s_.mouseConnected())
        return;
    s_.haptics.isPluginReachable(this, [this](bool reachable) {
        // An answering plug-in: ask again at the next launch.
        if (reachable)
            return;
        s_.defaults.setValue(shownKey, true);
        present();
    });
}

void HapticsNudge::present() {
    dismiss();
    panel_ = new NudgeCapsule([this] { openSettings(); });
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        panel_->move(area.right() + 1 - panel_->width() - 20, area.top() + 24);
    }
    panel_->show();
    dismissTask_ = s_.scheduler.schedule(showFor, [this] {
        dismissTask_ = 0;
        dismiss();
    });
}

void HapticsNudge::openSettings() {
    dismiss();
    s_.openConsole();
}

void HapticsNudge::dismiss() {
    s_.scheduler.cancel(dismissTask_);
    dismissTask_ = 0;
    if (panel_)
        panel_->close();
}

} // namespace vellaro
