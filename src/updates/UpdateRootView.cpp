#include "updates/UpdateRootView.h"

#include "model/WindowAppearance.h"
#include "ui/WaypointMark.h"
#include "updates/ByteCount.h"
#include "updates/ProgressCapsule.h"
#include "updates/ReleaseNotesCard.h"
#include "updates/SmallSpinner.h"
#include "updates/UpdateButton.h"
#include "updates/UpdateCheckbox.h"
#include "updates/UpdateControls.h"
#include "updates/UpdateLabel.h"
#include "updates/UpdateViewModel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace vellaro {

namespace {

bool hasDefaultButton(UpdatePhase phase) {
    return phase == UpdatePhase::found || phase == UpdatePhase::readyToInstall ||
           phase == UpdatePhase::upToDate || phase == UpdatePhase::error;
}

QString sizeText(quint64 bytes) {
    return ByteCount::fileStyle(qint64(std::min<quint64>(bytes, quint64(INT64_MAX))));
}

} // namespace

UpdateRootView::UpdateRootView(UpdateViewModel& model, UpdateControls& controls,
                               const QUrl& website, std::function<void()> orderOut, QWidget* parent)
    : QWidget(parent), model_(model), controls_(controls), website_(website),
      orderOut_(std::move(orderOut)), pal_(Pal::light()) {
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 34, 24, 20);
    layout->setSpacing(0);
    connect(&model_, &UpdateViewModel::changed, this, &UpdateRootView::refresh);
    rebuild();
}

void UpdateRootView::setAppearance(const Pal& pal, ColorScheme scheme) {
    pal_ = pal;
    scheme_ = scheme;
    setPalette(WindowAppearance::palette(pal, scheme));
    rebuild();
    update();
}

void UpdateRootView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, pal_.bgTop);
    background.setColorAt(1, pal_.bgBottom);
    painter.fillRect(rect(), background);
}

void UpdateRootView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && primary_ &&
        hasDefaultButton(model_.phase())) {
        primary_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString UpdateRootView::title() const {
    return title_ ? title_->text() : QString();
}

QString UpdateRootView::subtitle() const {
    return subtitle_ ? subtitle_->text() : QString();
}

UpdateButton* UpdateRootView::button(const QString& title) const {
    if (!screen_)
        return nullptr;
    for (UpdateButton* candidate : screen_->findChildren<UpdateButton*>()) {
        if (candidate->text() == title)
            return candidate;
    }
    return nullptr;
}

QString UpdateRootView::titleText() const {
    const QString version = model_.foundVersion();
    switch (model_.phase()) {
    case UpdatePhase::checking:
        return QStringLiteral("Checking for updates…");
    case UpdatePhase::found:
        return QStringLiteral("Vellaro ") + version +
               (model_.foundAlreadyStaged() ? QStringLiteral(" is ready to install")
                                            : QStringLiteral(" is ready for you"));
    case UpdatePhase::downloading:
        return QStringLiteral("Downloading Vellaro ") + version + QStringLiteral("…");
    case UpdatePhase::extracting:
        return QStringLiteral("Preparing the update…");
    case UpdatePhase::readyToInstall:
        return QStringLiteral("Vellaro ") + version + QStringLiteral(" is ready to install");
    case UpdatePhase::installing:
        return QStringLiteral("Installing…");
    case UpdatePhase::upToDate:
        return QStringLiteral("You're up to date");
    case UpdatePhase::error:
        return QStringLiteral("The update didn't go through");
    }
    return {};
}

QString UpdateRootView::subtitleText() const {
    const QString running = controls_.currentVersion();
    switch (model_.phase()) {
    case UpdatePhase::checking:
        return QStringLiteral("Vellaro ") + running;
    case UpdatePhase::found:
        if (model_.expectedLength() > 0 && !model_.foundAlreadyStaged())
            return QStringLiteral("You're on %1 · %2 download")
                .arg(running, sizeText(model_.expectedLength()));
        return QStringLiteral("You're on ") + running;
    case UpdatePhase::downloading:
        if (model_.expectedLength() > 0)
            return sizeText(model_.receivedLength()) + QStringLiteral(" of ") +
                   sizeText(model_.expectedLength());
        return sizeText(model_.receivedLength());
    case UpdatePhase::extracting:
        return QStringLiteral("Verifying and unpacking");
    case UpdatePhase::readyToInstall:
        return QStringLiteral("Vellaro relaunches in a blink — the dial comes right back.");
    case UpdatePhase::installing:
        return QStringLiteral("Just a moment");
    case UpdatePhase::upToDate:
        return QStringLiteral("Vellaro %1 is the newest version · %2")
            .arg(running, controls_.lastCheckDescription());
    case UpdatePhase::error:
        return model_.errorMessage();
    }
    return {};
}

std::optional<double> UpdateRootView::fraction() const {
    if (model_.phase() == UpdatePhase::extracting)
        return model_.extractProgress();
    if (model_.expectedLength() == 0)
        return std::nullopt;
    return std::min(1.0, double(model_.receivedLength()) / double(model_.expectedLength()));
}

QString UpdateRootView::screenKey() const {
    // What decides the screen's blocks; figures and texts change in place.
    QString key = QString::number(int(model_.phase()));
    if (model_.phase() == UpdatePhase::found) {
        key += QLatin1Char('|') + QString::number(model_.foundAlreadyStaged());
        for (const ReleaseNotes& notes : model_.notes())
            key += QLatin1Char('|') + notes.version + QString::number(notes.groups.size());
    }
    return key;
}

void UpdateRootView::refresh() {
    if (screenKey() != builtKey_)
        rebuild();
    else
        updateFigures();
}

void UpdateRootView::updateFigures() {
    if (title_)
        title_->setText(titleText());
    if (subtitle_)
        subtitle_->setText(subtitleText());
    if (capsule_)
        capsule_->setFraction(fraction());
    if (checkbox_) {
        const QSignalBlocker quiet(checkbox_);
        checkbox_->setChecked(model_.autoUpdateEnabled());
    }
}

QWidget* UpdateRootView::header() {
    auto* block = new QWidget;
    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    auto* mark = new WaypointMark(pal_, 1.8);
    mark->setFixedSize(34, 34);
    row->addWidget(mark);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    title_ = makeUpdateLabel(QString(), 15.5, QFont::DemiBold, pal_.ink);
    subtitle_ = makeUpdateLabel(QString(), 11.5, QFont::Normal, pal_.muted);
    subtitle_->setWordWrap(true);
    texts->addWidget(title_);
    texts->addWidget(subtitle_);
    row->addLayout(texts, 1);
    return block;
}

UpdateButton* UpdateRootView::addButton(QLayout* row, bool primary, const QString& title,
                                        std::function<void()> action) {
    auto* button = new UpdateButton(
        primary ? UpdateButton::Kind::primary : UpdateButton::Kind::secondary, title, pal_);
    connect(button, &QAbstractButton::clicked, this, std::move(action));
    row->addWidget(button);
    if (primary)
        primary_ = button;
    return button;
}

void UpdateRootView::orderOutAfter(const std::function<void()>& action) {
    action();
    if (orderOut_)
        orderOut_();
}

QCheckBox* UpdateRootView::makeCheckbox() {
    auto* box = new UpdateCheckbox(
        QCoreApplication::translate("UpdateWindow", "Keep Vellaro updated automatically"), pal_);
    box->setChecked(model_.autoUpdateEnabled());
    connect(box, &QCheckBox::toggled, this, [this](bool on) {
        model_.setAutoUpdateEnabled(on);
        controls_.setAutomaticallyDownloadsUpdates(on);
        if (on)
            controls_.setAutomaticallyChecksForUpdates(true);
    });
    checkbox_ = box;
    return box;
}

void UpdateRootView::rebuild() {
    if (screen_) {
        layout()->removeWidget(screen_);
        screen_->hide();
        // Later: the screen may be going because one of its buttons was pressed.
        screen_->deleteLater();
    }
    title_ = subtitle_ = nullptr;
    capsule_ = nullptr;
    checkbox_ = nullptr;
    primary_ = nullptr;

    const UpdatePhase phase = model_.phase();
    screen_ = new QWidget(this);
    auto* column = new QVBoxLayout(screen_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(phase == UpdatePhase::checking ? 16 : 14);
    column->addWidget(header());
    const auto newRow = [column](int spacing = -1) {
        auto* row = new QHBoxLayout;
        if (spacing >= 0)
            row->setSpacing(spacing);
        column->addLayout(row);
        return row;
    };
    const auto cancel = [this] {
        orderOutAfter([this] {
            if (const auto action = model_.takeCancelAction())
                action();
        });
    };
    const auto acknowledge = [this] {
        orderOutAfter([this] {
            if (const auto action = model_.takeAcknowledge())
                action();
        });
    };
    switch (phase) {
    case UpdatePhase::checking: {
        auto* row = newRow();
        row->addWidget(new SmallSpinner(pal_.muted));
        row->addStretch(1);
        addButton(row, false, QStringLiteral("Cancel"), cancel);
        break;
    }
    case UpdatePhase::found: {
        column->addWidget(new ReleaseNotesCard(model_.notes(), pal_));
        auto* row = newRow(8);
        row->addStretch(1);
        addButton(row, false, QStringLiteral("Later"), [this] {
            orderOutAfter([this] {
                if (const auto reply = model_.takeUpdateReply())
                    reply(UpdateChoice::dismiss);
            });
        });
        addButton(row, true,
                  model_.foundAlreadyStaged() ? QStringLiteral("Install Update")
                                              : QStringLiteral("Update Now"),
                  [this] {
                      if (const auto reply = model_.takeUpdateReply())
                          reply(UpdateChoice::install);
                  });
        column->addWidget(makeCheckbox());
        break;
    }
    case UpdatePhase::downloading: {
        capsule_ = new ProgressCapsule(pal_, 7);
        column->addWidget(capsule_);
        auto* row = newRow();
        row->addStretch(1);
        addButton(row, false, QStringLiteral("Cancel"), cancel);
        break;
    }
    case UpdatePhase::extracting:
        capsule_ = new ProgressCapsule(pal_, 7);
        column->addWidget(capsule_);
        break;
    case UpdatePhase::readyToInstall: {
        auto* row = newRow(8);
        addButton(row, false, QStringLiteral("Install on Quit"), [this] {
            orderOutAfter([this] {
                if (const auto reply = model_.takeInstallReply())
                    reply(UpdateChoice::dismiss);
            });
        });
        row->addStretch(1);
        addButton(row, true, QStringLiteral("Install & Relaunch"), [this] {
            if (const auto reply = model_.takeInstallReply())
                reply(UpdateChoice::install);
        });
        break;
    }
    case UpdatePhase::installing: {
        auto* row = newRow();
        row->addWidget(new SmallSpinner(pal_.muted));
        row->addStretch(1);
        break;
    }
    case UpdatePhase::upToDate: {
        auto* row = newRow();
        row->addStretch(1);
        addButton(row, true, QStringLiteral("OK"), acknowledge);
        column->addWidget(makeCheckbox());
        break;
    }
    case UpdatePhase::error: {
        // Without a web site to name, the sentence would end in nothing.
        if (!website_.isEmpty()) {
            auto* body = makeUpdateLabel(
                QCoreApplication::translate(
                    "UpdateWindow",
                    "You can try again from the status menu, or by "
                    "starting Vellaro again — or grab the latest version any time at") +
                    QLatin1Char(' ') + website_.toString() + QLatin1Char('.'),
                11.5, QFont::Normal, pal_.muted);
            body->setWordWrap(true);
            column->addWidget(body);
        }
        auto* row = newRow();
        row->addStretch(1);
        addButton(row, true, QStringLiteral("OK"), acknowledge);
        break;
    }
    }
    static_cast<QVBoxLayout*>(layout())->addWidget(screen_);
    updateFigures();
    builtKey_ = screenKey();
    screen_->show();
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(windowWidth)
                                                     : layout()->totalSizeHint().height();
    setFixedSize(windowWidth, height);
}

} // namespace vellaro
