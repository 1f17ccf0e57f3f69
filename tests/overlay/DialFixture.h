#pragma once

// A dial on real settings (in a temporary folder), a real data source over
// sample providers, a manual clock, a fake desktop appearance and counted
// haptics. Shared by the overlay tests and the benchmark.

#include "core/CorePrinters.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "overlay/DialHaptics.h"
#include "overlay/RadialMenuView.h"
#include "platform/session/Appearance.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"
#include "support/FakeAppearance.h"
#include "support/ManualScheduler.h"

#include <QTemporaryDir>
#include <map>
#include <memory>

namespace vellaro::test {

class CountingHaptics final : public DialHaptics {
public:
    int ticks = 0;
    void tickIfDue() override { ++ticks; }
};

class TrustedWindows final : public WindowAccessTrust {
public:
    bool isTrusted() override { return true; }
};

// A section whose items the test sets; counts how often they are built.
class SampleProvider final : public SectionProvider {
public:
    std::vector<MenuItem> list;
    int builds = 0;
    std::vector<MenuItem> items() override {
        ++builds;
        return list;
    }
    void announceChange() { changed(); }
    // Edits the items and tells the data source, as a real section does.
    template <class Edit>
    void change(Edit edit) {
        edit(list);
        changed();
    }
};

inline std::vector<MenuItem> sampleItems(int count, const QString& stem = "Item") {
    static const char* symbols[] = {"folder", "doc.on.clipboard", "bolt", "square.grid.2x2"};
    std::vector<MenuItem> items;
    for (int i = 0; i < count; ++i)
        items.emplace_back(QStringLiteral("%1 %2").arg(stem).arg(i + 1),
                           MenuItem::Icon::symbol(symbols[i % 4]));
    return items;
}

// What every test dial runs on: settings in a temporary folder, the hub, a
// manual clock, trusted window access and a fake desktop appearance.
struct DialServices {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore settings{folder.path(), notifications};
    TrustedWindows trust;
    ManualScheduler scheduler;
    FakeAppearance appearance;
};

struct DialFixture : DialServices {
    // Without `compositing` the dial draws a picture of the screen behind it.
    explicit DialFixture(double scale = 1.0, bool previewMode = false, int itemsPerSection = 4,
                         bool compositing = true) {
        providers_ = std::make_shared<std::map<SectionKind, SampleProvider*>>();
        auto providers = providers_;
        dataSource = std::make_unique<MenuDataSource>(
            settings, trust, [providers, itemsPerSection](SectionKind kind) {
                auto provider = std::make_unique<SampleProvider>();
                provider->list = sampleItems(itemsPerSection, sectionTitle(kind));
                (*providers)[kind] = provider.get();
                return std::unique_ptr<SectionProvider>(std::move(provider));
            });
        const int side = int(RadialMenuView::baseSide * scale);
        view = std::make_unique<RadialMenuView>(QSize(side, side), scale, previewMode,
                                                RadialMenuView::Services{settings, *dataSource,
                                                                         scheduler, appearance,
                                                                         &haptics, compositing});
    }

    SampleProvider& provider(SectionKind kind) { return *providers_->at(kind); }
    void edit(const SettingsStore::Edit& change) { settings.update(change); }

    CountingHaptics haptics;
    std::shared_ptr<std::map<SectionKind, SampleProvider*>> providers_;
    std::unique_ptr<MenuDataSource> dataSource;
    std::unique_ptr<RadialMenuView> view;
};

} // namespace vellaro::test
