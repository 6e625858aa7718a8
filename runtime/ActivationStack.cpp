#include "runtime/ActivationStack.h"

#include "runtime/Exceptions.h"

#include <new>

namespace vex {

namespace {

constexpr int kFrameGrowth = 16;

} // namespace

TActivationStack::TActivationStack(std::int32_t stackSize)
    : m_space(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(stackSize), 1))) {
    if (!m_space && stackSize > 0) {
        throw std::bad_alloc();
    }
    StackBase = m_space.get();
    StackSize = stackSize;
    Frames.resize(kFrameGrowth);
}

void TActivationStack::Save() {
    Frames[static_cast<std::size_t>(FrameCount)] = Current();
    ++FrameCount;
    if (static_cast<std::size_t>(FrameCount) == Frames.size()) {
        Frames.resize(Frames.size() + kFrameGrowth);
    }
}

void TActivationStack::EnterNestingChecked(std::uintptr_t position) {
    if (CallDepth == 0) {
        NativeStackStart = position;
    } else if (CallDepth >= kMaxCallDepth) {
        throw EVexStackOverflow();
    } else {
        CheckNativeStack(position);
    }
    ++CallDepth;
}

void TActivationStack::CheckNativeStack(std::uintptr_t position) const {
    if (CallDepth > 0 && position < NativeStackStart &&
        NativeStackStart - position > kMaxNativeStack) {
        throw EVexStackOverflow();
    }
}

} // namespace vex
