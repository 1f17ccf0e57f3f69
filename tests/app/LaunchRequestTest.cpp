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
        {"capture with a path",
         {program, "--spike-capture", "/tmp/c.json"},
         {Mode::SpikeCapture, "/tmp/c.json", false}},
        {"match with a path and extra arguments",
         {program, "--spike-match", "c.json", "--open-settings"},
         {Mode::SpikeMatch, "c.json", false}},
        {"capture without a path starts the application", {program, "--spike-capture"}, {}},
        {"harness flag in second place is ignored",
         {program, "--open-settings", "--spike-capture", "x"},
         {Mode::Application, {}, true}},
        {"open settings first", {program, "--open-settings"}, {Mode::Application, {}, true}},
        {"open settings last",
         {program, "-x", "y", "--open-settings"},
         {Mode::Application, {}, true}},
        {"similar flag does not count", {program, "--open-settings=1"}, {}},
        {"empty list", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LaunchRequest::fromArguments(c.arguments), c.expected);
    }
}

} // namespace
} // namespace vellaro
