#include "app/LaunchRequest.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using Mode = LaunchRequest::Mode;

TEST(LaunchRequest, DispatchesOnTheCommandLine) {
    struct Case {
        const char* name;
        QStringList arguments;
        LaunchRequest expected;
    };
    const QString program = QStringLiteral("/usr/bin/vellaro");
    const Case cases[] = {
        {"no arguments", {program}, {}},
        {"empty list", {}, {}},
        {"capture with a path",
         {program, "--spike-capture", "/tmp/c.json"},
         {Mode::SpikeCapture, "/tmp/c.json", 0, {}}},
        {"match with a path and extra arguments",
         {program, "--spike-match", "c.json", "--open-settings"},
         {Mode::SpikeMatch, "c.json", 0, {}}},
        {"capture without a path starts the application", {program, "--spike-capture"}, {}},
        {"open settings", {program, "--open-settings"}, {Mode::Application, {}, 1, {}}},
        {"setup", {program, "--setup"}, {Mode::Application, {}, 2, {}}},
        {"check for updates", {program, "--check-for-updates"}, {Mode::Application, {}, 4, {}}},
        {"quit", {program, "--quit"}, {Mode::Application, {}, 8, {}}},
        {"several, in any order",
         {program, "--setup", "--open-settings", "--setup"},
         {Mode::Application, {}, 3, {}}},
        {"help", {program, "--open-settings", "--help"}, {Mode::Help, {}, 0, {}}},
        {"short help", {program, "-h"}, {Mode::Help, {}, 0, {}}},
        {"version", {program, "--version"}, {Mode::Version, {}, 0, {}}},
        {"an unknown option", {program, "-x"}, {Mode::Usage, {}, 0, "-x"}},
        {"a similar option",
         {program, "--open-settings=1"},
         {Mode::Usage, {}, 0, "--open-settings=1"}},
        {"a stray word after an option", {program, "--setup", "now"}, {Mode::Usage, {}, 0, "now"}},
        {"the harness in second place",
         {program, "--open-settings", "--spike-capture", "x"},
         {Mode::Usage, {}, 0, "--spike-capture"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LaunchRequest::fromArguments(c.arguments), c.expected);
    }
}

// The copy already running opens its console for a bare launch, as
// launching a running program from the desktop does.
TEST(LaunchRequest, ABareLaunchAsksTheRunningCopyForItsConsole) {
    const QString program = QStringLiteral("vellaro");
    EXPECT_EQ(LaunchRequest::fromArguments({program}).forwardedActions(),
              LaunchRequest::openSettings);
    EXPECT_EQ(LaunchRequest::fromArguments({program, "--quit"}).forwardedActions(),
              LaunchRequest::quit);
}

} // namespace
} // namespace vellaro
