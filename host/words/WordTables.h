// The tables of the standard words, one per category file. StandardWords.cpp merges them with
// the model's table by number.

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

// By word number: true for a built-in word whose row says that it gives a text.
extern const std::array<bool, kBuiltInWordCount + 1> WordGivesTextTable;

// True for a built-in word whose row says that it gives a text.
inline bool WordGivesText(int wordNumber) noexcept {
    return static_cast<unsigned>(wordNumber) <= kBuiltInWordCount &&
           WordGivesTextTable[static_cast<std::size_t>(wordNumber)];
}

} // namespace vex::host
