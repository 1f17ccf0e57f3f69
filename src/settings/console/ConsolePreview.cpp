#include "settings/console/ConsolePreview.h"

#include "settings/console/ConsoleToastView.h"
#include "settings/console/DialPreviewHandle.h"
#include "settings/kit/FloatingLabel.h"
#include "settings/model/ConsoleModel.h"
#include "ui/KitPaint.h"

#include <QPainter>
#include <cmath>

namespace vellaro {

double ConsolePreview::previewScale(MenuScale scale) {
    return scaleFactor(scale) * 0.8;
}

int ConsolePreview::dialSide(double scale) {
    // The overlay's panel holds the dial with its fans and shadows at 480
    // points per unit of scale.
    return std::max(previewSide, int(std::ceil(RadialMenuView::baseSide * scale)));
}

ConsolePreview::ConsolePreview(const Pal& pal, ConsoleModel& model,
                               const RadialMenuView::Services& services, DialPreviewHandle& handle,
                               QWidget* parent)
    : KitWidget(pal, parent), model_(model), handle_(handle),
      coach_(new FloatingLabel(pal, FloatingLabel::coachLook(), this)),
      toast_(new ConsoleToastView(pal, this)) {
    const double scale = previewScale(model_.settings().scale);
    const int side = dialSide(scale);
    dial_ = new RadialMenuView(QSize(side, side), scale, true, services, this);
    dial_->resize(side, side);
    RadialMenuView* dial = dial_;
    // The preview never closes: a dismissal opens the ring again.
    dial->onDismiss = [weak = QPointer<RadialMenuView>(dial)] {
        if (!weak)
            return;
        weak->send(MenuEvent::open());
        weak->setFocus();
    };
    dial->onPreviewTap = [this](std::optional<SectionKind> section) {
        model_.setSelection(section);
    };
    dial->onArrangementEdit = [this](const QString& message, std::function<void()> undo) {
        model_.showToast(message, std::move(undo));
    };
    dial->onFirstDrag = [this] { model_.dismissCoach(); };
    dial->setFocusPolicy(Qt::StrongFocus);
    handle_.setView(dial);
    dial->send(MenuEvent::open());

    coach_->setText(QStringLiteral("✦ Drag a section — reorder it, or pull it off the dial"));
    coach_->setVisible(model_.showCoach());
    toast_->hide();
    coach_->raise();
    toast_->raise();

    connect(&model_, &ConsoleModel::settingsChanged, this, &ConsolePreview::settingsChanged);
    connect(&model_, &ConsoleModel::selectionChanged, this, &ConsolePreview::selectionChanged);
    connect(&model_, &ConsoleModel::coachChanged, this,
            [this] { coach_->setVisible(model_.showCoach()); });
    connect(&model_, &ConsoleModel::toastChanged, this, &ConsolePreview::showToast);
    connect(toast_, &ConsoleToastView::undoClicked, &model_, &ConsoleModel::undoFromToast);
}

// The handle holds the dial weakly, so nothing is left to clear.
ConsolePreview::~ConsolePreview() = default;

void ConsolePreview::selectionChanged() {
    const std::optional<SectionKind> selection = model_.selection();
    dial_->selectSection(selection);
    // A fan left open for a section no longer configured folds back into the ring.
    const std::optional<std::int64_t> fan = dial_->state().submenuSection();
    const std::vector<SectionKind>& sections = dial_->sections();
    if (fan && *fan >= 0 && *fan < std::int64_t(sections.size()) &&
        sections[std::size_t(*fan)] != selection)
        dial_->send(MenuEvent::escape());
}

void ConsolePreview::settingsChanged() {
    // A hidden console catches up once when it shows again.
    if (!isVisible()) {
        reloadWhenShown_ = true;
        return;
    }
    reloadDial();
}

void ConsolePreview::reloadDial() {
    reloadWhenShown_ = false;
    const double scale = previewScale(model_.settings().scale);
    const int side = dialSide(scale);
    if (dial_->size() != QSize(side, side)) {
        dial_->resize(side, side);
        placeChildren();
    }
    dial_->reload(scale);
    if (!dial_->state().isOpen())
        dial_->send(MenuEvent::open());
    dial_->selectSection(model_.selection());
}

void ConsolePreview::showEvent(QShowEvent* event) {
    KitWidget::showEvent(event);
    if (reloadWhenShown_)
        reloadDial();
    dial_->setFocus();
}

void ConsolePreview::showToast() {
    const std::optional<ConsoleToast>& toast = model_.toast();
    toast_->setVisible(toast.has_value());
    if (!toast)
        return;
    toast_->setToast(toast->message, bool(toast->undo));
    placeChildren();
    toast_->raise();
}

QRectF ConsolePreview::canvasRect() const {
    return QRectF(rect()).adjusted(leadingInset, 0, 0, 0).adjusted(0.5, 0.5, -0.5, -0.5);
}

void ConsolePreview::placeChildren() {
    const QRectF canvas = canvasRect();
    QRect dial(QPoint(), dial_->size());
    dial.moveCenter(canvas.center().toPoint());
    dial_->move(dial.topLeft());
    QRect coach(QPoint(), coach_->sizeHint());
    coach.moveCenter(QPoint(int(canvas.center().x()), 0));
    coach.moveTop(int(canvas.top()) + 12 - FloatingLabel::margin);
    coach_->setGeometry(coach);
    QRect toast(QPoint(), toast_->sizeHint());
    toast.moveCenter(QPoint(int(canvas.center().x()), 0));
    toast.moveBottom(int(canvas.bottom()) - 12 + ConsoleToastView::margin);
    toast_->setGeometry(toast);
}

void ConsolePreview::resizeEvent(QResizeEvent* event) {
    KitWidget::resizeEvent(event);
    placeChildren();
}

void ConsolePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(canvasRect(), 20), pal().canvas,
                            pal().line);
}

} // namespace vellaro
