// The tables of the built-in words, one per category file. StandardWords.cpp merges them by
// number.

#pragma once

#include "runtime/VexWords.h"

#include <array>
#include <span>

namespace vex::host {

std::span<const TWordRow> OperatorWordRows();
std::span<const TWordRow> ControlWordRows();
std::span<const TWordRow> MathWordRows();
std::span<const TWordRow> TextWordRows();
std::span<const TWordRow> VariableWordRows();
std::span<const TWordRow> UserWordRows();
std::span<const TWordRow> TraceWordRows();
std::span<const TWordRow> FileWordRows();
std::span<const TWordRow> RandomWordRows();
// The model words (host/words/ModelWordSupport.h): numbers 600 to 899 and 1500 to 1667.
std::span<const TWordRow> ModelAtomWordRows();
std::span<const TWordRow> ModelValueWordRows();
std::span<const TWordRow> ModelGuiWordRows();
std::span<const TWordRow> ModelEventWordRows();
std::span<const TWordRow> ModelFileWordRows();
std::span<const TWordRow> ModelAutomationWordRows();

// By word number: true for a built-in word whose row says that it gives a text.
extern const std::array<bool, kBuiltInWordCount + 1> WordGivesTextTable;

// True for a built-in word whose row says that it gives a text.
inline bool WordGivesText(int wordNumber) noexcept {
    return static_cast<unsigned>(wordNumber) <= kBuiltInWordCount &&
           WordGivesTextTable[static_cast<std::size_t>(wordNumber)];
}

} // namespace vex::host
