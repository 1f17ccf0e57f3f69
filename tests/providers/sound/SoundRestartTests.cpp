// The sound fan across a restart of its server, on a PulseAudio of the
// test's own, so the session's server stays up for everyone else.
#include "platform/audio/PulseAudioSystem.h"
#include "providers/sound/SoundProvider.h"
#include "support/ItemLabels.h"
#include "support/ManualScheduler.h"
#include "support/PrivatePulseAudio.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::itemLabels;
using test::waitUntil;

TEST(SoundRestartTest, TheFanFillsAgainOnceAKilledServerIsBack) {
    test::PrivatePulseAudio server;
    ASSERT_TRUE(server.start());
    qputenv("PULSE_SERVER", server.address());
    // Time stands still: the fan must not wait for a planned attempt.
    test::ManualScheduler scheduler;
    PulseAudioSystem audio(scheduler);
    ASSERT_TRUE(waitUntil([&] { return audio.sinks().size() == 1; }));
    SoundProvider sound(audio);
    int changes = 0;
    sound.setOnChange([&] { ++changes; });
    const QStringList full = {"Volume Up", "Volume Down", "Mute", "Only"};
    EXPECT_EQ(itemLabels(sound.items()), full);

    server.kill();
    EXPECT_TRUE(
        waitUntil([&] { return itemLabels(sound.items()) == QStringList{"No Output Devices"}; }));
    const int whileAway = changes;
    EXPECT_GE(whileAway, 1);

    ASSERT_TRUE(server.start());
    EXPECT_TRUE(waitUntil([&] { return itemLabels(sound.items()) == full; }));
    EXPECT_GT(changes, whileAway);
}

} // namespace
} // namespace vellaro
