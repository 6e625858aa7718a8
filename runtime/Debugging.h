#pragma once

// The debugger's side of evaluation: the debug path taken for every node while DebugState is
// positive, and the operations that pause, freeze, release and abort a run. The debugger window
// and the rest of the application are reached only through TDebugServices
// (DebuggerInterface.h); everything here runs on the GUI thread.

#include "runtime/CodeNode.h"
#include "runtime/Signals.h"
#include "runtime/Text.h"

#include <cstdint>

namespace vex {

class TLanguageInterpreter;

// One node of a debug run, without any handler of its own: answers a break request, pauses
// before and after the node as DebugState asks, and runs the performance hooks around it.
double EvaluateNodeDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// The debug path of EvaluateArgument: EvaluateNodeDebug with the node's abort handler.
double EvaluateArgumentDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// The node's handler for the abort signal: true when the node's evaluation ends with 0 here (the
// user stopped at a node that can pause, which enters step mode; or the signal names this node),
// false when the signal passes on.
bool CatchAbortAtNode(TLanguageInterpreter& context, TCodeNode& node, const EDebugger& signal);

// Switches debug mode on (creating and attaching the window and starting the break watcher) or
// off (releasing the run and stopping the watcher).
void SwitchDebugging(TLanguageInterpreter& context, bool on);
// Creates and attaches the window when needed, freezes the run when asked, shows the window and
// starts the break watcher when there is none.
void ShowDebugger(TLanguageInterpreter& context, bool freeze);
// Releases the run (and the model views), or freezes it; nothing when it already is so.
void SetRunning(TLanguageInterpreter& context, bool release);
// Freezes the run, telling the model views when the preference asks for it.
void FreezeRun(TLanguageInterpreter& context);
// Freezes the run and makes the current activation the paused frame, in step-into state.
void EnterStepMode(TLanguageInterpreter& context);
// Pauses before `node` until the window releases the run.
void PauseAtNode(TLanguageInterpreter& context, TCodeNode& node);
// Shows the result of `node` (after waiting at its extent when the run is frozen in step mode)
// and returns `number` unchanged.
double PauseAtResult(TLanguageInterpreter& context, TCodeNode& node, double number,
                     const TText& text);

// Asks whether to stop an interrupted run; Yes raises the abort signal with code 1.
void AskStop(TLanguageInterpreter& context);
// Asks what to do with an interrupted run: Yes debugs it step by step, No stops it, Cancel lets
// it go on.
void AskDebug(TLanguageInterpreter& context);
// Clears the break request and raises the abort signal with `code`.
[[noreturn]] void RaiseAbort(TLanguageInterpreter& context, std::intptr_t code);
// After a pause loop that the window's Cancel ended: clears AbortRequested and raises the abort
// signal with AbortTarget (then cleared).
[[noreturn]] void RaiseRequestedAbort(TLanguageInterpreter& context);

} // namespace vex
