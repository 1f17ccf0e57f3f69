#pragma once

#include "FakePasteboard.h"
#include "StoreFixture.h"

#include "clipboard/ClipboardProvider.h"
#include "clipboard/ClipboardStore.h"
#include "clipboard/FrontApplication.h"
#include "model/SettingsStore.h"
#include "platform/input/KeySender.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QDir>
#include <QTemporaryDir>

namespace vellaro::test {

class FakeFrontApplication final : public FrontApplication {
public:
    std::optional<SourceApplication> front;
    std::optional<SourceApplication> current() const override { return front; }
    // The active window moves to `next`.
    void activate(std::optional<SourceApplication> next) {
        const auto previous = std::exchange(front, std::move(next));
        Q_EMIT changed(previous, front);
    }
};

class FakeKeySender final : public KeySender {
public:
    struct Stroke {
        std::uint32_t keysym;
        std::uint16_t modifiers;
        Scheduler::TimePoint at;
    };
    explicit FakeKeySender(const Scheduler& scheduler) : scheduler_(scheduler) {}
    bool sendKey(std::uint32_t keysym, std::uint16_t modifiers) override {
        strokes.push_back({keysym, modifiers, scheduler_.now()});
        return true;
    }
    QStringList focusedWindowClass() override { return windowClass; }
    std::vector<Stroke> strokes;
    QStringList windowClass; // of the window in front

private:
    const Scheduler& scheduler_;
};

class FakeWindowAccessTrust final : public WindowAccessTrust {
public:
    bool trusted = true;
    bool isTrusted() override { return trusted; }
};

inline PasteboardContent textContent(const QString& text) {
    PasteboardContent content;
    content.types = {"UTF8_STRING", "TARGETS"};
    content.text = CopiedText(text);
    return content;
}

inline const SourceApplication editor{"org.gnome.TextEditor", "Text Editor"};
inline const SourceApplication passwords{"org.keepassxc.KeePassXC", "KeePassXC"};

// A provider over fakes, its store sealing into a temporary folder.
struct ProviderFixture {
    QTemporaryDir root;
    ManualScheduler scheduler;
    Notifications notifications;
    SettingsStore settings{root.filePath("settings"), notifications};
    FakePasteboard pasteboard;
    FakeFrontApplication front;
    FakeKeySender keys{scheduler};
    FakeWindowAccessTrust trust;
    int historyShown = 0;
    QDateTime now{QDate(2026, 3, 1), QTime(12, 0), Qt::UTC};
    std::unique_ptr<FakeSecretStore> unusedSecrets = std::make_unique<FakeSecretStore>();
    FakeSecretStore* secrets = unusedSecrets.get();
    std::unique_ptr<ClipboardProvider> provider;

    explicit ProviderFixture(bool startNow = true) {
        if (startNow)
            start();
    }

    QString dataFolder() const { return root.filePath("data"); }

    // Creates the provider, as at launch.
    void start(bool settleLoad = true) {
        auto store = std::make_unique<ClipboardStore>(dataFolder(), std::move(unusedSecrets),
                                                      root.filePath("key.lock"), scheduler);
        provider = std::make_unique<ClipboardProvider>(
            ClipboardProvider::Services{pasteboard, front, settings, scheduler, keys, trust,
                                        [this] { ++historyShown; }, [this] { return now; }},
            std::move(store));
        if (settleLoad)
            settle();
    }

    // A history sealed before launch.
    void seedFile(const std::vector<StoredEntry>& records) {
        secrets->setSecret(Aead::randomBytes(Aead::keySize));
        QDir().mkpath(dataFolder());
        QFile file(dataFolder() + "/clipboard.sealed");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(*Aead::seal(*secrets->secret(), StoredEntry::encodeList(records)));
    }

    // The records in the sealed file.
    std::optional<std::vector<StoredEntry>> fileRecords() const {
        QFile file(dataFolder() + "/clipboard.sealed");
        if (!file.open(QIODevice::ReadOnly) || !secrets->secret())
            return std::nullopt;
        const auto json = Aead::open(*secrets->secret(), file.readAll());
        return json ? StoredEntry::decodeList(*json) : std::nullopt;
    }

    void settle() {
        for (int i = 0; i < 3; ++i) {
            provider->store().waitForWorker(std::chrono::seconds(10));
            QCoreApplication::processEvents();
        }
    }

    // Another program copies text; its content is read at once.
    void copyText(const QString& text) { pasteboard.copyElsewhere(textContent(text)); }

    QStringList titles() const {
        QStringList list;
        for (const auto& entry : provider->entries())
            list << entry.title;
        return list;
    }
};

} // namespace vellaro::test
