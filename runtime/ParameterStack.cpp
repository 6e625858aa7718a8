#include "runtime/ParameterStack.h"

#include <algorithm>

namespace vex {

namespace {

int grownCapacity(int capacity) noexcept {
    if (capacity > 64) {
        return capacity + capacity / 4;
    }
    return capacity + (capacity > 8 ? 8 : 4);
}

} // namespace

void PushParametersBelow(TParameterStack& stack, const TCompiledCode& caller, TCallNode* node) {
    if (stack.Count == stack.Capacity) {
        stack.Capacity = grownCapacity(stack.Capacity);
        stack.Items.resize(static_cast<std::size_t>(stack.Capacity));
    }
    if (stack.Count > stack.Level) {
        std::move_backward(stack.Items.begin() + stack.Level, stack.Items.begin() + stack.Count,
                           stack.Items.begin() + stack.Count + 1);
    } else {
        stack.Level = stack.Count;
    }
    stack.Items[static_cast<std::size_t>(stack.Level)] = TParameterFrame{caller, node};
    ++stack.Count;
    ++stack.Level;
}

void PopParametersBelow(TParameterStack& stack) noexcept {
    --stack.Count;
    --stack.Level;
    if (stack.Count > stack.Level) {
        stack.Level = std::max(stack.Level, 0);
        std::move(stack.Items.begin() + stack.Level + 1, stack.Items.begin() + stack.Count + 1,
                  stack.Items.begin() + stack.Level);
    } else {
        stack.Level = stack.Count;
    }
}

} // namespace vex
