#pragma once

// The parts of the runtime context, for runtime/ and the inline functions of the word and
// debugger APIs. Everything else reaches them through the methods of TLanguageInterpreter.

#include "runtime/ActivationStack.h"
#include "runtime/AutomationInterface.h"
#include "runtime/DebugControl.h"
#include "runtime/Variables.h"
#include "runtime/WordRegistry.h"

namespace vex {

class TLanguageInterpreter;

// The context's state; the hot parts first, so that they sit at small offsets from the context's
// address.
struct TContextParts {
    explicit TContextParts(std::int32_t stackSize)
        : Stack(stackSize) {}

    // The activation stack: frames of locals, current and saved activations, call frames.
    TActivationStack Stack;
    // The debug state: debug state bytes, run origin, break and abort requests, paused frame.
    TDebugControl Debug;
    // The word registry: names, categories, syntax records and implementations of all words.
    TWordRegistry Registry;
    // The global variables.
    TVariables GlobalVariables;
    // The interface the last interface-valued read produced; cleared by every evaluation.
    TInterfaceRef InterfaceRegister;
    // When set, protectedcode([...]) text is unscrambled before it is parsed.
    bool ProtectedCode = false;
};

} // namespace vex
