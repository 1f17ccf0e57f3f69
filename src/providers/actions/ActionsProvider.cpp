#include "providers/actions/ActionsProvider.h"

#include "model/SettingsStore.h"
#include "platform/audio/InputMute.h"
#include "platform/audio/MicrophoneAuthorization.h"
#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/KeepAwake.h"

#include <QSet>

namespace vellaro {

namespace {

MenuItem makeItem(const char* label, const char* symbol) {
    return MenuItem(QString::fromUtf8(label), MenuItem::Icon::symbol(QLatin1String(symbol)));
}

QStringList idsOf(const auto& entries) {
    QStringList ids;
    for (const auto& entry : entries)
        ids << entry.id;
    return ids;
}

} // namespace

ActionsProvider::ActionsProvider(SettingsStore& settings, MicrophoneAuthorization& microphone,
                                 InputMute& input, KeepAwake& keepAwake, ActionRunners runners)
    : settings_(settings), microphone_(microphone), input_(input), keepAwake_(keepAwake),
      runners_(std::move(runners)), self_(std::make_shared<ActionsProvider*>(this)) {
    std::weak_ptr<ActionsProvider*> weak = self_;
    const auto announce = [weak] {
        if (auto self = weak.lock())
            (*self)->changed();
    };
    keepAwake_.setOnEnded(announce);
    if (runners_.watchDoNotDisturbBackend)
        runners_.watchDoNotDisturbBackend(announce);
    // A mute switched elsewhere shows on an open dial too.
    input_.setOnChange([weak] {
        if (auto self = weak.lock())
            (*self)->refreshState();
    });
}

ActionsProvider::~ActionsProvider() {
    keepAwake_.setOnEnded({});
    input_.setOnChange({});
}

std::vector<ActionsProvider::Entry> ActionsProvider::catalog() {
    std::vector<Entry> entries;
    const auto add = [&](const char* id, MenuItem item) {
        entries.push_back({QLatin1String(id), std::move(item)});
    };
    // A capture to a file, with a context entry that copies instead.
    const auto screenshotItem = [this](const char* label, const char* symbol, ScreenshotArea area) {
        const auto capture = [runner = runners_.screenshot, area](ScreenshotDestination to) {
            return [runner, area, to] {
                if (runner)
                    runner(area, to);
            };
        };
        MenuItem item = makeItem(label, symbol);
        item.action = capture(ScreenshotDestination::file);
        item.menuActions.emplace_back(QStringLiteral("Capture to Clipboard"),
                                      capture(ScreenshotDestination::clipboard));
        return item;
    };
    add("screenshot-area",
        screenshotItem("Screenshot Area", "camera.viewfinder", ScreenshotArea::area));
    add("screenshot-window",
        screenshotItem("Screenshot Window", "camera.on.rectangle", ScreenshotArea::window));

    MenuItem focus = makeItem("Do Not Disturb", "moon");
    if (runners_.doNotDisturbBackend) {
        if (const auto backend = runners_.doNotDisturbBackend())
            focus.sublabel = QStringLiteral("Via ") + *backend;
    }
    focus.action = runners_.toggleDoNotDisturb;
    focus.menuActions.emplace_back(QStringLiteral("Setup Instructions…"),
                                   runners_.showDoNotDisturbSetup);
    add("focus", std::move(focus));

    MenuItem dark = makeItem("Dark Mode", "circle.lefthalf.filled");
    dark.action = runners_.toggleDarkMode;
    add("dark-mode", std::move(dark));

    MenuItem lock = makeItem("Lock Screen", "lock");
    lock.action = runners_.lockScreen;
    add("lock-screen", std::move(lock));

    std::weak_ptr<ActionsProvider*> weak = self_;
    MenuItem mic = micMuted_ ? makeItem("Unmute Mic", "mic.slash") : makeItem("Mute Mic", "mic");
    mic.keepsOpen = true;
    mic.showsRunningDot = micMuted_;
    mic.action = [weak] {
        if (auto self = weak.lock())
            (*self)->toggleMicMute();
    };
    add("mic-mute", std::move(mic));

    MenuItem awake = makeItem("Keep Awake", "cup.and.saucer");
    awake.keepsOpen = true;
    if (keepAwake_.isHeld()) {
        awake.sublabel = QStringLiteral("On");
        awake.showsRunningDot = true;
    }
    awake.action = [weak] {
        if (auto self = weak.lock())
            (*self)->toggleKeepAwake();
    };
    add("keep-awake", std::move(awake));

    MenuItem trash = makeItem("Empty Trash", "trash");
    trash.action = runners_.emptyTrash;
    add("empty-trash", std::move(trash));
    return entries;
}

std::vector<ActionsProvider::Entry> ActionsProvider::orderedActions() {
    std::vector<Entry> entries = catalog();
    const QStringList& order = settings_.settings().actionOrder;
    if (order.isEmpty())
        return entries;
    std::vector<Entry> ordered;
    std::vector<bool> taken(entries.size(), false);
    for (const QString& id : order) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!taken[i] && entries[i].id == id) {
                taken[i] = true;
                ordered.push_back(entries[i]);
                break;
            }
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!taken[i])
            ordered.push_back(std::move(entries[i]));
    }
    return ordered;
}

std::vector<ActionsProvider::Entry> ActionsProvider::visibleActions() {
    const QStringList& hiddenList = settings_.settings().hiddenActions;
    const QSet<QString> hidden(hiddenList.begin(), hiddenList.end());
    std::vector<Entry> visible;
    for (Entry& entry : orderedActions()) {
        if (!hidden.contains(entry.id))
            visible.push_back(std::move(entry));
    }
    return visible;
}

std::vector<MenuItem> ActionsProvider::items() {
    std::vector<MenuItem> items;
    for (Entry& entry : visibleActions())
        items.push_back(std::move(entry.item));
    return items;
}

std::int64_t ActionsProvider::removableItemCount() {
    return std::int64_t(visibleActions().size());
}

std::optional<SectionProvider::Removal> ActionsProvider::removeItem(std::int64_t index) {
    auto removed = removeAction(index);
    if (!removed)
        return std::nullopt;
    return Removal{std::move(removed->second), std::move(removed->first)};
}

bool ActionsProvider::moveItem(std::int64_t from, std::int64_t to) {
    return moveAction(from, to);
}

bool ActionsProvider::moveAction(std::int64_t from, std::int64_t to) {
    QStringList visible = idsOf(visibleActions());
    const auto count = std::int64_t(visible.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    visible.move(qsizetype(from), qsizetype(to));
    QStringList hidden;
    for (const auto& [id, label] : hiddenActionList())
        hidden << id;
    settings_.setActionOrder(visible, hidden);
    return true;
}

std::optional<std::pair<QString, std::function<void()>>>
ActionsProvider::removeAction(std::int64_t index) {
    std::vector<Entry> visible = visibleActions();
    if (index < 0 || index >= std::int64_t(visible.size()))
        return std::nullopt;
    const Entry& entry = visible[std::size_t(index)];
    settings_.hideAction(entry.id);
    SettingsStore* settings = &settings_;
    return std::make_pair(entry.item.label(),
                          [settings, id = entry.id] { settings->unhideAction(id); });
}

std::vector<std::pair<QString, QString>> ActionsProvider::hiddenActionList() {
    const QStringList& hiddenList = settings_.settings().hiddenActions;
    const QSet<QString> hidden(hiddenList.begin(), hiddenList.end());
    std::vector<std::pair<QString, QString>> list;
    for (const Entry& entry : orderedActions()) {
        if (hidden.contains(entry.id))
            list.emplace_back(entry.id, entry.item.label());
    }
    return list;
}

void ActionsProvider::refreshState() {
    bool muted = false;
    if (microphone_.status() == MicrophoneAuthorization::authorized)
        muted = input_.muted().value_or(false);
    if (muted != micMuted_) {
        micMuted_ = muted;
        changed();
    }
}

void ActionsProvider::toggleMicMute() {
    std::weak_ptr<ActionsProvider*> weak = self_;
    auto apply = [weak] {
        if (auto self = weak.lock())
            (*self)->applyMicMuteToggle();
    };
    if (runners_.withMicrophone)
        runners_.withMicrophone(std::move(apply));
    else
        apply();
}

void ActionsProvider::applyMicMuteToggle() {
    // No input, or only an output's monitor: there is no microphone to mute.
    if (!input_.muted())
        return;
    std::weak_ptr<ActionsProvider*> weak = self_;
    const bool target = !micMuted_;
    input_.setMuted(target, [weak, target](bool confirmed, int status) {
        auto self = weak.lock();
        if (!self)
            return;
        if (!confirmed) {
            qCWarning(lcActions, "Mic mute failed (status %d)", status);
            return;
        }
        // The mirror may have shown the new state already.
        if ((*self)->micMuted_ != target) {
            (*self)->micMuted_ = target;
            (*self)->changed();
        }
    });
}

void ActionsProvider::toggleKeepAwake() {
    if (keepAwake_.isHeld()) {
        keepAwake_.release();
        changed();
        return;
    }
    std::weak_ptr<ActionsProvider*> weak = self_;
    keepAwake_.hold([weak](bool held) {
        if (!held)
            qCCritical(lcActions, "Keep Awake failed: nothing on this desktop can keep it awake");
        if (auto self = weak.lock())
            (*self)->changed();
    });
}

} // namespace vellaro
