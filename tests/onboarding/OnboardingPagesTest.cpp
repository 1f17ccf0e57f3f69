#include "OnboardingFixture.h"

#include "onboarding/GrantPage.h"
#include "onboarding/HotkeyPage.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/ReadyPage.h"
#include "platform/session/LoginItem.h"
#include "support/FakeUpdateControls.h"
#include "support/MissingGlyphs.h"
#include "support/WaitUntil.h"
#include "ui/KitAccentButton.h"
#include "ui/KitSwitch.h"
#include "updates/UpdaterCenter.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cmath>
#include <memory>

using namespace vellaro;
using namespace vellaro::test;
using namespace std::chrono_literals;

namespace {

struct GrantTest : OnboardingFixture {
    int done = 0;
    std::unique_ptr<GrantPage> page =
        std::make_unique<GrantPage>(Pal::light(), services, [this] { ++done; });
};

TEST_F(GrantTest, SecondPressOpensTheSettingsInsteadOfAskingAgain) {
    page->show();
    QTest::mouseClick(page->primaryButton(), Qt::LeftButton);
    EXPECT_EQ(page->phase(), GrantPage::Phase::watching);
    QTest::mouseClick(page->primaryButton(), Qt::LeftButton);
    EXPECT_EQ(shell.requests, 1);
    EXPECT_EQ(shell.settingsOpened, 1);
}

TEST_F(GrantTest, EachSourceCompletesOncePauseAfterTheGrant) {
    struct Source {
        const char* name;
        std::function<void(GrantTest&)> deliver;
    };
    const Source sources[] = {
        {"trust changed", [](GrantTest& t) { t.trust.grant(); }},
        {"poll",
         [](GrantTest& t) {
             t.trust.trusted = true;
             t.scheduler.advance(GrantPage::pollInterval);
         }},
        {"burst",
         [](GrantTest& t) {
             for (int i = 0; i < 5; ++i)
                 t.trust.grant();
             t.page->check();
         }},
    };
    for (const Source& source : sources) {
        trust.trusted = false;
        done = 0;
        page = std::make_unique<GrantPage>(Pal::light(), services, [this] { ++done; });
        page->show();
        source.deliver(*this);
        EXPECT_EQ(page->phase(), GrantPage::Phase::granted) << source.name;
        scheduler.advance(GrantPage::grantedPause - 1ms);
        EXPECT_EQ(done, 0) << source.name;
        scheduler.advance(1ms);
        EXPECT_EQ(done, 1) << source.name;
        scheduler.advance(5s);
        EXPECT_EQ(done, 1) << source.name;
    }
}

TEST_F(GrantTest, SetUpLaterDefersAndCompletesAtOnce) {
    page->show();
    QTest::mouseClick(page->laterLink(), Qt::LeftButton);
    EXPECT_TRUE(flag(OnboardingProgress::grantDeferredKey));
    EXPECT_EQ(done, 1);
}

TEST_F(GrantTest, APageClosedDuringThePauseNeverCompletes) {
    page->show();
    trust.grant();
    page.reset();
    scheduler.advance(5s);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

struct HotkeyTest : OnboardingFixture {
    int reached = 0;
    int done = 0;
    std::unique_ptr<HotkeyPage> makePage() {
        return std::make_unique<HotkeyPage>(
            Pal::light(), services, [this] { ++reached; }, [this] { ++done; });
    }
    void dial(const char* what) { hub.post(QString::fromLatin1(what)); }
};

TEST_F(HotkeyTest, OpenedAndClosedTwiceCompletesOnceAfterTheFirstClose) {
    auto page = makePage();
    page->show();
    EXPECT_EQ(reached, 1);
    dial("vellaroOverlayDidHide"); // before any show: ignored
    scheduler.advance(1s);
    EXPECT_EQ(done, 0);
    dial("vellaroOverlayDidShow");
    EXPECT_TRUE(flag(OnboardingProgress::rehearsedKey));
    dial("vellaroOverlayDidHide");
    scheduler.advance(100ms);
    dial("vellaroOverlayDidShow");
    dial("vellaroOverlayDidHide");
    scheduler.advance(HotkeyPage::closedPause - 100ms);
    EXPECT_EQ(done, 1);
    scheduler.advance(5s);
    EXPECT_EQ(done, 1);
}

TEST_F(HotkeyTest, APageClosedDuringThePauseNeverCompletes) {
    auto page = makePage();
    page->show();
    dial("vellaroOverlayDidShow");
    dial("vellaroOverlayDidHide");
    page.reset();
    scheduler.advance(5s);
    dial("vellaroOverlayDidShow");
    EXPECT_EQ(done, 0);
}

TEST_F(HotkeyTest, MouseChipOnlyWithAMouseTrigger) {
    settings.setMouseTriggerButton(2);
    EXPECT_TRUE(makePage()->showsMouseChip());
    settings.setMouseTriggerButton(-1);
    EXPECT_FALSE(makePage()->showsMouseChip());
}

// The caps name the keys as the desktop does; the mouse chip once began
// with an emoji that no installed font draws.
TEST_F(HotkeyTest, CapsNameTheKeysAndEveryCharacterHasAGlyph) {
    struct Case {
        std::uint32_t keyCode, modifiers;
        QStringList caps;
    };
    const Case cases[] = {
        {49, 6144, {"Ctrl", "Alt", "Space"}},
        {40, 256 | 512, {"Shift", "Super", "K"}},
        {96, 4096, {"Ctrl", "F5"}},
        {83, 2048, {"Alt", "Keypad 1"}},
    };
    settings.setMouseTriggerButton(4);
    for (const Case& c : cases) {
        settings.setHotKey(KeyStroke{c.keyCode, c.modifiers, {}});
        auto page = makePage();
        EXPECT_EQ(page->capTexts(), c.caps);
        for (const QLabel* label : page->findChildren<QLabel*>()) {
            EXPECT_EQ(missingGlyphs(label->text(), label->font()), 0)
                << label->text().toStdString();
        }
    }
}

TEST_F(HotkeyTest, WarnsWheneverTheStoredKeyIsNotTheRegisteredOne) {
    auto page = makePage();
    EXPECT_FALSE(page->showsWarning());
    shell.registered = false; // a refused change kept the earlier key
    settings.setMouseTriggerButton(2);
    EXPECT_TRUE(page->showsWarning());
    QTest::mouseClick(page->findChild<KitAccentButton*>(), Qt::LeftButton);
    EXPECT_EQ(shell.consoleOpened, 1);
}

struct ReadyTest : OnboardingFixture {
    LoginItem login{QStringLiteral("/opt/vellaro/vellaro"),
                    {folder.filePath(QStringLiteral("config")), {}}};
    FakeUpdateControls updates;
    int finished = 0;

    std::unique_ptr<ReadyPage> makePage() {
        services.login = &login;
        services.updates = &updates;
        auto page = std::make_unique<ReadyPage>(Pal::light(), services, [this] { ++finished; });
        page->show();
        return page;
    }
    static QStringList texts(const QWidget& page) {
        QStringList all;
        for (const QLabel* label : page.findChildren<QLabel*>())
            if (!label->text().isEmpty())
                all << label->text();
        return all;
    }
    static void flip(KitSwitch* toggle) {
        QTest::mouseClick(toggle, Qt::LeftButton, {}, toggle->trackRect().center().toPoint());
    }
};

TEST_F(ReadyTest, RowsSayWhatIsSetUp) {
    struct Case {
        bool trusted, rehearsed;
        long long mouseButton;
        bool keyRegistered;
        const char* access;
        const char* trigger;
    };
    const Case cases[] = {
        {true, true, -1, true, "Vellaro can see your windows", "Trigger learned — Ctrl+Alt+Space"},
        {false, false, 2, true, "Window access deferred — features will ask when needed",
         "Trigger learned — Middle Click or Ctrl+Alt+Space"},
        // The desktop took the hot key: only the button is named.
        {true, true, 2, false, "Vellaro can see your windows", "Trigger learned — Middle Click"},
        {true, false, -1, false, "Vellaro can see your windows",
         "No trigger works yet — choose one in Settings"},
    };
    for (const Case& c : cases) {
        trust.trusted = c.trusted;
        shell.registered = c.keyRegistered;
        if (c.rehearsed)
            defaults.setValue(OnboardingProgress::rehearsedKey, true);
        settings.setMouseTriggerButton(c.mouseButton);
        auto page = makePage();
        EXPECT_TRUE(texts(*page).contains(QString::fromUtf8(c.access))) << c.access;
        EXPECT_TRUE(texts(*page).contains(QString::fromUtf8(c.trigger)))
            << texts(*page).join(" | ").toStdString();
        EXPECT_EQ(page->accessSatisfied(), c.trusted);
    }
}

TEST_F(ReadyTest, LoginSwitchWritesTheEntryAndShowsARefusal) {
    auto page = makePage();
    ASSERT_TRUE(page->loginSwitch());
    EXPECT_FALSE(page->loginSwitch()->isOn());
    flip(page->loginSwitch());
    EXPECT_TRUE(page->loginSwitch()->isOn());
    EXPECT_TRUE(QFile::exists(login.entryPath()));
    flip(page->loginSwitch());
    EXPECT_FALSE(QFile::exists(login.entryPath()));

    // The autostart folder cannot be made: the switch stays off.
    QDir(folder.filePath(QStringLiteral("config"))).removeRecursively();
    QFile blocker(folder.filePath(QStringLiteral("config")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    flip(page->loginSwitch());
    EXPECT_FALSE(page->loginSwitch()->isOn());
}

TEST_F(ReadyTest, UpdateSwitchTurnsAutomaticUpdatesOnOnceAndFollowsTheChoice) {
    auto page = makePage();
    EXPECT_TRUE(updates.downloads);
    EXPECT_TRUE(page->updateSwitch()->isOn());
    flip(page->updateSwitch());
    EXPECT_FALSE(updates.downloads);
    EXPECT_FALSE(page->updateSwitch()->isOn());
    flip(page->updateSwitch());
    EXPECT_TRUE(updates.downloads);
    EXPECT_TRUE(updates.checks);
}

TEST_F(ReadyTest, ACopyThatCannotUpdateItselfShowsTheSwitchOffWithWhyAndWritesNothing) {
    // The track's leading end: accent when on, under the knob when off.
    const auto trackEnd = [](QWidget& page) {
        KitSwitch* toggle = static_cast<ReadyPage&>(page).updateSwitch();
        const QPoint at = toggle->mapTo(
            &page,
            QPointF(toggle->trackRect().left() + 4, toggle->trackRect().center().y()).toPoint());
        return page.grab().toImage().pixelColor(at);
    };
    const QColor accent = Pal::light().accent;
    const auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <
               40;
    };
    for (const bool updatable : {false, true}) {
        SCOPED_TRACE(updatable);
        HostInfo host;
        host.appcastUrl = QUrl("https://vellaro.example/appcast.xml");
        host.publicKey = QByteArray(32, 'k');
        InstallLocation install;
        if (updatable) {
            install.kind = InstallLocation::Kind::appImage;
            install.appImagePath = folder.filePath("Vellaro.AppImage");
        } else {
            install.reason = "installed by your system's package manager; update it there";
        }
        UpdaterCenter center({host, install, defaults, scheduler, {}, {}, {}, {}, {}});
        services.login = &login;
        services.updates = &center;
        const QByteArray before = defaultsFile();
        ReadyPage page(Pal::light(), services, [] {});
        page.resize(440, 400);
        page.show();
        page.layout()->activate();
        flip(page.updateSwitch());
        flip(page.updateSwitch());
        EXPECT_EQ(page.updateSwitch()->isEnabled(), updatable);
        EXPECT_EQ(page.updateSwitch()->isOn(), updatable);
        EXPECT_EQ(near(trackEnd(page), accent), updatable);
        EXPECT_EQ(texts(page).contains(install.reason), !updatable);
        if (!updatable)
            EXPECT_EQ(defaultsFile(), before);
        else
            EXPECT_TRUE(defaults.boolValue(Updater::automaticDownloadsKey));
    }
}

TEST_F(ReadyTest, TheSwitchesSitCentredOnThePage) {
    auto page = makePage();
    page->resize(440, 400);
    page->layout()->activate();
    QWidget* block = page->loginSwitch()->parentWidget()->parentWidget();
    const QRect box(block->mapTo(page.get(), QPoint()), block->size());
    EXPECT_NEAR(box.center().x(), page->rect().center().x(), 1);
    EXPECT_GT(box.left(), 40);
    EXPECT_EQ(page->loginSwitch()->mapTo(page.get(), QPoint()).x(),
              page->updateSwitch()->mapTo(page.get(), QPoint()).x())
        << "the rows align on their left edges";
}

TEST_F(ReadyTest, ComingBackToTheProgramReadsAccessAndTheLoginEntryAgain) {
    auto page = makePage();
    EXPECT_FALSE(page->accessSatisfied());
    // Changed elsewhere while another program was in front.
    page->hide();
    ASSERT_TRUE(
        waitUntil([] { return QGuiApplication::applicationState() != Qt::ApplicationActive; }));
    trust.trusted = true;
    ASSERT_TRUE(login.registerItem());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(QGuiApplication::applicationState(), Qt::ApplicationActive);
    EXPECT_TRUE(page->accessSatisfied());
    EXPECT_TRUE(page->loginSwitch()->isOn());
}

} // namespace
