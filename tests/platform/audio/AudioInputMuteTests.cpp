#include "platform/audio/AudioInputMute.h"
#include "support/FakeAudioSystem.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

AudioSource source(const char* name, bool muted, std::optional<std::uint32_t> monitorOf = {}) {
    AudioSource made;
    made.name = QLatin1String(name);
    made.muted = muted;
    made.monitorOfSink = monitorOf;
    return made;
}

TEST(AudioInputMuteTest, OnlyARealDefaultSourceIsAMicrophone) {
    struct Case {
        const char* name;
        const char* defaultSource;
        std::optional<bool> muted;
    };
    const std::vector<Case> cases{
        {"muted microphone", "microphone", true},
        {"open microphone", "headset", false},
        {"an output's monitor", "speakers.monitor", std::nullopt},
        {"no default", "", std::nullopt},
        {"a default that is gone", "unplugged", std::nullopt},
    };
    test::FakeAudioSystem audio;
    audio.sourceList = {source("microphone", true), source("headset", false),
                        source("speakers.monitor", false, 0)};
    AudioInputMute input(audio);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        audio.defaultSourceValue = QLatin1String(c.defaultSource);
        EXPECT_EQ(input.muted(), c.muted);
        input.setMuted(true, [](bool, int) {});
    }
    // Writes went to the two real inputs only.
    ASSERT_EQ(audio.history.size(), 2u);
    EXPECT_EQ(audio.history[0].name, QStringLiteral("microphone"));
    EXPECT_EQ(audio.history[1].name, QStringLiteral("headset"));
}

TEST(AudioInputMuteTest, ReportsTheServersAnswerAndItsChanges) {
    test::FakeAudioSystem audio;
    audio.sourceList = {source("microphone", false)};
    audio.defaultSourceValue = QStringLiteral("microphone");
    AudioInputMute input(audio);
    int changes = 0;
    input.setOnChange([&] { ++changes; });
    std::vector<std::pair<bool, int>> answers;
    const auto record = [&](bool confirmed, int status) {
        answers.emplace_back(confirmed, status);
    };

    input.setMuted(true, record);
    audio.answerNext();
    EXPECT_EQ(input.muted(), true);
    input.setMuted(false, record);
    audio.answerNext(-3);
    EXPECT_EQ(input.muted(), true);
    EXPECT_EQ(answers, (std::vector<std::pair<bool, int>>{{true, 0}, {false, -3}}));
    EXPECT_EQ(changes, 1); // the confirmed write, seen on the mirror
}

} // namespace
} // namespace vellaro
