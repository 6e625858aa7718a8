#include "runtime/Debugging.h"

#include "runtime/Engine.h"
#include "runtime/LanguageInterpreter.h"
#include "runtime/Signals.h"

namespace vex {

// Interim: the debug state machine is not built yet; a debug run evaluates plainly.
double EvaluateArgumentDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    return EvaluateNodePlain(context, node, text);
}

double EvaluateRootDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    const std::uint8_t saved = context.DebugState;
    context.DebugState = saved | dsSuppressed;
    try {
        const double result = EvaluateRoot(context, node, text);
        context.DebugState = saved;
        return result;
    } catch (...) {
        context.DebugState = saved;
        throw;
    }
}

void AskStop(TLanguageInterpreter& context) { RaiseAbort(context, 1); }

void EnterStepMode(TLanguageInterpreter& context) {
    context.PausedFrame = nullptr;
    context.DebugState = dsStepInto;
    context.SavedDebugState = dsStepInto;
}

void RaiseAbort(TLanguageInterpreter& context, std::intptr_t code) {
    context.BreakRequest.exchange(0);
    throw EDebugger(code);
}

} // namespace vex
