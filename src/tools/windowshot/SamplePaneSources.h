#pragma once

#include "model/ActionsPaneSource.h"
#include "model/AppsPaneSource.h"
#include "model/ClipboardPaneSource.h"
#include "model/SectionProvider.h"
#include "model/SymbolCatalog.h"
#include "model/WorkspacesPaneSource.h"

#include <QColor>

namespace vellaro::windowshot {

// Still pane sources for pictures: they show what they were given and
// ignore every edit.
class SampleAppsSource final : public SectionProvider, public AppsPaneSource {
public:
    explicit SampleAppsSource(int pins) {
        const char* names[] = {"Files",    "Firefox", "Terminal", "Text Editor", "Calculator",
                               "Calendar", "Music",   "Photos",   "Settings",    "Maps",
                               "Camera",   "Cargo",   "Scanner",  "Cards"};
        for (int i = 0; i < 14; ++i) {
            const InstalledApp app{QStringLiteral("app%1").arg(i), QString::fromUtf8(names[i]),
                                   QString()};
            installed_.push_back(app);
            if (i < pins)
                pins_.push_back({app.bundleID, app.name, icon(app), i % 3 == 0});
        }
    }
    std::vector<MenuItem> items() override { return {}; }
    std::vector<PinnedEntry> pinnedEntries() const override { return pins_; }
    QSet<QString> pinnedBundleIDs() const override {
        QSet<QString> ids;
        for (const PinnedEntry& pin : pins_)
            ids.insert(pin.bundleID);
        return ids;
    }
    void add(const std::vector<InstalledApp>&) override {}
    void remove(const QString&) override {}
    std::function<void()> removeEntry(std::int64_t) override { return {}; }
    void move(const QString&, std::int64_t) override {}
    void installedApps(QObject*, AppsReceiver done) override { done(installed_); }
    std::optional<AppLook> lookUp(const QString& bundleID) override {
        for (const InstalledApp& app : installed_)
            if (app.bundleID == bundleID)
                return AppLook{app.name, icon(app)};
        return std::nullopt;
    }
    QImage icon(const InstalledApp& app) override {
        // A coloured tile per app, so rows are told apart.
        const int hue = static_cast<int>(qHash(app.bundleID) % 360);
        QImage tile(64, 64, QImage::Format_ARGB32_Premultiplied);
        tile.fill(QColor::fromHsv(hue, 120, 220));
        return tile;
    }

private:
    std::vector<InstalledApp> installed_;
    std::vector<PinnedEntry> pins_;
};

class SampleClipboardSource final : public SectionProvider, public ClipboardPaneSource {
public:
    std::vector<MenuItem> items() override { return {}; }
    void clearHistory() override {}
};

class SampleActionsSource final : public SectionProvider, public ActionsPaneSource {
public:
    std::vector<MenuItem> items() override { return {}; }
    std::vector<std::pair<QString, QString>> hiddenActionList() override {
        return {{QStringLiteral("screenshot"), QStringLiteral("Screenshot")},
                {QStringLiteral("keep-awake"), QStringLiteral("Keep Awake")}};
    }
};

class SampleWorkspacesSource final : public SectionProvider, public WorkspacesPaneSource {
public:
    std::vector<MenuItem> items() override { return {}; }
    std::vector<Summary> workspaceSummaries() const override {
        return {{QUuid::fromString(QStringLiteral("{00000000-0000-0000-0000-000000000001}")),
                 QStringLiteral("Writing"), 4},
                {QUuid::fromString(QStringLiteral("{00000000-0000-0000-0000-000000000002}")),
                 QStringLiteral("<b>Review</b> & calls"), 0}};
    }
    void rename(const QUuid&, const QString&) override {}
    void restore(const QUuid&) override {}
    void deleteWorkspace(const QUuid&) override {}
};

} // namespace vellaro::windowshot
