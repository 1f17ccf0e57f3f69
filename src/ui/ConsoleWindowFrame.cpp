#include "ui/ConsoleWindowFrame.h"

#include "model/WindowAppearance.h"
#include "platform/session/Appearance.h"
#include "platform/session/Defaults.h"
#include "ui/GtkThemeVariant.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace vellaro {

ConsoleWindowFrame::Services ConsoleWindowFrame::Services::shared() {
    return {SettingsStore::shared(), Appearance::shared(), Defaults::shared()};
}

ConsoleWindowFrame::ConsoleWindowFrame(const Services& services, const Look& look, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(services.settings), appearance_(services.appearance),
      autosave_(services.defaults, look.frameName) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (look.maximizable)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(look.title);
    // Popups and dialogs opened from the window take its palette.
    setAttribute(Qt::WA_WindowPropagation);
    setMinimumSize(look.minimumSize);
    placeFirstTime(look);

    observer_ = settings_.addObserver([this] { applyAppearance(); });
    connect(&appearance_, &Appearance::changed, this, &ConsoleWindowFrame::applyAppearance);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &ConsoleWindowFrame::saveFrame);
    applyAppearance();
}

ConsoleWindowFrame::~ConsoleWindowFrame() {
    settings_.removeObserver(observer_);
}

void ConsoleWindowFrame::placeFirstTime(const Look& look) {
    if (const std::optional<QRect> saved =
            autosave_.name().isEmpty() ? std::nullopt : autosave_.savedFrame()) {
        setGeometry(*saved);
        return;
    }
    resize(look.size.expandedTo(look.minimumSize));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void ConsoleWindowFrame::applyAppearance() {
    const VellaroSettings& settings = settings_.settings();
    const ColorScheme desktop = appearance_.colorScheme();
    const ColorScheme scheme = WindowAppearance::scheme(settings, desktop);
    const Pal pal = WindowAppearance::pal(settings, desktop);
    // Most settings changes leave the look alone; repolishing costs a frame.
    if (applied_ && pal == pal_ && scheme == scheme_)
        return;
    applied_ = true;
    pal_ = pal;
    scheme_ = scheme;
    setPalette(WindowAppearance::palette(pal_, scheme_));
    setGtkThemeVariant(*this, scheme_);
    update();
    Q_EMIT palChanged(pal_);
}

void ConsoleWindowFrame::present() {
    applyAppearance();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ConsoleWindowFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, pal_.bgTop);
    gradient.setColorAt(1, pal_.bgBottom);
    painter.fillRect(rect(), gradient);
}

void ConsoleWindowFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shown_ = true;
    // The native window exists from now on.
    setGtkThemeVariant(*this, scheme_);
}

void ConsoleWindowFrame::hideEvent(QHideEvent* event) {
    saveFrame();
    QWidget::hideEvent(event);
}

void ConsoleWindowFrame::saveFrame() {
    if (shown_ && !autosave_.name().isEmpty())
        autosave_.save(geometry());
}

} // namespace vellaro
