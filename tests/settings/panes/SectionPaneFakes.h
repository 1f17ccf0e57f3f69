#pragma once

// Pane sources standing in for the section providers, each a real
// SectionProvider so the data source hands it out and relays its changes.
#include "model/ActionsPaneSource.h"
#include "model/AppsPaneSource.h"
#include "model/ClipboardPaneSource.h"
#include "model/SectionProvider.h"
#include "model/WorkspacesPaneSource.h"

#include <QObject>
#include <QPointer>
#include <algorithm>

namespace vellaro::test {

class FakeAppsSource final : public SectionProvider, public AppsPaneSource {
public:
    std::vector<PinnedEntry> pins;
    std::vector<InstalledApp> installed;
    bool answerAtOnce = true;
    int adds = 0, entryReads = 0;

    std::vector<MenuItem> items() override { return {}; }
    void announce() const { changed(); }

    std::vector<PinnedEntry> pinnedEntries() const override {
        ++const_cast<FakeAppsSource*>(this)->entryReads;
        return pins;
    }
    QSet<QString> pinnedBundleIDs() const override {
        QSet<QString> ids;
        for (const PinnedEntry& p : pins)
            ids.insert(p.bundleID);
        return ids;
    }
    void add(const std::vector<InstalledApp>& apps) override {
        ++adds;
        for (const InstalledApp& app : apps)
            if (!pinnedBundleIDs().contains(app.bundleID))
                pins.push_back({app.bundleID, app.name, {}, false});
        changed();
    }
    void remove(const QString& bundleID) override {
        std::erase_if(pins, [&](const PinnedEntry& p) { return p.bundleID == bundleID; });
        changed();
    }
    std::function<void()> removeEntry(std::int64_t index) override {
        if (index < 0 || index >= static_cast<std::int64_t>(pins.size()))
            return {};
        const PinnedEntry removed = pins[static_cast<std::size_t>(index)];
        pins.erase(pins.begin() + index);
        changed();
        return [this, removed, index] {
            pins.insert(pins.begin() + index, removed);
            changed();
        };
    }
    void move(const QString& bundleID, std::int64_t step) override {
        const auto found = std::find_if(
            pins.begin(), pins.end(), [&](const PinnedEntry& p) { return p.bundleID == bundleID; });
        const std::int64_t i = found - pins.begin(), j = i + step;
        if (found == pins.end() || j < 0 || j >= static_cast<std::int64_t>(pins.size()))
            return;
        std::swap(pins[static_cast<std::size_t>(i)], pins[static_cast<std::size_t>(j)]);
        changed();
    }
    void installedApps(QObject* context, AppsReceiver done) override {
        if (answerAtOnce) {
            done(installed);
            return;
        }
        pending = [context = QPointer<QObject>(context), done = std::move(done), this] {
            if (context)
                done(installed);
        };
    }
    std::optional<AppLook> lookUp(const QString& bundleID) override {
        for (const InstalledApp& app : installed)
            if (app.bundleID == bundleID)
                return AppLook{app.name, {}};
        return std::nullopt;
    }
    QImage icon(const InstalledApp&) override {
        QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::darkCyan);
        return image;
    }

    std::function<void()> pending;
};

class FakeClipboardSource final : public SectionProvider, public ClipboardPaneSource {
public:
    int clears = 0;
    std::vector<MenuItem> items() override { return {}; }
    void clearHistory() override {
        ++clears;
        changed();
    }
};

class FakeActionsSource final : public SectionProvider, public ActionsPaneSource {
public:
    // The actions the settings hide, labelled, in catalogue order.
    std::vector<std::pair<QString, QString>> catalogue;
    std::function<QStringList()> hidden;
    std::vector<MenuItem> items() override { return {}; }
    std::vector<std::pair<QString, QString>> hiddenActionList() override {
        std::vector<std::pair<QString, QString>> list;
        for (const auto& entry : catalogue)
            if (hidden().contains(entry.first))
                list.push_back(entry);
        return list;
    }
};

class FakeWorkspacesSource final : public SectionProvider, public WorkspacesPaneSource {
public:
    std::vector<Summary> saved;
    std::vector<std::pair<QUuid, QString>> renames;
    std::vector<QUuid> restores;
    std::vector<MenuItem> items() override { return {}; }
    void announce() const { changed(); }
    std::vector<Summary> workspaceSummaries() const override { return saved; }
    void rename(const QUuid& id, const QString& name) override {
        renames.emplace_back(id, name);
        for (Summary& s : saved)
            if (s.id == id && !name.trimmed().isEmpty())
                s.name = name.trimmed();
        changed();
    }
    void restore(const QUuid& id) override { restores.push_back(id); }
    void deleteWorkspace(const QUuid& id) override {
        std::erase_if(saved, [&](const Summary& s) { return s.id == id; });
        changed();
    }
};

} // namespace vellaro::test
