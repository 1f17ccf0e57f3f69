#pragma once

#include "model/MenuItem.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vellaro {

// What every section of the dial offers the data source. Providers are
// long-lived, created once by MenuDataSource, and used on the main thread only.
//
// The data source keeps a section's items between the provider's onChange
// calls and its own refresh() (when the dial opens), so an open dial shows
// only what onChange announced: a provider calls it for every change its
// items would show, wherever it came from, including a keeps-open item
// whose action changes its own label or sublabel.
class SectionProvider {
public:
    // What a removal hands back: the undo that puts the item back and, for
    // sections that name the removed item themselves, its title.
    struct Removal {
        std::function<void()> undo;
        std::optional<QString> title;
    };

    virtual ~SectionProvider() = default;

    // The data source installs its callback here once all providers exist,
    // replacing any callback already there.
    void setOnChange(std::function<void()> callback) { onChange_ = std::move(callback); }
    const std::function<void()>& onChange() const { return onChange_; }

    // The section's items in fan order (index 0 is the first clockwise),
    // built afresh on every call; any number, the data source keeps 8.
    virtual std::vector<MenuItem> items() = 0;

    // Re-reads what can go stale without a notification; the data source
    // calls it for the apps, clipboard, sound and actions sections each time
    // the dial opens.
    virtual void refresh() {}

    // How many leading fan items stand for a saved entry the user can drag
    // off the dial (an add item after them is not one). 0: nothing removable.
    virtual std::int64_t removableItemCount() { return 0; }

    // Removes the item at a fan index below removableItemCount(); none when
    // nothing was removed.
    virtual std::optional<Removal> removeItem(std::int64_t /*index*/) { return std::nullopt; }

    // Moves the saved entry at fan index `from` to `to`, both below
    // removableItemCount(), and announces the change; false when the section
    // keeps no order of its own.
    virtual bool moveItem(std::int64_t /*from*/, std::int64_t /*to*/) { return false; }

protected:
    // Tells the data source that the items changed. Main thread.
    void changed() const {
        // A copy: the callback may replace itself while it runs.
        if (auto callback = onChange_)
            callback();
    }

private:
    std::function<void()> onChange_;
};

} // namespace vellaro
