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
        context.Debug.ClearBreakRequests();
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
        if (context.Debug.DebugMode() == dsOff) {
            context.Debug.SetDebugMode(dsRun);
        }
        TDebuggerWindow* window = EnsureWindow(context);
        EnsureBreakWatcher(context);
        if (window) {
            window->SetDebugMode(true);
        }
        return;
    }
    context.Debug.SetDebugMode(dsOff);
    context.Debug.Running = true;
    context.Debug.ClearBreakRequests();
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
    if ((context.Debug.Suppressed() || context.Debug.Stepping()) && services &&
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

// [reports] -----------------------------------------------------------------------------------

TPauseReport ReportRunState(TLanguageInterpreter& context) {
    TPauseReport report;
    report.Frame = context.Stack.Current();
    report.NestingLevel = context.Stack.CallDepth;
    report.Origin = context.Debug.RunOrigin;
    report.CodeKind = context.Stack.CodeKind;
    if (report.CodeKind == TCodeKind::UserWordBody) {
        report.WordName = context.CurrentFunctionName();
    }
    report.Registers = context.Host().Registers();
    return report;
}

// [questions] ---------------------------------------------------------------------------------

void AskStop(TLanguageInterpreter& context) {
    if (!context.Debug.Services) {
        RaiseAbort(context, TAbortTarget::StopAsked());
    }
    const std::string question =
        context.LanguageText(ltAskStop) + "\r" + context.LanguageText(ltAskStopQuestion);
    if (context.Debug.Services->AskWarning(question, false) == TBoxAnswer::Yes) {
        RaiseAbort(context, TAbortTarget::StopAsked());
    }
}

void AskDebug(TLanguageInterpreter& context) {
    if (!context.Debug.Services) {
        RaiseAbort(context, TAbortTarget::WholeRun());
    }
    const std::string question = context.LanguageText(ltAskDebug) + "\r" +
                                 context.LanguageText(ltAskDebugYesNo) + "\r" +
                                 context.LanguageText(ltAskDebugCancel);
    switch (context.Debug.Services->AskWarning(question, true)) {
    case TBoxAnswer::Yes:
        EnterStepMode(context);
        break;
    case TBoxAnswer::No:
        RaiseAbort(context, TAbortTarget::WholeRun());
    case TBoxAnswer::Cancel:
        break;
    }
}

void RaiseRunAborted() {
    throw ERunAborted();
}

void RaiseAbort(TLanguageInterpreter& context, TAbortTarget target) {
    context.Debug.ClearBreakRequests();
    throw EDebugger(target);
}

void RaiseRequestedAbort(TLanguageInterpreter& context) {
    const TAbortTarget target = context.Debug.AbortTarget;
    context.Debug.DropCancel();
    RaiseAbort(context, target);
}

} // namespace vex
