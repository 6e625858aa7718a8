#pragma once

#include "runtime/CodeNode.h"
#include "runtime/Text.h"

#include <cstdint>

namespace vex {

class TLanguageInterpreter;

// The debug path of EvaluateArgument and EvaluateRoot, taken while DebugState is positive.
double EvaluateArgumentDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);
double EvaluateRootDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);

// Asks whether to stop an interrupted run; Yes raises the abort signal with code 1.
void AskStop(TLanguageInterpreter& context);
// Freezes the run and makes the current activation the paused frame, in step-into state.
void EnterStepMode(TLanguageInterpreter& context);
// Clears the break request and raises the abort signal with `code`.
[[noreturn]] void RaiseAbort(TLanguageInterpreter& context, std::intptr_t code);

} // namespace vex
