#pragma once

// The debug path of evaluation, taken for every node while DebugState is positive: answers a
// break request, pauses before and after the node as DebugState asks, and runs the performance
// hooks around it. The plain path (Engine.cpp) hands a node here and gets it back only for the
// node's own evaluation.

#include "runtime/CodeNode.h"
#include "runtime/Exceptions.h"
#include "runtime/Text.h"

namespace vex {

class TLanguageInterpreter;

// One node of a debug run, without any handler of its own.
double EvaluateNodeDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// The debug path of an argument: EvaluateNodeDebug with the node's abort handler.
double EvaluateArgumentDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// The debug path of a root: the node's abort handler and the containment of its errors.
double EvaluateRootDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// The node's handler for the abort signal: true when the node's evaluation ends with 0 here (the
// user stopped at a node that can pause, which enters step mode; or the signal names this node),
// false when the signal passes on.
bool CatchAbortAtNode(TLanguageInterpreter& context, TCodeNode& node, const EDebugger& signal);
// Pauses before `node` until the window releases the run.
void PauseAtNode(TLanguageInterpreter& context, TCodeNode& node);
// Shows the result of `node` (after waiting at its extent when the run is frozen in step mode)
// and returns `number` unchanged.
double PauseAtResult(TLanguageInterpreter& context, TCodeNode& node, double number,
                     const TText& text);

} // namespace vex
