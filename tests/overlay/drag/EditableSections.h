#pragma once

// Sections whose saved entries can be moved and removed, the way the apps,
// workspaces and actions sections keep theirs: the saved entries lead the fan,
// an optional trailing item (add an app, capture a workspace) follows.

#include "model/SectionProvider.h"

#include <QStringList>

namespace vellaro::test {

class SavedEntriesProvider final : public SectionProvider {
public:
    SavedEntriesProvider(QStringList entries, QString trailing)
        : entries(std::move(entries)), trailing_(std::move(trailing)) {}

    QStringList entries;
    std::vector<std::pair<std::int64_t, std::int64_t>> moves;
    // Context-menu entries given to the first item.
    std::vector<MenuAction> firstItemActions;

    std::vector<MenuItem> items() override {
        std::vector<MenuItem> list;
        for (const QString& entry : entries)
            list.emplace_back(entry, MenuItem::Icon::symbol(QStringLiteral("folder")));
        if (!list.empty())
            list.front().menuActions = firstItemActions;
        if (!trailing_.isEmpty())
            list.emplace_back(trailing_, MenuItem::Icon::symbol(QStringLiteral("plus")));
        return list;
    }
    void announce() { changed(); }
    std::int64_t removableItemCount() override { return entries.size(); }
    std::optional<Removal> removeItem(std::int64_t index) override {
        const QString removed = entries.takeAt(index);
        changed();
        return Removal{[this, index, removed] {
                           entries.insert(index, removed);
                           changed();
                       },
                       std::nullopt};
    }
    bool moveItem(std::int64_t from, std::int64_t to) override {
        moves.emplace_back(from, to);
        entries.move(from, to);
        changed();
        return true;
    }

private:
    QString trailing_;
};

} // namespace vellaro::test
