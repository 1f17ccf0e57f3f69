#include "settings/panel/ContextPanel.h"

#include "overlay/MouseHapticsClient.h"
#include "platform/windows/WindowAccessTrust.h"
#include "settings/model/ContextPanelHost.h"
#include "settings/panel/DialWidePanel.h"
#include "settings/panes/SectionPanel.h"
#include "ui/KitScrollBar.h"
#include "ui/KitWidget.h"

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vellaro {

ContextPanel::ContextPanel(ContextPanelHost& host, ContextPanelServices services, QWidget* parent)
    : ContextPanelView(parent), host_(host), services_(std::move(services)), pal_(host.pal()),
      content_(new KitWidget(pal_)),
      dialWide_(new DialWidePanel(pal_, host, services_, firstHapticsState(services_), content_)),
      sectionBody_(new SectionPanel(pal_, host, services_, content_)),
      scroll_(new QScrollArea(this)), scrollBar_(new KitScrollBar(pal_, Qt::Vertical)) {
    auto* column = new QVBoxLayout(content_);
    column->setContentsMargins(18, 18, 18, 18);
    column->setSpacing(16);
    column->addWidget(dialWide_);
    column->addWidget(sectionBody_);

    // The column is as wide as the panel: rows whose text runs longer in
    // the desktop's font give way rather than push the switches out of view.
    content_->setMinimumWidth(1);
    scroll_->setWidget(content_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBar(scrollBar_);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* frame = new QVBoxLayout(this);
    // One point on the left for the dividing line.
    frame->setContentsMargins(1, 0, 0, 0);
    frame->addWidget(scroll_);

    setPal(pal_);
    selectionChanged();
}

ContextPanel::~ContextPanel() {
    if (pollTask_)
        services_.scheduler.cancel(*pollTask_);
}

MXHapticsState ContextPanel::firstHapticsState(const ContextPanelServices& services) {
    const bool present = services.hapticsHardwarePresent
                             ? services.hapticsHardwarePresent()
                             : MouseHapticsClient::isMXMasterConnected() ||
                                   MouseHapticsClient::isPluginFolderPresent();
    return present ? MXHapticsState::needsSetup : MXHapticsState::hidden;
}

void ContextPanel::setPal(const Pal& pal) {
    pal_ = pal;
    content_->setPal(pal);
    scrollBar_->setPal(pal);
    sectionBody_->palChanged();
    QPalette colors = scroll_->palette();
    colors.setColor(QPalette::Window, pal.panel);
    scroll_->setPalette(colors);
    scroll_->viewport()->setAutoFillBackground(false);
    content_->setAutoFillBackground(false);
    update();
}

void ContextPanel::settingsChanged() {
    dialWide_->settingsChanged();
    sectionBody_->settingsChanged();
}

void ContextPanel::selectionChanged() {
    const std::optional<SectionKind> selection = host_.selection();
    if (selection)
        sectionBody_->showSection(*selection);
    // Hide first, so the body leaving lets go of a drag before the other shows.
    (selection ? static_cast<QWidget*>(dialWide_) : sectionBody_)->hide();
    (selection ? static_cast<QWidget*>(sectionBody_) : dialWide_)->show();
}

void ContextPanel::paintEvent(QPaintEvent*) {
    background_.paint(*this, pal_, QString(), [this](QPainter& painter) {
        painter.fillRect(rect(), pal_.panel);
        painter.fillRect(QRect(0, 0, 1, height()), pal_.line);
    });
}

void ContextPanel::showEvent(QShowEvent* event) {
    ContextPanelView::showEvent(event);
    if (!pollTask_)
        pollAccess();
}

void ContextPanel::hideEvent(QHideEvent* event) {
    if (pollTask_)
        services_.scheduler.cancel(*pollTask_);
    pollTask_.reset();
    ContextPanelView::hideEvent(event);
}

void ContextPanel::pollAccess() {
    axTrusted_ = services_.windowAccess.isTrusted();
    dialWide_->setAccessibilityTrusted(axTrusted_);
    sectionBody_->setAccessibilityTrusted(axTrusted_);
    pollTask_ = services_.scheduler.schedule(accessPollInterval, [this] { pollAccess(); });
}

} // namespace vellaro
