#include "clipboard/RunningAppsFrontApplication.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/RunningApps.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

class FakeRunningApps final : public RunningApps {
public:
    QString active;
    bool activeHasWindows = true;
    QSet<QString> runningIds() const override {
        return activeHasWindows ? QSet<QString>{active} : QSet<QString>{};
    }
    QString activeApp() const override { return active; }
    bool activate(const QString&) override { return false; }
    void hide(const QString&) override {}
    void quit(const QString&) override {}
    void switchTo(const QString& next) {
        const QString previous = std::exchange(active, next);
        Q_EMIT activeAppChanged(previous, active);
    }
};

struct Fixture {
    QTemporaryDir data;
    FakeRunningApps apps;
    std::unique_ptr<RunningAppsFrontApplication> front;

    Fixture() {
        QDir().mkpath(data.filePath("applications"));
        QFile entry(data.filePath("applications/org.gnome.TextEditor.desktop"));
        EXPECT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Text Editor\nName[de]=Texteditor\n"
                    "Exec=gnome-text-editor\n");
        entry.close();
        const AppCatalog catalog(AppCatalog::Options{{data.path()}, {}, "de_DE.UTF-8"});
        front = std::make_unique<RunningAppsFrontApplication>(apps, [catalog](const QString& id) {
            const auto found = catalog.find(id);
            return found ? found->name : QString();
        });
    }
};

TEST(RunningAppsFrontApplication, NamesTheActiveApplicationFromItsDesktopEntry) {
    Fixture f;
    EXPECT_FALSE(f.front->current()) << "no active window";
    f.apps.active = "org.gnome.TextEditor";
    EXPECT_EQ(f.front->current(), (SourceApplication{"org.gnome.TextEditor", "Texteditor"}));
    f.apps.active = "XTerm"; // a window class without a desktop entry
    EXPECT_EQ(f.front->current(), (SourceApplication{"XTerm", ""}));
    // Its last window closed while the window manager still names it active.
    f.apps.activeHasWindows = false;
    EXPECT_FALSE(f.front->current());
}

TEST(RunningAppsFrontApplication, AnActivationReportsThePreviousAndTheNewApplication) {
    Fixture f;
    f.apps.active = "org.gnome.TextEditor";
    std::vector<std::pair<std::optional<SourceApplication>, std::optional<SourceApplication>>> seen;
    QObject::connect(
        f.front.get(), &FrontApplication::changed,
        [&](const auto& previous, const auto& current) { seen.emplace_back(previous, current); });
    f.apps.switchTo("XTerm");
    f.apps.switchTo("");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first->name, "Texteditor");
    EXPECT_EQ(seen[0].second->bundleID, "XTerm");
    EXPECT_EQ(seen[1].first->bundleID, "XTerm");
    EXPECT_FALSE(seen[1].second);
}

} // namespace
} // namespace vellaro
