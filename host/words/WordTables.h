// The tables of the standard words, one per category file. StandardWords.cpp merges them with
// the model's table by number.

#pragma once

#include "host/WordTable.h"

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

// True for a built-in word whose row says that it gives a text.
bool WordGivesText(int wordNumber) noexcept;

} // namespace vex::host
