#pragma once

#include "model/DialPreset.h"
#include "model/SectionKind.h"
#include "model/VellaroSettings.h"
#include "platform/session/Notifications.h"
#include "platform/time/Scheduler.h"
#include "settings/model/ConsoleToast.h"
#include "settings/model/LibraryDragInfo.h"

#include <QObject>
#include <optional>
#include <vector>

namespace vellaro {

class Defaults;
class PreviewHandle;
class SettingsStore;

// The settings console's state and every edit it makes: a copy of the stored
// settings kept in step with the store, the selected section, the toast,
// the library drag, the coach mark, and the arrangement history with its
// undo and the protection of the built-in presets. It never writes its copy
// back: every edit goes through the store. Main thread.
class ConsoleModel : public QObject {
    Q_OBJECT
public:
    using Sections = std::vector<SectionKind>;

    struct Services {
        SettingsStore& store;
        Notifications& notifications;
        Defaults& defaults;
        Scheduler& scheduler;
    };

    static constexpr std::size_t historyLimit = 30;
    static constexpr std::chrono::seconds toastDuration{4};
    static const char coachedKey[]; // "vellaroDialDragCoached"

    explicit ConsoleModel(const Services& services, QObject* parent = nullptr);
    ~ConsoleModel() override;

    const VellaroSettings& settings() const { return settings_; }
    // The sections the dial shows (the effective list of the copy).
    Sections currentSections() const;
    std::optional<SectionKind> selection() const { return selection_; }
    void setSelection(std::optional<SectionKind> section);
    const std::optional<ConsoleToast>& toast() const { return toast_; }
    const std::optional<LibraryDragInfo>& libraryDrag() const { return libraryDrag_; }
    bool showCoach() const { return showCoach_; }
    const std::vector<Sections>& arrangementHistory() const { return history_; }
    const std::optional<DialPreset>& builtinContext() const { return builtinContext_; }

    // Not owned; none (or a handle whose dial is gone) leaves drags moving
    // only the chip.
    void setPreviewHandle(PreviewHandle* handle) { previewHandle_ = handle; }

    // Presets.
    void applyPreset(const DialPreset& preset);
    void saveCurrentPreset(const QString& name);
    void renamePreset(const DialPreset& preset, const QString& name);
    void updatePresetFromDial(const DialPreset& preset);
    void deletePreset(const DialPreset& preset);

    // Arrangement history.
    void undoArrangement();
    void beginArrangementTracking();
    void recordArrangementChange();

    // The toast; a newer one replaces it and restarts its time.
    void showToast(const QString& message, std::function<void()> undo = {});
    // The toast's Undo button: runs its undo, then the toast goes.
    void undoFromToast();

    // The library of sections not on the dial.
    void handleLibraryDrag(SectionKind section, QPointF location);
    void handleLibraryDrop(SectionKind section);
    void handleLibraryAppend(SectionKind section);

    // The end of a wedge drag in the preview: the coach mark goes for good.
    void dismissCoach();

Q_SIGNALS:
    void settingsChanged();
    void selectionChanged();
    void toastChanged();
    void libraryDragChanged();
    void coachChanged();
    void historyChanged();

private:
    void refresh();
    void onSettingsDidChange();
    void runArrangementChange();
    void noteArrangementEdit(const Sections& sections);
    void raiseNotice(const QString& message);
    void showNoticeWhenIdle();
    void clearToast();

    SettingsStore& store_;
    Defaults& defaults_;
    Scheduler& scheduler_;
    Notifications::Token subscription_;
    PreviewHandle* previewHandle_ = nullptr;

    VellaroSettings settings_;
    std::optional<SectionKind> selection_;
    std::optional<ConsoleToast> toast_;
    std::optional<Scheduler::TaskId> toastTask_;
    // A notice waits for the toast shown in the same step, then follows it.
    std::optional<QString> pendingNotice_;
    std::optional<Scheduler::TaskId> noticeTask_;
    std::optional<LibraryDragInfo> libraryDrag_;
    bool showCoach_ = true;
    std::vector<Sections> history_;
    Sections lastArrangement_;
    bool isUndoing_ = false;
    std::optional<DialPreset> builtinContext_;
    bool recording_ = false;   // the change step runs
    bool recordAgain_ = false; // a change arrived while it ran
};

} // namespace vellaro
