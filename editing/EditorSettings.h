#pragma once

#include <array>
#include <cstdint>
#include <string>

// The script editor's settings: colours of the style classes, indentation, completion, font and
// switches. Every editor copies the shared record when it is created.
//
// They live in the settings file below SettingsRootKey\Editor (see
// docs/settings-and-languages.md). Reading never creates the key; a value that is missing or
// of another type keeps its default.

// A colour as 0x00BBGGRR (red in the low byte).
using TColor = std::uint32_t;

// The style classes: what the editor colours, and the index of each class's colours.
enum TStyleClass : std::uint8_t {
    scBackground = 0,     // the TextColor half is the editor's background; no character has it
    scSelection = 1,      // selected characters; the only class whose BackColor is painted
    scWord = 2,           // unregistered names and separators that are no registered word
    scComment = 3,        // inside { }
    scTextConstant = 4,   // inside [ ]
    scListedWord = 5,     // a registered word that the word overview lists
    scNumber = 6,         // digits with at most one inner or trailing point
    scGlobalVariable = 7, // the name of a global variable
    scEnclosingParen = 8, // the parentheses around the caret
    scPunctuation = 9,    // one of ( ) , . [ ] { } standing alone
};
inline constexpr int kStyleClassCount = 10;

struct TStyleEntry {
    TColor TextColor = 0;
    TColor BackColor = 0;
    bool operator==(const TStyleEntry&) const = default;
};

using TStyleTable = std::array<TStyleEntry, kStyleClassCount>;

struct TEditorSettings {
    TStyleTable Colors = DefaultColors();
    // Spaces of one indentation step.
    std::int32_t IndentWidth = 2;
    // The shortest word that opens code completion, and the wait before it opens.
    std::int32_t CompletionMinLength = 3;
    std::int32_t CompletionDelay = 500; // milliseconds
    // Typing an opening bracket inserts the pair.
    bool AutoCloseBrackets = false;
    // Backspace after ')' first selects the whole parenthesised group.
    bool BracketBackspace = true;
    std::string FontName = "DejaVu Sans Mono";
    std::int32_t FontSize = 10; // points
    // Bit 0 bold, bit 1 italic.
    std::int32_t FontStyle = 0;
    // Completion also inside comments and text constants.
    bool CompleteInTexts = false;
    // Colouring by parenthesis depth is on when an editor opens.
    bool DepthColors = false;

    // Black text on white, one distinct colour per class (docs/settings-and-languages.md).
    static TStyleTable DefaultColors() noexcept;
    bool operator==(const TEditorSettings&) const = default;
};

// The settings as the settings file holds them.
TEditorSettings ReadEditorSettings();
// Writes every field into the settings file; false when the file could not be written.
bool WriteEditorSettings(const TEditorSettings& settings);

// The application's shared record, read from the settings file on first use. Editors copy it
// when they are created; only CompletionDelay is read from here each time it is needed.
TEditorSettings& SharedEditorSettings();

// The system's highlight colour: the "Hilight" value ("R G B", decimal) under
// "Control Panel\Colors" of the current user's settings; black when it is missing or unreadable.
TColor SystemHighlightColor();
