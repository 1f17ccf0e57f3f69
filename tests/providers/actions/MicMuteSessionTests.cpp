#include "FakeActionServices.h"
#include "model/SettingsStore.h"
#include "platform/audio/AudioInputMute.h"
#include "platform/audio/AudioSystem.h"
#include "platform/session/Notifications.h"
#include "providers/actions/ActionsProvider.h"
#include "support/ToolOutput.h"
#include "support/WaitUntil.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

QString pactl(const QStringList& arguments) {
    return test::toolOutput(QStringLiteral("pactl"), arguments);
}

// The session's PulseAudio: a null source "microphone" is the default input.
class MicMuteSession : public ::testing::Test {
protected:
    MicMuteSession()
        : store(folder.path(), notifications), input(AudioSystem::shared()),
          provider(store, authorization, input, keepAwake, {}) {
        provider.setOnChange([this] { ++changes; });
    }
    ~MicMuteSession() override {
        pactl({"set-default-source", "microphone"});
        pactl({"set-source-mute", "microphone", "0"});
    }

    MenuItem mic() {
        for (MenuItem& item : provider.items()) {
            if (item.label().contains(QLatin1String("Mic")))
                return item;
        }
        return MenuItem(QString(), MenuItem::Icon::symbol(QString()));
    }
    // The mirror holds the default source and its state.
    bool defaultSourceIs(const char* name) {
        const std::optional<AudioSource> source = AudioSystem::shared().defaultSource();
        return source && source->name == QLatin1String(name);
    }

    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore store;
    test::FakeAuthorization authorization;
    test::FakeKeepAwake keepAwake;
    AudioInputMute input;
    ActionsProvider provider;
    int changes = 0;
};

TEST_F(MicMuteSession, TappingMutesAndUnmutesTheDefaultSource) {
    ASSERT_TRUE(waitUntil([&] { return defaultSourceIs("microphone"); }));
    mic().action();
    ASSERT_TRUE(waitUntil([&] { return changes == 1; }));
    EXPECT_EQ(pactl({"get-source-mute", "microphone"}), QStringLiteral("Mute: yes"));
    EXPECT_EQ(mic().label(), QStringLiteral("Unmute Mic"));
    EXPECT_TRUE(mic().showsRunningDot);

    mic().action();
    ASSERT_TRUE(waitUntil([&] { return changes == 2; }));
    EXPECT_EQ(pactl({"get-source-mute", "microphone"}), QStringLiteral("Mute: no"));
    EXPECT_EQ(mic().label(), QStringLiteral("Mute Mic"));
    EXPECT_FALSE(mic().showsRunningDot);
}

TEST_F(MicMuteSession, AMutedMicrophoneIsReadWhenTheDialOpens) {
    pactl({"set-source-mute", "microphone", "1"});
    ASSERT_TRUE(waitUntil([&] {
        provider.refresh();
        return provider.micMuted();
    }));
    EXPECT_EQ(mic().label(), QStringLiteral("Unmute Mic"));
}

TEST_F(MicMuteSession, AnOutputsMonitorIsNoMicrophone) {
    pactl({"set-default-source", "speakers.monitor"});
    ASSERT_TRUE(waitUntil([&] { return defaultSourceIs("speakers.monitor"); }));
    mic().action(); // nothing to mute: no write is even sent
    EXPECT_EQ(pactl({"get-source-mute", "speakers.monitor"}), QStringLiteral("Mute: no"));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(mic().label(), QStringLiteral("Mute Mic"));
}

} // namespace
} // namespace vellaro
