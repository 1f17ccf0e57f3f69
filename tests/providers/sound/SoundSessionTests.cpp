// The sound section against the session's PulseAudio (null sinks "Speakers"
// and "Headphones", null source "Microphone"). Each test puts back what it
// changed: the server is shared by the whole run.
#include "platform/audio/PulseAudioSystem.h"
#include "platform/time/QtScheduler.h"
#include "providers/sound/SoundProvider.h"
#include "support/ItemLabels.h"
#include "support/WaitUntil.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

QString pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

const MenuItem* find(const std::vector<MenuItem>& items, const QString& label) {
    for (const MenuItem& item : items) {
        if (item.label() == label)
            return &item;
    }
    return nullptr;
}

class SoundSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        pactl({"set-default-sink", "speakers"});
        pactl({"set-sink-volume", "speakers", "50%"});
        pactl({"set-sink-mute", "speakers", "0"});
        audio = std::make_unique<PulseAudioSystem>(scheduler);
        ASSERT_TRUE(waitUntil([&] {
            return audio->defaultSinkName() == "speakers" && audio->sinks().size() >= 2 &&
                   audio->defaultSink()->volume == 0.5;
        }));
        sound = std::make_unique<SoundProvider>(*audio);
        sound->setOnChange([this] { ++changes; });
    }
    void TearDown() override {
        pactl({"set-default-sink", "speakers"});
        pactl({"set-sink-mute", "speakers", "0"});
        pactl({"set-sink-volume", "speakers", "50%"});
    }

    QtScheduler scheduler;
    std::unique_ptr<PulseAudioSystem> audio;
    std::unique_ptr<SoundProvider> sound;
    int changes = 0;
};

TEST_F(SoundSessionTest, TheDefaultCarriesTheDotAndChoosingAnotherSwitches) {
    auto items = sound->items();
    ASSERT_TRUE(find(items, "Speakers"));
    ASSERT_TRUE(find(items, "Headphones"));
    EXPECT_TRUE(find(items, "Speakers")->showsRunningDot);
    EXPECT_FALSE(find(items, "Headphones")->showsRunningDot);

    find(items, "Headphones")->action();
    EXPECT_TRUE(waitUntil([&] { return pactl({"get-default-sink"}) == "headphones"; }));
    EXPECT_TRUE(waitUntil([&] {
        const auto now = sound->items();
        return find(now, "Headphones")->showsRunningDot && !find(now, "Speakers")->showsRunningDot;
    }));
    EXPECT_GE(changes, 1);
}

TEST_F(SoundSessionTest, VolumeStepsStartFromTheLevelShown) {
    struct Row {
        const char* level; // set with pactl before the step
        const char* shown;
        std::size_t item; // 0 Volume Up, 1 Volume Down
        const char* written;
        const char* shownAfter;
    };
    const Row rows[] = {
        {"50%", "50 %", 0, "56%", "56 %"},
        {"100%", "100 %", 1, "94%", "94 %"},
        // The server goes above 100 %: shown as it is, and one step down
        // from there rather than from 100 %.
        {"150%", "150 %", 1, "144%", "144 %"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.level);
        pactl({"set-sink-volume", "speakers", row.level});
        ASSERT_TRUE(waitUntil([&] { return sound->items()[0].sublabel == row.shown; }));
        EXPECT_EQ(sound->items()[1].sublabel, row.shown);
        sound->items()[row.item].action();
        EXPECT_TRUE(waitUntil([&] {
            return pactl({"get-sink-volume", "speakers"}).contains(QLatin1String(row.written));
        }));
        EXPECT_TRUE(waitUntil([&] { return sound->items()[0].sublabel == row.shownAfter; }));
    }
}

TEST_F(SoundSessionTest, MuteReachesTheServer) {
    sound->items()[2].action(); // Mute
    EXPECT_TRUE(waitUntil([&] { return pactl({"get-sink-mute", "speakers"}) == "Mute: yes"; }));
    EXPECT_TRUE(waitUntil([&] { return sound->items()[2].label() == "Unmute"; }));
}

TEST_F(SoundSessionTest, ChangesMadeElsewhereOnTheDefaultOutputAreFollowed) {
    sound->refresh();
    const int before = changes;
    // The other sink first: events arrive in order, so once the default
    // output's change is heard, the other one would have been heard too.
    pactl({"set-sink-volume", "headphones", "20%"});
    pactl({"set-sink-volume", "speakers", "30%"});
    ASSERT_TRUE(waitUntil([&] { return changes > before; }));
    EXPECT_EQ(changes, before + 1);
    EXPECT_EQ(sound->items()[0].sublabel, "30 %");
    pactl({"set-sink-volume", "headphones", "100%"});
}

TEST_F(SoundSessionTest, AnAddedOutputGetsARowUntilItIsRemoved) {
    const QString module = pactl({"load-module", "module-null-sink", "sink_name=extra",
                                  "sink_properties=device.description=Extra"});
    ASSERT_FALSE(module.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return test::itemLabels(sound->items()).contains("Extra"); }));
    pactl({"unload-module", module});
    EXPECT_TRUE(waitUntil([&] { return !test::itemLabels(sound->items()).contains("Extra"); }));
}

TEST_F(SoundSessionTest, TheDefaultSourcesMuteIsSetAndReadBack) {
    ASSERT_TRUE(waitUntil([&] { return audio->defaultSource().has_value(); }));
    const QString microphone = audio->defaultSourceName();
    EXPECT_EQ(microphone, "microphone");
    EXPECT_FALSE(audio->defaultSource()->monitorOfSink);
    std::optional<int> result;
    audio->setSourceMute(microphone, true, [&](int error) { result = error; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_EQ(*result, 0);
    // The completion comes once the mirror holds the write.
    EXPECT_TRUE(audio->defaultSource()->muted);
    EXPECT_EQ(pactl({"get-source-mute", microphone}), "Mute: yes");
    result.reset();
    audio->setSourceMute(microphone, false, [&](int error) { result = error; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(audio->defaultSource()->muted);
}

TEST_F(SoundSessionTest, AWriteToAMissingDeviceReportsTheServersError) {
    std::optional<int> result;
    audio->setDefaultSink("no-such-sink", [&](int error) { result = error; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_NE(*result, 0);
    EXPECT_EQ(audio->defaultSinkName(), "speakers");
}

} // namespace
} // namespace vellaro
