#pragma once

#include "runtime/Text.h"

#include <cstdint>

namespace vex {

struct TCodeNode;
class TVariables;

// Compiled code, also used as an activation record: the locals, the root of the tree and the
// frame the locals live in.
struct TCompiledCode {
    // The local-variable set, created by the parser when the text declares its first local.
    TVariables* Variables = nullptr;
    // The root of the code tree; none for an empty text.
    TCodeNode* Root = nullptr;
    // The frame of the locals. Top-level code has none: it takes one from the shared stack
    // space each time it runs.
    std::uint8_t* FrameBase = nullptr;
    // Size of the frame in bytes (0 when no frame was taken).
    std::int32_t FrameSize = 0;
    // Set when `Variables` was created for this code and is destroyed with it; code compiled
    // inside another code's activation shares that code's set and does not own it.
    bool OwnsVariables = false;
};

// A source text together with its compiled code, kept in step by CompileExpression.
struct TExpression {
    // The source text as given (shared with the caller's text, not copied).
    TText Text;
    // Its compiled code; none for an empty text or one that failed to compile.
    TCompiledCode* Code = nullptr;
};

} // namespace vex
