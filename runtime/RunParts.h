#pragma once

// The parts of the runtime context that a node's evaluation reads: the activation stack and the
// debug state. The word API's inline argument entry (VexWords.h) and the debugger API
// (DebuggerInterface.h) reach them here, so that a word reads an argument without a call into
// the runtime; the rest of the parts (ContextParts.h) stays out of the headers the other layers
// include.

#include "runtime/ActivationStack.h"
#include "runtime/DebugControl.h"
#include "runtime/VexScript.h"

namespace vex {

// The context's hot parts. TContextParts (ContextParts.h) derives from it, and the context keeps
// its parts at the start of its reserved block, so these lie first: the engine's accesses of
// them are loads at small fixed offsets from the context's address.
struct TRunParts {
    explicit TRunParts(std::int32_t stackSize)
        : Stack(stackSize) {}

    // The activation stack: frames of locals, current and saved activations, call frames.
    TActivationStack Stack;
    // The debug state: debug state bytes, run origin, break and abort requests, paused frame.
    TDebugControl Debug;
};

// The hot parts of a context: the base of its TContextParts, at the start of its block (the
// context's constructor checks that they are). A plain cast of the block's address, without
// std::launder: the parts are made once in the block, when the context is, and never replaced,
// and GCC takes std::launder as a barrier to its optimisations, which cost the words two to five
// instructions for each argument they read.
inline TRunParts& RunParts(TLanguageInterpreter& context) noexcept {
    return *reinterpret_cast<TRunParts*>(context.m_parts);
}
inline const TRunParts& RunParts(const TLanguageInterpreter& context) noexcept {
    return *reinterpret_cast<const TRunParts*>(context.m_parts);
}

// The context's queries on the hot parts, inline: a host's handler runs set and restore them
// around every handler.
inline std::uint8_t TLanguageInterpreter::RunOrigin() const noexcept {
    return RunParts(*this).Debug.RunOrigin;
}
inline void TLanguageInterpreter::SetRunOrigin(std::uint8_t origin) noexcept {
    RunParts(*this).Debug.RunOrigin = origin;
}
inline TCodeKind TLanguageInterpreter::CodeKind() const noexcept {
    return RunParts(*this).Stack.CodeKind;
}
inline void TLanguageInterpreter::SetCodeKind(TCodeKind kind) noexcept {
    RunParts(*this).Stack.CodeKind = kind;
}

} // namespace vex
