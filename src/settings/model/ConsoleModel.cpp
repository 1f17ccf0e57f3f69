#include "settings/model/ConsoleModel.h"

#include "model/EffectiveSections.h"
#include "model/SettingsStore.h"
#include "platform/session/Defaults.h"
#include "settings/model/PreviewHandle.h"

#include <algorithm>

namespace vellaro {

namespace {

QString quoted(const QString& name) {
    return QStringLiteral("“") + name + QStringLiteral("”");
}

QString editedName(const DialPreset& builtIn) {
    return builtIn.name + QStringLiteral(" · edited");
}

std::optional<DialPreset> builtInWithSections(const std::vector<SectionKind>& sections) {
    for (const DialPreset& preset : DialPreset::builtIns())
        if (preset.sections == sections)
            return preset;
    return std::nullopt;
}

} // namespace

const char ConsoleModel::coachedKey[] = "vellaroDialDragCoached";

ConsoleModel::ConsoleModel(const Services& services, QObject* parent)
    : QObject(parent), store_(services.store), defaults_(services.defaults),
      scheduler_(services.scheduler), settings_(services.store.settings()),
      showCoach_(!services.defaults.boolValue(QLatin1String(coachedKey))) {
    subscription_ =
        services.notifications.observe(QLatin1String(settingsDidChangeNotification), this,
                                       [this](QObject*) { onSettingsDidChange(); });
    beginArrangementTracking();
}

ConsoleModel::~ConsoleModel() {
    Notifications::removeObserver(subscription_);
    if (toastTask_)
        scheduler_.cancel(*toastTask_);
    if (noticeTask_)
        scheduler_.cancel(*noticeTask_);
}

ConsoleModel::Sections ConsoleModel::currentSections() const {
    return effectiveSections(settings_);
}

void ConsoleModel::setSelection(std::optional<SectionKind> section) {
    if (section == selection_)
        return;
    selection_ = section;
    Q_EMIT selectionChanged();
}

void ConsoleModel::refresh() {
    settings_ = store_.settings();
    Q_EMIT settingsChanged();
}

void ConsoleModel::onSettingsDidChange() {
    refresh();
    recordArrangementChange();
}

// Presets -----------------------------------------------------------------

void ConsoleModel::applyPreset(const DialPreset& preset) {
    // Set before the write, so the change step it causes already sees it.
    builtinContext_.reset();
    for (const DialPreset& builtIn : DialPreset::builtIns())
        if (builtIn.id == preset.id) {
            builtinContext_ = builtIn;
            break;
        }
    const Sections sections = preset.sections;
    store_.update([&](VellaroSettings& s) {
        s.arrangement = DialArrangement::custom;
        s.customSections = sections;
    });
    refresh();
    showToast(QStringLiteral("Applied ") + quoted(preset.name));
}

void ConsoleModel::saveCurrentPreset(const QString& name) {
    const DialPreset preset = DialPreset::make(name, currentSections());
    store_.update([&](VellaroSettings& s) { s.userPresets.push_back(preset); });
    refresh();
    showToast(QStringLiteral("Saved ") + quoted(name));
}

void ConsoleModel::renamePreset(const DialPreset& preset, const QString& name) {
    store_.update([&](VellaroSettings& s) {
        auto found = std::find_if(s.userPresets.begin(), s.userPresets.end(),
                                  [&](const DialPreset& p) { return p.id == preset.id; });
        if (found != s.userPresets.end())
            found->name = name;
    });
    refresh();
}

void ConsoleModel::updatePresetFromDial(const DialPreset& preset) {
    const Sections sections = currentSections();
    bool found = false;
    store_.update([&](VellaroSettings& s) {
        auto match = std::find_if(s.userPresets.begin(), s.userPresets.end(),
                                  [&](const DialPreset& p) { return p.id == preset.id; });
        if (match != s.userPresets.end()) {
            match->sections = sections;
            found = true;
        }
    });
    refresh();
    // Claiming an update that did not happen would mislead.
    if (found)
        showToast(quoted(preset.name) + QStringLiteral(" updated"));
}

void ConsoleModel::deletePreset(const DialPreset& preset) {
    store_.update([&](VellaroSettings& s) {
        std::erase_if(s.userPresets, [&](const DialPreset& p) { return p.id == preset.id; });
    });
    refresh();
}

// Arrangement history -----------------------------------------------------

void ConsoleModel::undoArrangement() {
    if (history_.empty())
        return;
    const Sections previous = history_.back();
    history_.pop_back();
    isUndoing_ = true;
    store_.setCustomSections(previous);
    refresh();
    isUndoing_ = false;
    lastArrangement_ = previous;
    Q_EMIT historyChanged();
}

void ConsoleModel::beginArrangementTracking() {
    lastArrangement_ = currentSections();
    builtinContext_ = builtInWithSections(lastArrangement_);
}

void ConsoleModel::recordArrangementChange() {
    // A change step caused by the running one's own writes runs after it.
    if (recording_) {
        recordAgain_ = true;
        return;
    }
    recording_ = true;
    do {
        recordAgain_ = false;
        runArrangementChange();
    } while (recordAgain_);
    recording_ = false;
}

void ConsoleModel::runArrangementChange() {
    const Sections current = currentSections();
    if (current == lastArrangement_)
        return;
    const Sections previous = lastArrangement_;
    // Set first, so that the notifications of the edit below record nothing.
    lastArrangement_ = current;
    if (isUndoing_)
        return;
    history_.push_back(previous);
    if (history_.size() > historyLimit)
        history_.erase(history_.begin());
    Q_EMIT historyChanged();
    noteArrangementEdit(current);
}

void ConsoleModel::noteArrangementEdit(const Sections& sections) {
    if (std::optional<DialPreset> builtIn = builtInWithSections(sections)) {
        builtinContext_ = builtIn;
        return;
    }
    if (!builtinContext_)
        return;
    const QString edited = editedName(*builtinContext_);
    const bool exists = std::any_of(settings_.userPresets.begin(), settings_.userPresets.end(),
                                    [&](const DialPreset& p) { return p.name == edited; });
    if (exists) {
        store_.updatePreset(edited, sections);
        refresh();
        return;
    }
    store_.addPreset(edited, sections);
    refresh();
    raiseNotice(QStringLiteral("Changes live in ") + quoted(edited) + QStringLiteral(" — ") +
                quoted(builtinContext_->name) + QStringLiteral(" stays intact"));
}

// Toast ---------------------------------------------------------------------

void ConsoleModel::showToast(const QString& message, std::function<void()> undo) {
    toast_ = ConsoleToast{message, std::move(undo)};
    if (toastTask_)
        scheduler_.cancel(*toastTask_);
    toastTask_ = scheduler_.schedule(toastDuration, [this] {
        toastTask_.reset();
        clearToast();
    });
    Q_EMIT toastChanged();
}

void ConsoleModel::undoFromToast() {
    if (!toast_)
        return;
    // Copied first: the undo's own change may replace the toast.
    const std::function<void()> undo = toast_->undo;
    if (undo)
        undo();
    clearToast();
}

void ConsoleModel::clearToast() {
    if (toast_) {
        toast_.reset();
        Q_EMIT toastChanged();
    }
    showNoticeWhenIdle();
}

// The edit that caused the notice reports its own toast in the same step;
// the notice waits until that has had its time.
void ConsoleModel::raiseNotice(const QString& message) {
    pendingNotice_ = message;
    if (noticeTask_)
        return;
    noticeTask_ = scheduler_.schedule(Scheduler::Duration::zero(), [this] {
        noticeTask_.reset();
        showNoticeWhenIdle();
    });
}

void ConsoleModel::showNoticeWhenIdle() {
    if (!pendingNotice_ || toast_ || noticeTask_)
        return;
    const QString notice = *pendingNotice_;
    pendingNotice_.reset();
    showToast(notice);
}

// Library -------------------------------------------------------------------

void ConsoleModel::handleLibraryDrag(SectionKind section, QPointF location) {
    libraryDrag_ = LibraryDragInfo{section, location};
    Q_EMIT libraryDragChanged();
    if (!previewHandle_)
        return;
    const QRectF frame = previewHandle_->frame();
    if (frame.contains(location))
        previewHandle_->updateLibraryDrag(location - frame.topLeft());
    else
        previewHandle_->clear();
}

void ConsoleModel::handleLibraryDrop(SectionKind section) {
    libraryDrag_.reset();
    Q_EMIT libraryDragChanged();
    if (previewHandle_)
        previewHandle_->drop(section);
}

void ConsoleModel::handleLibraryAppend(SectionKind section) {
    const Sections current = currentSections();
    if (std::find(current.begin(), current.end(), section) != current.end())
        return;
    if (current.size() >= maximumDialSections) {
        showToast(
            QStringLiteral("The dial holds seven sections — drag onto a wedge to replace one"));
        return;
    }
    store_.addSection(section, current);
    refresh();
    showToast(sectionTitle(section) + QStringLiteral(" added to the dial"));
}

void ConsoleModel::dismissCoach() {
    if (!showCoach_)
        return;
    defaults_.setValue(QLatin1String(coachedKey), true);
    showCoach_ = false;
    Q_EMIT coachChanged();
}

} // namespace vellaro
