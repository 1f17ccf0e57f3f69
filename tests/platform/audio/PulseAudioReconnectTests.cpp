// The audio system when its server goes away and comes back, against a
// PulseAudio of the test's own on a private socket.
#include "platform/audio/PulseAudioSystem.h"
#include "support/ManualScheduler.h"
#include "support/PrivatePulseAudio.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::PrivatePulseAudio;
using test::waitUntil;

TEST(PulseAudioReconnectTest, TheMirrorEmptiesWhileTheServerIsGoneAndFillsAgainOnItsReturn) {
    // Stopped cleanly (its socket goes) and killed (its socket stays behind).
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "stopped");
        PrivatePulseAudio server;
        ASSERT_TRUE(server.start());
        qputenv("PULSE_SERVER", server.address());
        test::ManualScheduler scheduler;
        PulseAudioSystem audio(scheduler);
        int resets = 0;
        audio.addObserver([&](const AudioEvent& event) {
            resets += event.kind == AudioEvent::Kind::reset ? 1 : 0;
        });
        auto mirrored = [&] {
            return audio.defaultSinkName() == "only" && audio.sinks().size() == 1;
        };
        ASSERT_TRUE(waitUntil(mirrored));

        std::optional<int> cut;
        if (killed)
            server.kill();
        else
            server.stop();
        ASSERT_TRUE(waitUntil([&] { return !audio.isConnected(); }));
        EXPECT_EQ(resets, 1);
        EXPECT_TRUE(audio.sinks().empty());
        EXPECT_TRUE(audio.defaultSinkName().isEmpty());
        // Writes meanwhile fail with the server's error instead of hanging.
        audio.setSinkMute("only", true, [&](int error) { cut = error; });
        scheduler.advance(0ms);
        ASSERT_TRUE(cut);
        EXPECT_NE(*cut, 0);
        // Attempts while it is away space out: the next one is 4 s off.
        auto attemptPlanned = [&] { return scheduler.pendingCount() == 1; };
        ASSERT_TRUE(waitUntil(attemptPlanned));
        scheduler.advance(1s);
        ASSERT_TRUE(waitUntil(attemptPlanned));
        scheduler.advance(2s);
        ASSERT_TRUE(waitUntil(attemptPlanned));

        // Back as soon as its socket is, not at the next planned attempt.
        ASSERT_TRUE(server.start());
        EXPECT_TRUE(waitUntil(mirrored));
    }
}

TEST(PulseAudioReconnectTest, AServerNotThereYetIsTriedAgainWithGrowingPauses) {
    PrivatePulseAudio server;
    qputenv("PULSE_SERVER", server.address());
    test::ManualScheduler scheduler;
    PulseAudioSystem audio(scheduler);
    // One attempt planned, a second later.
    ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() == 1; }));
    scheduler.advance(1s);
    ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() == 1; }));
    // The next one two seconds after that.
    ASSERT_TRUE(server.start());
    scheduler.advance(1999ms);
    EXPECT_FALSE(audio.isConnected());
    scheduler.advance(1ms);
    EXPECT_TRUE(waitUntil([&] { return audio.sinks().size() == 1; }));
}

} // namespace
} // namespace vellaro
