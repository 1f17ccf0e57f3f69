#include "model/MenuDataSource.h"

#include "model/EffectiveSections.h"
#include "model/EmptySectionProvider.h"
#include "model/SettingsStore.h"
#include "model/WindowsSectionProvider.h"
#include "platform/windows/X11WindowAccessTrust.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace vellaro {

namespace {

// The order in which the providers are made and refreshed.
constexpr std::array<SectionKind, 7> creationOrder{
    SectionKind::apps,  SectionKind::windows,    SectionKind::files,  SectionKind::clipboard,
    SectionKind::sound, SectionKind::workspaces, SectionKind::actions};

// The sections whose content can go stale without a notification; files and
// workspaces keep themselves current.
constexpr std::array<SectionKind, 4> refreshedOnOpen{SectionKind::apps, SectionKind::clipboard,
                                                     SectionKind::sound, SectionKind::actions};

std::size_t slot(SectionKind kind) {
    return static_cast<std::size_t>(kind);
}

MenuDataSource::ProviderFactory& sharedFactory() {
    static MenuDataSource::ProviderFactory factory = &MenuDataSource::makeEmptyProvider;
    return factory;
}

void assertMainThread() {
    Q_ASSERT(!QCoreApplication::instance() ||
             QThread::currentThread() == QCoreApplication::instance()->thread());
}

} // namespace

MenuDataSource::MenuDataSource(SettingsStore& settings, WindowAccessTrust& windowAccess,
                               const ProviderFactory& makeProvider)
    : settings_(settings), windowAccess_(windowAccess),
      self_(std::make_shared<MenuDataSource*>(this)) {
    for (SectionKind kind : creationOrder) {
        auto provider = makeProvider ? makeProvider(kind) : nullptr;
        section(kind).provider = provider ? std::move(provider) : makeEmptyProvider(kind);
    }
    for (SectionKind kind : creationOrder) {
        std::weak_ptr<MenuDataSource*> weak = self_;
        section(kind).provider->setOnChange([weak, kind] {
            if (auto self = weak.lock())
                (*self)->providerChanged(kind);
        });
    }
    // Sections such as actions read the settings when they build their
    // items and are not told of a change by their provider.
    settingsObserver_ = settings_.addObserver([this] { forgetItems(); });
}

MenuDataSource::~MenuDataSource() {
    settings_.removeObserver(settingsObserver_);
}

MenuDataSource& MenuDataSource::shared() {
    static MenuDataSource source(SettingsStore::shared(), X11WindowAccessTrust::shared(),
                                 sharedFactory());
    return source;
}

void MenuDataSource::setSharedProviderFactory(ProviderFactory factory) {
    sharedFactory() = std::move(factory);
}

std::unique_ptr<SectionProvider> MenuDataSource::makeEmptyProvider(SectionKind) {
    return std::make_unique<EmptySectionProvider>();
}

MenuDataSource::Section& MenuDataSource::section(SectionKind kind) const {
    return sections_[slot(kind)];
}

SectionProvider& MenuDataSource::provider(SectionKind kind) const {
    return *section(kind).provider;
}

void MenuDataSource::refresh() {
    assertMainThread();
    const bool trusted = windowAccess_.isTrusted();
    auto* windows = dynamic_cast<WindowsSectionProvider*>(&provider(SectionKind::windows));
    if (windows && trusted != windows->wasTrusted()) {
        windows->setWasTrusted(trusted);
        // The windows section switches between its snapping items and its
        // request for access.
        if (auto callback = windows->onChange())
            callback();
    }
    for (SectionKind kind : refreshedOnOpen)
        provider(kind).refresh();
    forgetItems();
}

const std::vector<MenuItem>& MenuDataSource::cachedItems(SectionKind kind) {
    Section& entry = section(kind);
    if (!entry.items) {
        std::vector<MenuItem> items = entry.provider->items();
        if (items.size() > itemCap)
            items.erase(items.begin() + itemCap, items.end());
        entry.items = std::move(items);
    }
    return *entry.items;
}

MenuConfiguration MenuDataSource::menuConfiguration() {
    assertMainThread();
    std::vector<std::int64_t> counts;
    for (SectionKind kind : effectiveSections(settings_.settings()))
        counts.push_back(static_cast<std::int64_t>(cachedItems(kind).size()));
    return MenuConfiguration(std::move(counts));
}

std::vector<MenuItem> MenuDataSource::items(SectionKind kind) {
    assertMainThread();
    return cachedItems(kind);
}

std::int64_t MenuDataSource::movableItemCount(SectionKind kind) {
    assertMainThread();
    if (kind != SectionKind::workspaces && kind != SectionKind::apps &&
        kind != SectionKind::actions)
        return 0;
    // Only what the fan shows can be dragged: never an entry past the fan's
    // end, nor the add item after the saved ones.
    return std::min(provider(kind).removableItemCount(),
                    static_cast<std::int64_t>(cachedItems(kind).size()));
}

std::optional<MenuDataSource::Toast> MenuDataSource::removeItem(SectionKind kind,
                                                                std::int64_t index) {
    const std::int64_t removable = movableItemCount(kind);
    if (index < 0 || index >= removable)
        return std::nullopt;
    SectionProvider& removing = provider(kind);
    const std::vector<MenuItem>& shown = cachedItems(kind);
    const QString name = shown[static_cast<std::size_t>(index)].label();

    std::optional<SectionProvider::Removal> removal = removing.removeItem(index);
    section(kind).items.reset();
    if (!removal || !removal->undo)
        return std::nullopt;
    switch (kind) {
    case SectionKind::workspaces:
        return Toast{QStringLiteral(u"Workspace \u201c%1\u201d deleted").arg(name),
                     std::move(removal->undo)};
    case SectionKind::apps:
        return Toast{name + QStringLiteral(" unpinned"), std::move(removal->undo)};
    case SectionKind::actions:
        if (!removal->title)
            return std::nullopt;
        return Toast{*removal->title +
                         QStringLiteral(u" hidden \u2014 re-add from the Actions panel"),
                     std::move(removal->undo)};
    default:
        return std::nullopt;
    }
}

bool MenuDataSource::moveItem(SectionKind kind, std::int64_t from, std::int64_t to) {
    const std::int64_t movable = movableItemCount(kind);
    if (from < 0 || from >= movable || to < 0 || to >= movable || from == to)
        return false;
    const bool moved = provider(kind).moveItem(from, to);
    section(kind).items.reset();
    return moved;
}

QUuid MenuDataSource::addObserver(Observer observer) {
    const QUuid token = QUuid::createUuid();
    observers_.add(token, std::move(observer));
    return token;
}

void MenuDataSource::removeObserver(const QUuid& token) {
    observers_.remove(token);
}

void MenuDataSource::notifyObservers() {
    observers_.notify();
}

void MenuDataSource::forgetItems() {
    for (Section& entry : sections_)
        entry.items.reset();
}

void MenuDataSource::providerChanged(SectionKind kind) {
    section(kind).items.reset();
    notifyObservers();
}

} // namespace vellaro
