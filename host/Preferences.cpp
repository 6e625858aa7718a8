#include "host/Preferences.h"

#include <algorithm>

namespace vex::host {

std::array<TStyleColors, kStyleClassCount> TEditorSettings::DefaultColors() noexcept {
    constexpr TColor kWhite = 0x00FFFFFF;
    return {{
        {kWhite, kWhite},         // background
        {kWhite, 0x00D77800},     // selection (the back colour is the system highlight)
        {0x00000000, kWhite},     // other words: black
        {0x00008000, kWhite},     // comments: green
        {0x00000080, kWhite},     // text constants: dark red
        {0x00FF0000, kWhite},     // listed words: blue
        {0x00808000, kWhite},     // numbers: teal
        {0x00800080, kWhite},     // global variables: purple
        {0x00000000, 0x0080FFFF}, // enclosing parentheses: on light yellow
        {0x00808080, kWhite},     // punctuation: grey
    }};
}

TPreferences::TPreferences(std::string baseDirectory)
    : Directories{std::move(baseDirectory)} {}

void TPreferences::AddToPasteHistory(std::string_view text) {
    if (text.empty()) {
        return;
    }
    std::erase(m_pasteHistory, text);
    m_pasteHistory.insert(m_pasteHistory.begin(), std::string(text));
    if (m_pasteHistory.size() > kPasteHistorySize) {
        m_pasteHistory.resize(kPasteHistorySize);
    }
}

} // namespace vex::host
