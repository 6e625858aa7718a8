#include "editing/EditorSettings.h"

#include "platform/Registry.h"
#include "services/SettingsRootKey.h"

#include <charconv>
#include <string_view>
#include <variant>

using namespace zentaro::platform;

namespace {

// RGB as the settings write it, turned into 0x00BBGGRR.
constexpr TColor Rgb(int red, int green, int blue) {
    return static_cast<TColor>(red | green << 8 | blue << 16);
}

constexpr TColor kWhite = Rgb(255, 255, 255);

std::string EditorKeyPath() {
    return std::string(SettingsRootKey) + "\\Editor";
}

// The integer and switch fields with their value names, in the order of the record.
using TIntegerField = std::int32_t TEditorSettings::*;
using TSwitchField = bool TEditorSettings::*;
struct TFieldName {
    std::string_view Name;
    std::variant<TIntegerField, TSwitchField> Field;
};
constexpr TFieldName kFields[] = {
    {"Indent Width", &TEditorSettings::IndentWidth},
    {"Completion Min Length", &TEditorSettings::CompletionMinLength},
    {"Completion Delay", &TEditorSettings::CompletionDelay},
    {"Auto Close Brackets", &TEditorSettings::AutoCloseBrackets},
    {"Bracket Backspace", &TEditorSettings::BracketBackspace},
    {"Font Size", &TEditorSettings::FontSize},
    {"Font Style", &TEditorSettings::FontStyle},
    {"Complete In Texts", &TEditorSettings::CompleteInTexts},
    {"Depth Colors", &TEditorSettings::DepthColors},
};
constexpr std::string_view kFontName = "Font Name";

std::string ColorName(std::string_view half, int styleClass) {
    return std::string(half) + " Color " + std::to_string(styleClass);
}

bool ReadInteger(const TRegistryKey& key, std::string_view name, std::uint32_t& result) {
    TRegistryValue value;
    if (key.QueryValue(name, value) != TRegistryStatus::Success ||
        value.Type != TRegistryType::Integer)
        return false;
    result = value.Integer;
    return true;
}

void ReadColor(const TRegistryKey& key, std::string_view half, int styleClass, TColor& color) {
    std::uint32_t value = 0;
    if (ReadInteger(key, ColorName(half, styleClass), value))
        color = value & 0x00FFFFFF;
}

} // namespace

TStyleTable TEditorSettings::DefaultColors() noexcept {
    return {{
        {kWhite, kWhite},             // background: white
        {kWhite, 0},                  // selection: white on the system highlight
        {Rgb(0, 0, 0), kWhite},       // other words: black
        {Rgb(0, 128, 0), kWhite},     // comments: green
        {Rgb(163, 21, 21), kWhite},   // text constants: dark red
        {Rgb(0, 0, 255), kWhite},     // listed words: blue
        {Rgb(0, 128, 128), kWhite},   // numbers: teal
        {Rgb(128, 0, 128), kWhite},   // global variables: purple
        {Rgb(255, 102, 0), kWhite},   // the parentheses around the caret: orange
        {Rgb(128, 128, 128), kWhite}, // punctuation: grey
    }};
}

TEditorSettings ReadEditorSettings() {
    TEditorSettings settings;
    TRegistryKey key;
    if (TRegistryKey::CurrentUser().OpenKey(EditorKeyPath(), key) != TRegistryStatus::Success)
        return settings;
    for (int styleClass = 0; styleClass < kStyleClassCount; ++styleClass) {
        ReadColor(key, "Text", styleClass, settings.Colors[styleClass].TextColor);
        ReadColor(key, "Back", styleClass, settings.Colors[styleClass].BackColor);
    }
    for (const TFieldName& field : kFields) {
        std::uint32_t value = 0;
        if (!ReadInteger(key, field.Name, value))
            continue;
        if (const auto* integer = std::get_if<TIntegerField>(&field.Field))
            settings.*(*integer) = static_cast<std::int32_t>(value);
        else
            settings.*std::get<TSwitchField>(field.Field) = value != 0;
    }
    TRegistryValue fontName;
    if (key.QueryValue(kFontName, fontName) == TRegistryStatus::Success && fontName.IsText() &&
        !fontName.Text.empty())
        settings.FontName = fontName.Text;
    return settings;
}

bool WriteEditorSettings(const TEditorSettings& settings) {
    TRegistryKey key;
    if (TRegistryKey::CurrentUser().CreateKey(EditorKeyPath(), key) != TRegistryStatus::Success)
        return false;
    bool written = true;
    const auto write = [&](std::string_view name, const TRegistryValue& value) {
        written = key.SetValue(name, value) == TRegistryStatus::Success && written;
    };
    for (int styleClass = 0; styleClass < kStyleClassCount; ++styleClass) {
        write(ColorName("Text", styleClass),
              TRegistryValue::FromInteger(settings.Colors[styleClass].TextColor));
        write(ColorName("Back", styleClass),
              TRegistryValue::FromInteger(settings.Colors[styleClass].BackColor));
    }
    for (const TFieldName& field : kFields) {
        const auto* integer = std::get_if<TIntegerField>(&field.Field);
        const std::uint32_t value =
            integer ? static_cast<std::uint32_t>(settings.*(*integer))
                    : static_cast<std::uint32_t>(settings.*std::get<TSwitchField>(field.Field));
        write(field.Name, TRegistryValue::FromInteger(value));
    }
    write(kFontName, TRegistryValue::FromString(settings.FontName));
    return written;
}

TEditorSettings& SharedEditorSettings() {
    static TEditorSettings shared = ReadEditorSettings();
    return shared;
}

TColor SystemHighlightColor() {
    TRegistryKey key;
    TRegistryValue value;
    std::string text = "0 0 0";
    if (TRegistryKey::CurrentUser().OpenKey("Control Panel\\Colors", key) ==
            TRegistryStatus::Success &&
        key.QueryValue("Hilight", value) == TRegistryStatus::Success && value.IsText())
        text = value.Text;
    int parts[3] = {};
    const char* next = text.data();
    const char* const end = text.data() + text.size();
    for (int& part : parts) {
        while (next < end && *next == ' ')
            ++next;
        const auto [stop, error] = std::from_chars(next, end, part);
        if (error != std::errc() || part < 0 || part > 255)
            return 0;
        next = stop;
    }
    return Rgb(parts[0], parts[1], parts[2]);
}
