#pragma once

#include "core/MenuConfiguration.h"
#include "core/ObserverList.h"
#include "model/MenuItem.h"
#include "model/SectionKind.h"
#include "model/SectionProvider.h"

#include <QString>
#include <QUuid>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class SettingsStore;
class WindowAccessTrust;

// The one owner of the seven section providers: it decides which sections
// the dial shows, serves their items (at most 8 each) and the menu
// configuration, removes items dragged off the dial, and tells its observers
// when a section's content changed. Main thread only.
class MenuDataSource {
public:
    using ProviderFactory = std::function<std::unique_ptr<SectionProvider>(SectionKind)>;
    using Observer = std::function<void()>;

    // The toast for an item dragged off the dial.
    struct Toast {
        QString message;
        std::function<void()> undo;
    };

    static constexpr std::size_t itemCap = 8;

    // Creates the providers in the order apps, windows, files, clipboard,
    // sound, workspaces, actions, then installs its change callback in each.
    MenuDataSource(SettingsStore& settings, WindowAccessTrust& windowAccess,
                   const ProviderFactory& makeProvider);
    ~MenuDataSource();
    MenuDataSource(const MenuDataSource&) = delete;
    MenuDataSource& operator=(const MenuDataSource&) = delete;

    // The shared data source, made on first use with the shared settings,
    // the X11 window-access check and the installed provider factory.
    static MenuDataSource& shared();
    // Installs the factory the shared data source will use; call it before
    // the first shared(). Without one every section is empty.
    static void setSharedProviderFactory(ProviderFactory factory);
    // Gives each section a provider with no items.
    static std::unique_ptr<SectionProvider> makeEmptyProvider(SectionKind kind);

    SectionProvider& provider(SectionKind kind) const;

    // Called each time the dial is about to open: re-checks the window-access
    // grant, refreshes the providers and forgets every cached item list.
    void refresh();

    // The configuration of the sections the dial shows now.
    MenuConfiguration menuConfiguration();
    // The section's items, at most 8.
    std::vector<MenuItem> items(SectionKind kind);

    // How many leading fan items of a section are saved entries the user may
    // drag (workspaces, apps, actions): the provider's count, within the fan.
    std::int64_t movableItemCount(SectionKind section);
    // Removes the fan item at `index` of a section whose items can be dragged
    // off (workspaces, apps, actions); none when nothing was removed.
    std::optional<Toast> removeItem(SectionKind section, std::int64_t index);
    // Moves a saved entry of the fan from `from` to `to`; false when either
    // position is not a movable one or the section did not move it.
    bool moveItem(SectionKind section, std::int64_t from, std::int64_t to);

    // Observers are called after any section's content changed. One removed
    // during a notification is not called afterwards; one added during a
    // notification hears the next one on.
    QUuid addObserver(Observer observer);
    void removeObserver(const QUuid& token);
    void notifyObservers();

private:
    struct Section {
        std::unique_ptr<SectionProvider> provider;
        // The provider's items between its change callbacks: the dial asks
        // for the configuration on every input and must not rebuild them.
        std::optional<std::vector<MenuItem>> items;
    };

    Section& section(SectionKind kind) const;
    const std::vector<MenuItem>& cachedItems(SectionKind kind);
    void forgetItems();
    void providerChanged(SectionKind kind);

    SettingsStore& settings_;
    WindowAccessTrust& windowAccess_;
    mutable std::array<Section, 7> sections_;
    ObserverList<QUuid> observers_;
    std::uint64_t settingsObserver_ = 0;
    // Provider callbacks hold the data source through this, weakly.
    std::shared_ptr<MenuDataSource*> self_;
};

} // namespace vellaro
