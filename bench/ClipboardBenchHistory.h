#pragma once

#include "FakeSecretStore.h"
#include "ProviderFixture.h"

#include "clipboard/ClipboardProvider.h"
#include "clipboard/ClipboardStore.h"
#include "platform/clipboard/X11Pasteboard.h"
#include "platform/time/QtScheduler.h"
#include "support/WaitUntil.h"

#include <QTemporaryDir>

namespace vellaro {

// The clipboard history over the real X clipboard and the program's
// scheduler, with fakes where the figures do not depend on the real thing;
// its store in a temporary folder. Ready once the clipboard was first read.
struct ClipboardBenchHistory {
    QTemporaryDir root;
    Notifications notifications;
    SettingsStore settings{root.filePath("settings"), notifications};
    X11Pasteboard pasteboard;
    test::FakeFrontApplication front;
    test::FakeKeySender keys{QtScheduler::shared()};
    test::FakeWindowAccessTrust trust;
    ClipboardProvider provider{
        ClipboardProvider::Services{pasteboard, front, settings, QtScheduler::shared(), keys, trust,
                                    [] {}},
        std::make_unique<ClipboardStore>(root.filePath("data"),
                                         std::make_unique<test::FakeSecretStore>(),
                                         root.filePath("key.lock"), QtScheduler::shared())};

    ClipboardBenchHistory() {
        test::waitUntil([&] { return pasteboard.content().has_value(); });
    }
};

} // namespace vellaro
