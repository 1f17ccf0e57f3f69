#include "onboarding/HapticsNudge.h"

#include "model/SettingsStore.h"
#include "model/SymbolCatalog.h"
#include "overlay/DialFont.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Defaults.h"
#include "platform/windows/CompositingManager.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

namespace vellaro {

namespace {

// The capsule: frameless, above other windows, never focused, clickable.
// With a compositor it is drawn translucent; without one it is opaque and
// cut to shape.
class NudgeCapsule : public QWidget {
public:
    NudgeCapsule(bool translucent, std::function<void()> onTap)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint),
          translucent_(translucent), onTap_(std::move(onTap)) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        if (translucent_)
            setAttribute(Qt::WA_TranslucentBackground);
        setObjectName(QStringLiteral("hapticsNudge"));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(16, 10, 16, 10);
        layout->setSpacing(8);
        const QColor ink = palette().color(QPalette::WindowText);
        auto* symbol = new QLabel;
        const qreal ratio = devicePixelRatioF();
        QImage mouse = SymbolCatalog::image(QStringLiteral("computermouse"), int(16 * ratio), ink);
        mouse.setDevicePixelRatio(ratio);
        symbol->setPixmap(QPixmap::fromImage(mouse));
        layout->addWidget(symbol);
        auto* text =
            new QLabel(QStringLiteral("Your MX Master can tick — set up haptics in Settings"));
        text->setFont(widgetFont(12, QFont::Medium));
        layout->addWidget(text);
        adjustSize();
        if (!translucent_)
            setMask(QRegion(capsule().toFillPolygon().toPolygon()));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = palette().color(QPalette::Window);
        if (translucent_)
            fill.setAlphaF(0.92f);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.setBrush(fill);
        painter.drawPath(capsule());
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            onTap_();
    }

private:
    QPainterPath capsule() const {
        QPainterPath path;
        const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        path.addRoundedRect(body, body.height() / 2.0, body.height() / 2.0);
        return path;
    }

    bool translucent_;
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
    panel_ = new NudgeCapsule(compositingManagerPresent(), [this] { openSettings(); });
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
