#pragma once

#include "ProviderFixture.h"

#include "clipboard/ClipboardHistoryView.h"
#include "clipboard/ClipboardHistoryWindowController.h"
#include "platform/session/Defaults.h"
#include "support/FakeAppearance.h"
#include "support/OneSectionDataSource.h"

#include <QCoreApplication>
#include <QFile>
#include <set>

namespace vellaro::test {

class FakeWindowFocus final : public WindowFocus {
public:
    WindowId active = 0;
    std::set<WindowId> clients;
    std::vector<WindowId> activated;

    WindowId activeWindow() override { return active; }
    bool exists(WindowId window) override { return clients.count(window) > 0; }
    void activate(WindowId window) override {
        activated.push_back(window);
        active = window;
    }
};

inline constexpr WindowFocus::WindowId editorWindow = 0x1200007;
inline constexpr WindowFocus::WindowId terminalWindow = 0x1400003;

// A controller over a data source whose clipboard section is the fixture's
// provider, on a manual scheduler.
struct HistoryFixture {
    ProviderFixture clipboard;
    ClipboardProvider* provider = clipboard.provider.get();
    test::OneSectionDataSource dataSource{SectionKind::clipboard, std::move(clipboard.provider)};
    test::FakeAppearance appearance;
    Defaults defaults{clipboard.root.filePath("defaults.ini")};
    FakeWindowFocus focus;
    std::unique_ptr<ClipboardHistoryWindowController> controller = make();

    HistoryFixture() { focus.clients = {editorWindow, terminalWindow}; }

    std::unique_ptr<ClipboardHistoryWindowController> make() {
        return std::make_unique<ClipboardHistoryWindowController>(
            ClipboardHistoryWindowController::Services{*dataSource,
                                                       focus,
                                                       clipboard.scheduler,
                                                       {clipboard.settings, appearance, defaults},
                                                       [this] { return clipboard.now; }});
    }
    ClipboardHistoryView& view() const { return *controller->view(); }
    QStringList shownTitles() const {
        QStringList titles;
        for (const ClipboardEntry& entry : view().shownEntries())
            titles << entry.title;
        return titles;
    }
    void settle() {
        for (int i = 0; i < 3; ++i) {
            provider->store().waitForWorker(std::chrono::seconds(10));
            QCoreApplication::processEvents();
        }
    }
    bool sealedFileExists() const {
        return QFile::exists(clipboard.dataFolder() + "/clipboard.sealed");
    }
};

} // namespace vellaro::test
