// The shared preferences: usable defaults.

#include "host/Preferences.h"

#include <gtest/gtest.h>

namespace vex::host {
namespace {

TEST(PreferencesTest, DefaultsAreUsable) {
    const TPreferences preferences("/opt/zentaro");
    EXPECT_EQ(preferences.BaseDirectory(), "/opt/zentaro");
    EXPECT_TRUE(preferences.ShowFrozenMessages);
    EXPECT_FALSE(preferences.UseCustomPlacesBar);
}

} // namespace
} // namespace vex::host
