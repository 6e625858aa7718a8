#pragma once

#include "runtime/CompiledCode.h"

#include <vector>

namespace vex {

struct TCallNode;

// One call of a user-defined word: the caller's activation and the call node, so that words
// reading the call's arguments can evaluate them where the caller would.
struct TParameterFrame {
    // The caller's activation, in which the call's arguments are evaluated.
    TCompiledCode Caller;
    // The call node with the argument nodes.
    TCallNode* Node = nullptr;
};

// The call frames of the user-defined words that are running. `Level` is the current position
// (at most `Count`); words that read a caller's arguments use the entry below it and may move it
// down and back up while they do.
struct TParameterStack {
    // The frames; Items.size() is the capacity.
    std::vector<TParameterFrame> Items;
    // Frames in use, the room there is, and the current position.
    int Count = 0;
    int Capacity = 0;
    int Level = 0;
};

// The general ways of the two below, for a stack that must grow or a frame pushed or popped
// below the top.
void PushParametersBelow(TParameterStack& stack, const TCompiledCode& caller, TCallNode* node);
void PopParametersBelow(TParameterStack& stack) noexcept;

// Pushes a call frame at `Level`, growing the capacity by a quarter above 64 entries, by 8 from
// 9 to 64 and by 4 below.
inline void PushParameters(TParameterStack& stack, const TCompiledCode& caller, TCallNode* node) {
    if (stack.Level == stack.Count && stack.Count < stack.Capacity) [[likely]] {
        stack.Items[static_cast<std::size_t>(stack.Count)] = TParameterFrame{caller, node};
        ++stack.Count;
        ++stack.Level;
        return;
    }
    PushParametersBelow(stack, caller, node);
}

// Removes the call frame below `Level`.
inline void PopParameters(TParameterStack& stack) noexcept {
    if (stack.Level == stack.Count) [[likely]] {
        --stack.Count;
        --stack.Level;
        return;
    }
    PopParametersBelow(stack);
}

} // namespace vex
