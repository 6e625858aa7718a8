// The shared preferences: usable defaults and the paste history.

#include "host/Preferences.h"

#include <gtest/gtest.h>

namespace vex::host {
namespace {

TEST(PreferencesTest, DefaultsAreUsable) {
    const TPreferences preferences("/opt/zentaro");
    const TEditorSettings& editor = preferences.EditorSettings;
    EXPECT_EQ(editor.IndentWidth, 2);
    EXPECT_EQ(editor.CompletionMinLength, 3);
    EXPECT_EQ(editor.CompletionDelay, 500);
    EXPECT_FALSE(editor.FontName.empty());
    EXPECT_GT(editor.FontSize, 0);
    // Every style class but the background and the selection is readable on the background.
    const TColor background = editor.Colors[0].TextColor;
    for (int styleClass = 2; styleClass < kStyleClassCount; ++styleClass) {
        EXPECT_NE(editor.Colors[static_cast<std::size_t>(styleClass)].TextColor, background)
            << styleClass;
    }
    EXPECT_EQ(preferences.BaseDirectory(), "/opt/zentaro");
    EXPECT_TRUE(preferences.PasteHistory().empty());
}

TEST(PreferencesTest, PasteHistoryKeepsTheLatestFirstWithoutRepeats) {
    TPreferences preferences;
    for (int i = 0; i < 25; ++i) {
        preferences.AddToPasteHistory("text " + std::to_string(i));
    }
    preferences.AddToPasteHistory("text 20");
    preferences.AddToPasteHistory("");
    const auto& history = preferences.PasteHistory();
    ASSERT_EQ(history.size(), TPreferences::kPasteHistorySize);
    EXPECT_EQ(history[0], "text 20");
    EXPECT_EQ(history[1], "text 24");
    EXPECT_EQ(history.back(), "text 5");
}

} // namespace
} // namespace vex::host
