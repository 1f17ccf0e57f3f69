#include "onboarding/HapticsSetupView.h"

#include "onboarding/HapticsChecklist.h"
#include "onboarding/HapticsSetupArt.h"
#include "onboarding/HapticsSetupRow.h"
#include "onboarding/OnboardingKit.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Desktop.h"
#include "platform/session/Notifications.h"
#include "ui/KitAccentButton.h"
#include "ui/KitPaint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <tuple>

namespace vellaro {

namespace {

QColor dotColor(HapticsChecklist::Dot dot) {
    switch (dot) {
    case HapticsChecklist::Dot::done:
        return HapticsSetupRow::doneColor();
    case HapticsChecklist::Dot::waiting:
        return HapticsSetupRow::waitingColor();
    case HapticsChecklist::Dot::neutral:
        break;
    }
    return {};
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    return layout;
}

QVBoxLayout* rowStack(QVBoxLayout* page) {
    auto* stack = new QVBoxLayout;
    stack->setSpacing(9);
    page->addLayout(stack);
    return stack;
}

} // namespace

HapticsSetupView::HapticsSetupView(const Pal& pal, HapticsSetupServices services, QWidget* parent)
    : QWidget(parent), pal_(pal), s_(std::move(services)) {
    if (s_.pluginFolder.isEmpty())
        s_.pluginFolder = MouseHapticsClient::pluginFolderPath();
    if (!s_.probe)
        s_.probe = [&haptics = s_.haptics](const QObject* context, std::function<void(bool)> done) {
            haptics.isPluginReachable(context, std::move(done));
        };
    if (s_.applicationFolders.isEmpty())
        s_.applicationFolders =
            QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 36, 30, 24);
    layout->setSpacing(16);
    slot_ = layout;
    readDisk();
    rebuild();
}

HapticsSetupView::~HapticsSetupView() {
    s_.scheduler.cancel(nextPass_);
}

int HapticsSetupView::pageHeight() const {
    layout()->activate();
    const int height = layout()->totalHeightForWidth(width);
    return height > 0 ? height : layout()->totalSizeHint().height();
}

void HapticsSetupView::setPal(const Pal& pal) {
    if (pal == pal_)
        return;
    pal_ = pal;
    rebuild();
}

void HapticsSetupView::sendTestTick() {
    s_.haptics.sendTestBurst();
}

void HapticsSetupView::go(HapticsSetupPhase phase) {
    phase_ = phase;
    rebuild();
}

void HapticsSetupView::rebuild() {
    if (page_) {
        // Later: the old page's button may be the one calling.
        page_->hide();
        page_->deleteLater();
    }
    rows_ = {};
    done_ = nullptr;
    switch (phase_) {
    case HapticsSetupPhase::explain:
        page_ = explainPage();
        break;
    case HapticsSetupPhase::steps:
        page_ = stepsPage();
        break;
    case HapticsSetupPhase::vellar:
        page_ = donePage();
        break;
    }
    slot_->addWidget(page_);
    page_->show();
    refresh();
    Q_EMIT pageChanged();
}

KitAccentButton* HapticsSetupView::addButtons(QVBoxLayout* page, const QString& quiet,
                                              std::function<void()> onQuiet, const QString& accent,
                                              std::function<void()> onAccent) {
    auto* row = new QHBoxLayout;
    // The buttons' own margins hold the glow and make up the spacing.
    row->setSpacing(0);
    row->setContentsMargins(0, 2, 0, 0);
    row->addStretch(1);
    KitAccentButton* last = nullptr;
    for (auto& [style, label, action] :
         {std::tuple{KitAccentButton::Style::quiet, quiet, std::move(onQuiet)},
          std::tuple{KitAccentButton::Style::filled, accent, std::move(onAccent)}}) {
        last = new KitAccentButton(pal_, style, label);
        connect(last, &KitAccentButton::clicked, this, action);
        row->addWidget(last);
    }
    row->addStretch(1);
    page->addLayout(row);
    return last;
}

void HapticsSetupView::addHead(QVBoxLayout* page, const char* title, const char* text) {
    QLabel* heading = OnboardingKit::text(QCoreApplication::translate("HapticsSetup", title),
                                          KitPaint::font(19, QFont::DemiBold), pal_.ink);
    heading->setAlignment(Qt::AlignCenter);
    page->addWidget(heading);
    QLabel* body = OnboardingKit::text(QCoreApplication::translate("HapticsSetup", text),
                                       KitPaint::font(12.5), pal_.muted);
    body->setAlignment(Qt::AlignCenter);
    body->setWordWrap(true);
    page->addWidget(body);
}

QWidget* HapticsSetupView::explainPage() {
    auto* page = new QWidget;
    QVBoxLayout* layout = pageLayout(page);
    layout->addWidget(new HapticsMouseSymbol(pal_, s_.reduceMotion), 0, Qt::AlignHCenter);
    addHead(layout, "Feel every section.",
            "Your MX Master 4 has a haptic engine. Vellaro can tick it as the dial crosses "
            "sections — the same feedback trackpad users get, right in your palm.");
    QVBoxLayout* info = rowStack(layout);
    info->addWidget(new HapticsSetupRow(
        pal_, {QStringLiteral("Two one-time installs"),
               QStringLiteral("Logi Options+ and its Haptic Web Plugin — about two minutes")}));
    info->addWidget(new HapticsSetupRow(
        pal_, {QStringLiteral("Nothing runs through the cloud"),
               QStringLiteral("Vellaro talks to the mouse locally, on your computer only")}));
    addButtons(
        layout, QStringLiteral("Not Now"), [this] { Q_EMIT hideRequested(); },
        QStringLiteral("Set Up"), [this] { go(HapticsSetupPhase::steps); });
    return page;
}

QWidget* HapticsSetupView::stepsPage() {
    auto* page = new QWidget;
    QVBoxLayout* layout = pageLayout(page);
    addHead(layout, "Two installs, one buzz.",
            "Vellaro watches each step and checks it off the moment it's done — no restarts.");
    QVBoxLayout* checklist = rowStack(layout);
    for (int i = 0; i < int(rows_.size()); ++i) {
        rows_[i] = new HapticsSetupRow(pal_, {});
        connect(rows_[i], &HapticsSetupRow::chipClicked, this, [this, i] { chipClicked(i); });
        checklist->addWidget(rows_[i]);
    }
    done_ = addButtons(
        layout, QStringLiteral("Later"), [this] { Q_EMIT hideRequested(); }, QStringLiteral("Done"),
        [this] { go(HapticsSetupPhase::vellar); });
    return page;
}

QWidget* HapticsSetupView::donePage() {
    auto* page = new QWidget;
    QVBoxLayout* layout = pageLayout(page);
    layout->addSpacing(4 - layout->spacing());
    layout->addWidget(new HapticsBadge(pal_, s_.reduceMotion), 0, Qt::AlignHCenter);
    addHead(layout, "Your mouse is in vellar.",
            "Open the dial and glide across the sections — each border gives a soft tick. Turn "
            "it off any time with the Haptics switch.");
    addButtons(
        layout, QStringLiteral("Test Tick"), [this] { sendTestTick(); }, QStringLiteral("Done"),
        [this] { Q_EMIT hideRequested(); });
    return page;
}

void HapticsSetupView::refresh() {
    if (phase_ != HapticsSetupPhase::steps)
        return;
    const auto contents = HapticsChecklist::rows(state_);
    bool resized = false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const HapticsChecklist::Row& row = contents[i];
        const int before = rows_[i]->heightForWidth(rows_[i]->width());
        rows_[i]->setContent(
            {row.title, row.detail, dotColor(row.dot), HapticsChecklist::chipLabel(row.chip)});
        resized |= rows_[i]->heightForWidth(rows_[i]->width()) != before;
    }
    // Success needs the plug-in's answer.
    done_->setEnabled(state_.connected);
    if (resized)
        Q_EMIT pageChanged();
}

void HapticsSetupView::chipClicked(int row) {
    switch (HapticsChecklist::rows(state_)[row].chip) {
    case HapticsChecklist::Chip::none:
        return;
    case HapticsChecklist::Chip::getOptionsPlus:
    case HapticsChecklist::Chip::download:
        // The vendor's one page offers the app and, from it, the plug-in.
        s_.desktop.open(MouseHapticsClient::pluginPageURL());
        return;
    case HapticsChecklist::Chip::test:
        state_.burstSent = true;
        s_.haptics.sendTestBurst();
        refresh();
        return;
    }
}

void HapticsSetupView::readDisk() {
    state_.optionsPlusReady = std::any_of(
        s_.applicationFolders.cbegin(), s_.applicationFolders.cend(), [this](const QString& f) {
            return QFileInfo::exists(QDir(f).filePath(s_.companionEntry));
        });
    state_.pluginOnDisk = QFileInfo::exists(s_.pluginFolder);
}

void HapticsSetupView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (polling_)
        return;
    polling_ = true;
    ++generation_;
    // A probe from before the last hiding is still out: its answer starts
    // the next pass instead.
    if (!probing_)
        pass();
}

void HapticsSetupView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    polling_ = false;
    ++generation_;
    s_.scheduler.cancel(nextPass_);
    nextPass_ = 0;
}

void HapticsSetupView::pass() {
    readDisk();
    refresh();
    probing_ = true;
    const quint64 generation = generation_;
    s_.probe(this, [this, generation](bool reachable) {
        probing_ = false;
        if (generation != generation_) {
            if (polling_)
                pass();
            return;
        }
        answered(reachable);
        nextPass_ = s_.scheduler.schedule(pollInterval, [this] {
            nextPass_ = 0;
            pass();
        });
    });
}

void HapticsSetupView::answered(bool reachable) {
    if (reachable && !state_.connected) {
        s_.hub.post(QLatin1String(changedNotification));
        if (phase_ == HapticsSetupPhase::steps && !state_.burstSent) {
            state_.burstSent = true;
            s_.haptics.sendTestBurst();
        }
    }
    state_.connected = reachable;
    refresh();
}

} // namespace vellaro
