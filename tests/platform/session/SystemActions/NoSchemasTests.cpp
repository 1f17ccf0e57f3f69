#include "model/LogCapture.h"
#include "platform/session/GSettings.h"
#include "platform/session/SystemActions/DarkModeToggle.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

// A desktop without GNOME's schemas (the test runs with empty schema folders):
// GIO would stop the process on an unknown schema; the toggle only logs.
TEST(WithoutSchemasTest, DarkModeLogsAndCarriesOn) {
    ASSERT_FALSE(GSettings::hasKey("org.gnome.desktop.interface", "color-scheme"));
    test::LogCapture log("vellaro.actions");
    EXPECT_FALSE(DarkModeToggle::toggle());
    EXPECT_EQ(log.count("Dark Mode needs the desktop setting"), 1);
}

} // namespace
} // namespace vellaro
