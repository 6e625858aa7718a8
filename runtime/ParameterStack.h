#pragma once

#include "runtime/CompiledCode.h"

#include <vector>

namespace vex {

struct TCallNode;

// One call of a user-defined word: the caller's activation and the call node, so that words
// reading the call's arguments can evaluate them where the caller would.
struct TParameterFrame {
    TCompiledCode Caller;
    TCallNode* Node = nullptr;
};

// The call frames of the user-defined words that are running. `Level` is the current position
// (at most `Count`); words that read a caller's arguments use the entry below it and may move it
// down and back up while they do.
struct TParameterStack {
    std::vector<TParameterFrame> Items; // Items.size() is the capacity
    int Count = 0;
    int Capacity = 0;
    int Level = 0;
};

// Pushes a call frame at `Level`, growing the capacity by a quarter above 64 entries, by 8 from
// 9 to 64 and by 4 below.
void PushParameters(TParameterStack& stack, const TCompiledCode& caller, TCallNode* node);
// Removes the call frame below `Level`.
void PopParameters(TParameterStack& stack) noexcept;

} // namespace vex
