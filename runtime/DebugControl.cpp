// The debug state machine: switching debugging on and off, freezing and releasing a run, step
// mode, and the questions asked when a run is interrupted. The per-node debug path that pauses
// is in DebugEvaluation.cpp.

#include "runtime/DebugControl.h"
#include "runtime/ContextParts.h"

#include "runtime/DebuggerInterface.h"
#include "runtime/LanguageTexts.h"
#include "runtime/VexScript.h"

namespace vex {

namespace {

// [services] ----------------------------------------------------------------------------------

// The window, created and attached on first need; none without services or when the
// application cannot create one.
TDebuggerWindow* EnsureWindow(TLanguageInterpreter& context) {
    TDebugServices* services = Parts(context).Debug.Services;
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
    TDebugServices* services = Parts(context).Debug.Services;
    if (services && !services->HasBreakWatcher()) {
        Parts(context).Debug.ClearBreakRequests();
        services->StartBreakWatcher(&Parts(context).Debug.BreakRequest);
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
        if (Parts(context).Debug.DebugMode() == dsOff) {
            Parts(context).Debug.SetDebugMode(dsRun);
        }
        TDebuggerWindow* window = EnsureWindow(context);
        EnsureBreakWatcher(context);
        if (window) {
            window->SetDebugMode(true);
        }
        return;
    }
    Parts(context).Debug.SetDebugMode(dsOff);
    Parts(context).Debug.Running = true;
    Parts(context).Debug.ClearBreakRequests();
    Parts(context).Debug.DropCancel();
    TDebuggerWindow* window = Parts(context).Debug.Window();
    if (window) {
        window->ClearListing();
    }
    if (Parts(context).Debug.Services) {
        Parts(context).Debug.Services->StopBreakWatcher();
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
    if (!Parts(context).Debug.Running) {
        return;
    }
    TDebugServices* services = Parts(context).Debug.Services;
    if ((Parts(context).Debug.Suppressed() || Parts(context).Debug.Stepping()) && services &&
        services->ShowFrozenMessages()) {
        services->ShowFrozenMessage("Frozen for debug (pause)");
    }
    Parts(context).Debug.Running = false;
}

void SetRunning(TLanguageInterpreter& context, bool release) {
    if (release == Parts(context).Debug.Running) {
        return;
    }
    if (!release) {
        FreezeRun(context);
        return;
    }
    Parts(context).Debug.Running = true;
    if (Parts(context).Debug.Services) {
        Parts(context).Debug.Services->ReleaseFrozen();
    }
}

void EnterStepMode(TLanguageInterpreter& context) {
    const bool terminating = Parts(context).Debug.Terminating();
    SetRunning(context, terminating);
    if (terminating) {
        return;
    }
    if (!Parts(context).Debug.OriginDebugged()) {
        Parts(context).Debug.DebugOrigins |= Parts(context).Debug.RunOrigin;
        if (TDebuggerWindow* window = Parts(context).Debug.Window()) {
            window->TickOriginBoxes(Parts(context).Debug.DebugOrigins);
        }
    }
    RememberPausedFrame(context);
    Parts(context).Debug.DebugState = dsStepInto;
    Parts(context).Debug.SavedDebugState = dsStepInto;
}

void RememberPausedFrame(TLanguageInterpreter& context) {
    Parts(context).Debug.PausedActivation = Parts(context).Stack.Current();
    Parts(context).Debug.PausedFrame = &Parts(context).Debug.PausedActivation;
    Parts(context).Debug.PausedDepth = Parts(context).Stack.CallDepth;
}

// [reports] -----------------------------------------------------------------------------------

TPauseReport ReportRunState(TLanguageInterpreter& context) {
    TPauseReport report;
    report.Frame = Parts(context).Stack.Current();
    report.NestingLevel = Parts(context).Stack.CallDepth;
    report.Origin = Parts(context).Debug.RunOrigin;
    report.CodeKind = Parts(context).Stack.CodeKind;
    if (report.CodeKind == TCodeKind::UserWordBody) {
        report.WordName = context.CurrentFunctionName();
    }
    report.Registers = context.Host().Registers();
    return report;
}

// [questions] ---------------------------------------------------------------------------------

void AskStop(TLanguageInterpreter& context) {
    if (!Parts(context).Debug.Services) {
        RaiseAbort(context, TAbortTarget::StopAsked());
    }
    const std::string question =
        context.LanguageText(ltAskStop) + "\r" + context.LanguageText(ltAskStopQuestion);
    if (Parts(context).Debug.Services->AskWarning(question, false) == TBoxAnswer::Yes) {
        RaiseAbort(context, TAbortTarget::StopAsked());
    }
}

void AskDebug(TLanguageInterpreter& context) {
    if (!Parts(context).Debug.Services) {
        RaiseAbort(context, TAbortTarget::WholeRun());
    }
    const std::string question = context.LanguageText(ltAskDebug) + "\r" +
                                 context.LanguageText(ltAskDebugYesNo) + "\r" +
                                 context.LanguageText(ltAskDebugCancel);
    switch (Parts(context).Debug.Services->AskWarning(question, true)) {
    case TBoxAnswer::Yes:
        EnterStepMode(context);
        break;
    case TBoxAnswer::No:
        RaiseAbort(context, TAbortTarget::WholeRun());
    case TBoxAnswer::Cancel:
        break;
    }
}

bool ServeRunRequests(TLanguageInterpreter& context) {
    TDebugControl& debug = Parts(context).Debug;
    AnswerAbortRequest(context);
    if (debug.BreakRequest.load(std::memory_order_relaxed) & TDebugControl::kServiceRequest) {
        debug.BreakRequest.fetch_and(~TDebugControl::kServiceRequest);
        if (debug.Services) {
            debug.Services->ServeRun();
        }
        AnswerAbortRequest(context);
    }
    return debug.BreakPressed();
}

void RaiseRunAborted() {
    throw ERunAborted();
}

void RaiseAbort(TLanguageInterpreter& context, TAbortTarget target) {
    Parts(context).Debug.ClearBreakRequests();
    throw EDebugger(target);
}

void RaiseRequestedAbort(TLanguageInterpreter& context) {
    const TAbortTarget target = Parts(context).Debug.AbortTarget;
    Parts(context).Debug.DropCancel();
    RaiseAbort(context, target);
}

} // namespace vex
