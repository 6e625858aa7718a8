// The debug state machine: switching debugging on and off, freezing and releasing a run, step
// mode, and the questions asked when a run is interrupted. The per-node debug path that pauses
// is in DebugEvaluation.cpp.

#include "runtime/DebugControl.h"

#include "runtime/DebuggerInterface.h"
#include "runtime/VexScript.h"

namespace vex {

namespace {

// [services] ----------------------------------------------------------------------------------

// The window, created and attached on first need; none without services or when the
// application cannot create one.
TDebuggerWindow* EnsureWindow(TLanguageInterpreter& context) {
    TDebugServices* services = context.Debug.Services;
    if (!services) {
        return nullptr;
    }
    TDebuggerWindow* window = services->DebuggerWindow();
    if (!window) {
        window = services->CreateDebuggerWindow();
        if (window) {
            window->AttachRuntime(context);
        }
    }
    return window;
}

void EnsureBreakWatcher(TLanguageInterpreter& context) {
    TDebugServices* services = context.Debug.Services;
    if (services && !services->HasBreakWatcher()) {
        context.Debug.BreakRequest.store(0);
        services->StartBreakWatcher(&context.Debug.BreakRequest);
    }
}

} // namespace

TDebuggerWindow* TDebugControl::Window() const {
    return Services ? Services->DebuggerWindow() : nullptr;
}

bool TDebugControl::Terminating() const {
    return Services && Services->IsTerminating();
}

// [states] ------------------------------------------------------------------------------------

void SwitchDebugging(TLanguageInterpreter& context, bool on) {
    if (on) {
        if ((context.Debug.DebugState & 0x7F) == 0) {
            context.Debug.DebugState |= dsRun;
        }
        TDebuggerWindow* window = EnsureWindow(context);
        EnsureBreakWatcher(context);
        if (window) {
            window->SetDebugMode(true);
        }
        return;
    }
    context.Debug.DebugState &= dsSuppressed;
    context.Debug.Running = true;
    context.Debug.BreakRequest.store(0);
    context.Debug.DropCancel();
    TDebuggerWindow* window = context.Debug.Window();
    if (window) {
        window->ClearListing();
    }
    if (context.Debug.Services) {
        context.Debug.Services->StopBreakWatcher();
    }
    if (window) {
        window->SetDebugMode(false);
    }
}

void ShowDebugger(TLanguageInterpreter& context, bool freeze) {
    TDebuggerWindow* window = EnsureWindow(context);
    if (!window) {
        return;
    }
    if (freeze) {
        FreezeRun(context);
        window->PressSwitchButton();
    }
    window->ShowAndFocus();
    EnsureBreakWatcher(context);
}

void FreezeRun(TLanguageInterpreter& context) {
    if (!context.Debug.Running) {
        return;
    }
    TDebugServices* services = context.Debug.Services;
    if ((context.Debug.SignedState() < 0 || context.Debug.SignedState() >= dsStepOver) && services &&
        services->ShowFrozenMessages()) {
        services->ShowFrozenMessage("Frozen for debug (pause)");
    }
    context.Debug.Running = false;
}

void SetRunning(TLanguageInterpreter& context, bool release) {
    if (release == context.Debug.Running) {
        return;
    }
    if (!release) {
        FreezeRun(context);
        return;
    }
    context.Debug.Running = true;
    if (context.Debug.Services) {
        context.Debug.Services->ReleaseFrozen();
    }
}

void EnterStepMode(TLanguageInterpreter& context) {
    const bool terminating = context.Debug.Terminating();
    SetRunning(context, terminating);
    if (terminating) {
        return;
    }
    if (!context.Debug.OriginDebugged()) {
        context.Debug.DebugOrigins |= context.Debug.RunOrigin;
        if (TDebuggerWindow* window = context.Debug.Window()) {
            window->TickOriginBoxes(context.Debug.DebugOrigins);
        }
    }
    RememberPausedFrame(context);
    context.Debug.DebugState = dsStepInto;
    context.Debug.SavedDebugState = dsStepInto;
}

void RememberPausedFrame(TLanguageInterpreter& context) {
    context.Debug.PausedActivation = context.Stack.Current();
    context.Debug.PausedFrame = &context.Debug.PausedActivation;
    context.Debug.PausedDepth = context.Stack.CallDepth;
}

// [questions] ---------------------------------------------------------------------------------

void AskStop(TLanguageInterpreter& context) {
    if (!context.Debug.Services) {
        RaiseAbort(context, 1);
    }
    const std::string question =
        context.LanguageText(ltAskStop) + "\r" + context.LanguageText(ltAskStopQuestion);
    if (context.Debug.Services->AskWarning(question, false) == TBoxAnswer::Yes) {
        RaiseAbort(context, 1);
    }
}

void AskDebug(TLanguageInterpreter& context) {
    if (!context.Debug.Services) {
        RaiseAbort(context, 0);
    }
    const std::string question = context.LanguageText(ltAskDebug) + "\r" +
                                 context.LanguageText(ltAskDebugYesNo) + "\r" +
                                 context.LanguageText(ltAskDebugCancel);
    switch (context.Debug.Services->AskWarning(question, true)) {
    case TBoxAnswer::Yes:
        EnterStepMode(context);
        break;
    case TBoxAnswer::No:
        RaiseAbort(context, 0);
    case TBoxAnswer::Cancel:
        break;
    }
}

void AnswerAbortRequest(TLanguageInterpreter& context) {
    if (context.Debug.BreakRequest.load(std::memory_order_relaxed) & TDebugControl::kAbortRequest) {
        // The request stays until the outermost evaluation ends, so that a run nested in another
        // (a text a word evaluates, a file it executes) does not take the abort for itself alone:
        // every enclosing run ends at its next node too.
        context.Debug.BreakRequest.fetch_and(TDebugControl::kAbortRequest);
        throw ERunAborted();
    }
}

void RaiseAbort(TLanguageInterpreter& context, std::intptr_t code) {
    context.Debug.BreakRequest.exchange(0);
    throw EDebugger(code);
}

void RaiseRequestedAbort(TLanguageInterpreter& context) {
    context.Debug.AbortRequested = false;
    const std::intptr_t code = context.Debug.AbortTarget;
    context.Debug.AbortTarget = 0;
    RaiseAbort(context, code);
}

} // namespace vex
