#pragma once

#include "model/ActionsPaneSource.h"
#include "model/SectionProvider.h"
#include "providers/actions/ActionRunners.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

namespace vellaro {

class InputMute;
class KeepAwake;
class MicrophoneAuthorization;
class SettingsStore;

// The dial's row of one-tap system actions: a fixed catalog of eight, in the
// user's order, without the hidden ones. It keeps the two live states its
// items show: the microphone's mute and the keep-awake hold. Main thread.
class ActionsProvider final : public SectionProvider, public ActionsPaneSource {
public:
    ActionsProvider(SettingsStore& settings, MicrophoneAuthorization& microphone, InputMute& input,
                    KeepAwake& keepAwake, ActionRunners runners);
    ~ActionsProvider() override;

    std::vector<MenuItem> items() override;
    // Re-reads the microphone's mute from the sound server's mirror.
    void refresh() override { refreshState(); }
    std::int64_t removableItemCount() override;
    std::optional<Removal> removeItem(std::int64_t index) override;
    bool moveItem(std::int64_t from, std::int64_t to) override;

    void refreshState();
    bool moveAction(std::int64_t from, std::int64_t to);
    // Hides the visible action at `index`; its label as shown and the undo.
    std::optional<std::pair<QString, std::function<void()>>> removeAction(std::int64_t index);
    // The hidden actions as (id, label), in the user's order then catalog order.
    std::vector<std::pair<QString, QString>> hiddenActionList() override;

    bool micMuted() const { return micMuted_; }

private:
    struct Entry {
        QString id;
        MenuItem item;
    };

    std::vector<Entry> catalog();
    std::vector<Entry> orderedActions();
    std::vector<Entry> visibleActions();
    void toggleMicMute();
    void applyMicMuteToggle();
    void toggleKeepAwake();

    SettingsStore& settings_;
    MicrophoneAuthorization& microphone_;
    InputMute& input_;
    KeepAwake& keepAwake_;
    ActionRunners runners_;
    bool micMuted_ = false;
    // Runner completions hold the provider through this, weakly.
    std::shared_ptr<ActionsProvider*> self_;
};

} // namespace vellaro
