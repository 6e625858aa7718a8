#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex::host {

// A colour as 0x00BBGGRR (red in the low byte).
using TColor = std::uint32_t;

// Text and background colour of one style class of the script editor.
struct TStyleColors {
    TColor TextColor = 0;
    TColor BackColor = 0;
};

// Number of style classes of the script editor: 0 background, 1 selection, 2 other words,
// 3 comments, 4 text constants, 5 listed words, 6 numbers, 7 global variables, 8 the enclosing
// parentheses, 9 punctuation.
inline constexpr int kStyleClassCount = 10;

// The settings of the script editor. Every field starts with a usable default.
struct TEditorSettings {
    // One entry per style class. For class 0 the TextColor half is the editor's background.
    std::array<TStyleColors, kStyleClassCount> Colors = DefaultColors();
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

    static std::array<TStyleColors, kStyleClassCount> DefaultColors() noexcept;
};

// The application's shared preferences, read by the editor, the debugger, the trace window and
// the file dialogs. Kept in memory; the defaults hold until the application sets other values.
class TPreferences {
public:
    // `baseDirectory` becomes the first entry of the directory list (where the help file is).
    explicit TPreferences(std::string baseDirectory = ".");

    TEditorSettings EditorSettings;
    // Model views show "Frozen for debug" while the debugger holds a run.
    bool ShowFrozenMessages = true;
    bool TraceWordWrap = false;
    // The file dialogs show the places bar with PlacesBarDirectory.
    bool UseCustomPlacesBar = false;
    std::string PlacesBarDirectory;
    // The trace window does not come to the front for plain messages.
    bool TraceQuiet = false;
    // The application's directories; the first is its base directory.
    std::vector<std::string> Directories;

    // Texts copied from the editor, the most recent first, at most kPasteHistorySize, without
    // repetitions.
    static constexpr std::size_t kPasteHistorySize = 20;
    const std::vector<std::string>& PasteHistory() const noexcept { return m_pasteHistory; }
    void AddToPasteHistory(std::string_view text);
    const std::string& BaseDirectory() const { return Directories.front(); }

private:
    std::vector<std::string> m_pasteHistory;
};

} // namespace vex::host
