#pragma once

// The context panel on a real data source over the fixture's settings,
// whose apps, clipboard, actions and workspaces sections are fake pane
// sources (or, with `withProviders` false, providers that offer no pane).
#include "SectionPaneFakes.h"
#include "settings/panel/ContextPanelFixture.h"

#include "model/MenuDataSource.h"
#include "settings/panes/SectionPanel.h"
#include "ui/VelChipButton.h"

#include <gtest/gtest.h>

#include <memory>

namespace vellaro::test {

struct SectionPanelFixture : ContextPanelFixture {
    bool withProviders = true;
    FakeAppsSource* apps = nullptr;
    FakeClipboardSource* clipboard = nullptr;
    FakeActionsSource* actions = nullptr;
    FakeWorkspacesSource* workspaces = nullptr;
    std::unique_ptr<MenuDataSource> source;

    ~SectionPanelFixture() {
        // The panel's observers go before the data source.
        delete panel;
        panel = nullptr;
    }

    std::unique_ptr<SectionProvider> makeProvider(SectionKind kind) {
        if (!withProviders)
            return nullptr;
        switch (kind) {
        case SectionKind::apps:
            return hold(apps);
        case SectionKind::clipboard:
            return hold(clipboard);
        case SectionKind::actions: {
            std::unique_ptr<SectionProvider> held = hold(actions);
            actions->hidden = [this] { return store.settings().hiddenActions; };
            return held;
        }
        case SectionKind::workspaces:
            return hold(workspaces);
        default:
            return nullptr;
        }
    }
    template <class Fake>
    std::unique_ptr<SectionProvider> hold(Fake*& fake) {
        fake = new Fake;
        return std::unique_ptr<SectionProvider>(fake);
    }

    void openOn(SectionKind kind, const std::function<void()>& prepare = {}) {
        source = std::make_unique<MenuDataSource>(
            store, trust, [this](SectionKind k) { return makeProvider(k); });
        dataSource = source.get();
        if (prepare)
            prepare();
        open();
        select(kind);
    }
    void select(std::optional<SectionKind> kind) {
        host.setSelection(kind);
        panel->selectionChanged();
        settle();
    }
    // Runs the rebuilds asked for inside the last handler.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    SectionPanel& section() const { return panel->sectionBody(); }
    void press(VelChipButton* chip) {
        ASSERT_NE(chip, nullptr);
        click(*chip, chip->chipRect().center());
        settle();
    }
};

} // namespace vellaro::test
