// Sections: [services] access to the application, [states] running, frozen and step mode,
// [pauses] the pause loops, [questions] break requests and aborts, [hooks] performance hooks,
// [path] the debug path of one node.

#include "runtime/Debugging.h"

#include "runtime/CodeListing.h"
#include "runtime/CommandCounter.h"
#include "runtime/DebuggerInterface.h"
#include "runtime/Engine.h"
#include "runtime/LanguageInterpreter.h"
#include "runtime/LanguageTexts.h"

namespace vex {

namespace {

// [services] ----------------------------------------------------------------------------------

TDebuggerWindow* Window(const TLanguageInterpreter& context) {
    return context.DebugServices ? context.DebugServices->DebuggerWindow() : nullptr;
}

bool Terminating(const TLanguageInterpreter& context) {
    return context.DebugServices && context.DebugServices->IsTerminating();
}

// The window, created and attached on first need; none without services or when the
// application cannot create one.
TDebuggerWindow* EnsureWindow(TLanguageInterpreter& context) {
    TDebugServices* services = context.DebugServices;
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
    TDebugServices* services = context.DebugServices;
    if (services && !services->HasBreakWatcher()) {
        context.BreakRequest.store(0);
        services->StartBreakWatcher(&context.BreakRequest);
    }
}

std::int8_t SignedState(const TLanguageInterpreter& context) {
    return static_cast<std::int8_t>(context.DebugState);
}

bool OriginDebugged(const TLanguageInterpreter& context) {
    return (context.DebugOrigins & context.RunOrigin) != 0;
}

// [pauses] ------------------------------------------------------------------------------------

// Pumps messages until the window releases the run or the application terminates. With
// `listing`, the node's head is shown again after every message that left the run frozen.
void WaitWhileFrozen(TLanguageInterpreter& context, TDebuggerWindow& window,
                     const TListing* listing, const TCodeNode& node) {
    TDebugServices& services = *context.DebugServices;
    while (!services.IsTerminating()) {
        services.HandleOneMessage();
        if (context.Running) {
            break;
        }
        if (listing) {
            window.ShowNodeHead(*listing, node);
        }
    }
}

// [hooks] -------------------------------------------------------------------------------------

// A timed evaluation's start slot on the evaluating function's stack. While a nested timed
// evaluation runs, the enclosing slot holds the ticks used so far instead of a start, so the
// nested time is not counted twice. The destructor restores the chain on every exit.
class TTimingScope {
public:
    TTimingScope(TLanguageInterpreter& context, counting::TPerformance& performance)
        : m_context(context)
        , m_performance(performance)
        , m_previous(context.TimingSlot) {
        const std::uint64_t now = performance.TickSource();
        if (m_previous) {
            *m_previous = now - *m_previous;
        }
        m_slot = now;
        context.TimingSlot = &m_slot;
    }
    TTimingScope(const TTimingScope&) = delete;
    TTimingScope& operator=(const TTimingScope&) = delete;

    // The node ended normally: its own ticks, and the time read for the enclosing slot.
    std::uint64_t Finish() {
        m_end = m_performance.TickSource();
        m_finished = true;
        return m_end - m_slot;
    }

    ~TTimingScope() {
        if (m_previous) {
            const std::uint64_t now = m_finished ? m_end : m_performance.TickSource();
            *m_previous = now - *m_previous;
        }
        m_context.TimingSlot = m_previous;
    }

private:
    TLanguageInterpreter& m_context;
    counting::TPerformance& m_performance;
    std::uint64_t* m_previous;
    std::uint64_t m_slot = 0;
    std::uint64_t m_end = 0;
    bool m_finished = false;
};

double EvaluateTimed(TLanguageInterpreter& context, counting::TPerformance& performance,
                     TCodeNode& node, TText& text, bool timedCounting) {
    TTimingScope scope(context, performance);
    const double result = EvaluateNodePlain(context, node, text);
    const std::uint64_t elapsed = scope.Finish();
    if (context.RunOrigin & roAnimation) {
        performance.AnimationTime.Add(elapsed);
    } else if (context.RunOrigin & roSimulation) {
        performance.SimulationTime.Add(elapsed);
    }
    if (timedCounting) {
        performance.Counter.CountTimedNode(node, elapsed);
    }
    return result;
}

// Evaluates the node with the hooks the window's counting mode asks for; no window, no hooks.
double EvaluateMeasured(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    TDebuggerWindow* window = Window(context);
    if (!window) {
        return EvaluateNodePlain(context, node, text);
    }
    counting::TPerformance& performance = window->Performance();
    const std::uint8_t mode = performance.CountingMode;
    constexpr std::uint8_t timedCounting = counting::cmCountCommands | counting::cmTimedCounting;
    if ((mode & timedCounting) == timedCounting) {
        return EvaluateTimed(context, performance, node, text, true);
    }
    if (mode & counting::cmCountCommands) {
        performance.Counter.CountNode(node);
    }
    if ((mode & counting::cmProcessorTime) && (context.RunOrigin & (roSimulation | roAnimation))) {
        return EvaluateTimed(context, performance, node, text, false);
    }
    return EvaluateNodePlain(context, node, text);
}

// [questions] ---------------------------------------------------------------------------------

// A break request met in a debug run: a node of a debugged origin pauses right here.
void AnswerBreakInDebugRun(TLanguageInterpreter& context, const TCodeNode& node) {
    if (!node.HasParentLink()) {
        AskStop(context);
    } else if (OriginDebugged(context)) {
        context.DebugState = dsStepInto;
    } else if (context.RunOrigin == roExternal) {
        AskStop(context);
    } else {
        AskDebug(context);
    }
}

} // namespace

// [states] ------------------------------------------------------------------------------------

void SwitchDebugging(TLanguageInterpreter& context, bool on) {
    if (on) {
        if ((context.DebugState & 0x7F) == 0) {
            context.DebugState |= dsRun;
        }
        TDebuggerWindow* window = EnsureWindow(context);
        EnsureBreakWatcher(context);
        if (window) {
            window->SetDebugMode(true);
        }
        return;
    }
    context.DebugState &= dsSuppressed;
    context.Running = true;
    context.BreakRequest.store(0);
    TDebuggerWindow* window = Window(context);
    if (window) {
        window->ClearListing();
    }
    if (context.DebugServices) {
        context.DebugServices->StopBreakWatcher();
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
    if (!context.Running) {
        return;
    }
    TDebugServices* services = context.DebugServices;
    if ((SignedState(context) < 0 || SignedState(context) >= dsStepOver) && services &&
        services->ShowFrozenMessages()) {
        services->ShowFrozenMessage("Frozen for debug (pause)");
    }
    context.Running = false;
}

void SetRunning(TLanguageInterpreter& context, bool release) {
    if (release == context.Running) {
        return;
    }
    if (!release) {
        FreezeRun(context);
        return;
    }
    context.Running = true;
    if (context.DebugServices) {
        context.DebugServices->ReleaseFrozen();
    }
}

void EnterStepMode(TLanguageInterpreter& context) {
    const bool terminating = Terminating(context);
    SetRunning(context, terminating);
    if (terminating) {
        return;
    }
    if (!OriginDebugged(context)) {
        context.DebugOrigins |= context.RunOrigin;
        if (TDebuggerWindow* window = Window(context)) {
            window->TickOriginBoxes(context.DebugOrigins);
        }
    }
    context.PausedActivation = context.CurrentActivation();
    context.PausedFrame = &context.PausedActivation;
    context.DebugState = dsStepInto;
    context.SavedDebugState = dsStepInto;
}

// [pauses] ------------------------------------------------------------------------------------

void PauseAtNode(TLanguageInterpreter& context, TCodeNode& node) {
    if (!context.DebugServices || Terminating(context)) {
        return;
    }
    const TListing* listing = GetListing(context, &node);
    if (!listing) {
        return;
    }
    context.SavedDebugState = context.DebugState;
    ShowDebugger(context, true);
    TDebuggerWindow* window = Window(context);
    if (!window) {
        // Nothing could release a frozen run without a window.
        SetRunning(context, true);
        return;
    }
    window->ShowNodeHead(*listing, node);
    window->UpdateEnvironment();
    WaitWhileFrozen(context, *window, listing, node);
    if (context.AbortRequested) {
        RaiseRequestedAbort(context);
    }
}

double PauseAtResult(TLanguageInterpreter& context, TCodeNode& node, double number,
                     const TText& text) {
    TDebugServices* services = context.DebugServices;
    if (!services) {
        return number;
    }
    services->HandlePendingMessages();
    TDebuggerWindow* window = services->DebuggerWindow();
    if (!window) {
        return number;
    }
    if (!context.Running && SignedState(context) > dsRun) {
        window->ShowNodeExtent(node);
        WaitWhileFrozen(context, *window, nullptr, node);
        FreezeRun(context);
    }
    window->ShowResult(number, text);
    SetRunning(context, services->IsTerminating());
    if (context.AbortRequested) {
        RaiseRequestedAbort(context);
    }
    return number;
}

// [questions] ---------------------------------------------------------------------------------

void AskStop(TLanguageInterpreter& context) {
    if (!context.DebugServices) {
        RaiseAbort(context, 1);
    }
    const std::string question =
        context.LanguageText(ltAskStop) + "\r" + context.LanguageText(ltAskStopQuestion);
    if (context.DebugServices->AskWarning(question, false) == TBoxAnswer::Yes) {
        RaiseAbort(context, 1);
    }
}

void AskDebug(TLanguageInterpreter& context) {
    if (!context.DebugServices) {
        RaiseAbort(context, 0);
    }
    const std::string question = context.LanguageText(ltAskDebug) + "\r" +
                                 context.LanguageText(ltAskDebugYesNo) + "\r" +
                                 context.LanguageText(ltAskDebugCancel);
    switch (context.DebugServices->AskWarning(question, true)) {
    case TBoxAnswer::Yes:
        EnterStepMode(context);
        break;
    case TBoxAnswer::No:
        RaiseAbort(context, 0);
    case TBoxAnswer::Cancel:
        break;
    }
}

void RaiseAbort(TLanguageInterpreter& context, std::intptr_t code) {
    context.BreakRequest.exchange(0);
    throw EDebugger(code);
}

void RaiseRequestedAbort(TLanguageInterpreter& context) {
    context.AbortRequested = false;
    const std::intptr_t code = context.AbortTarget;
    context.AbortTarget = 0;
    RaiseAbort(context, code);
}

bool CatchAbortAtNode(TLanguageInterpreter& context, TCodeNode& node, const EDebugger& signal) {
    if (signal.Code == 1) {
        if (node.HasParentLink() && !(context.DebugState & dsSuppressed)) {
            EnterStepMode(context);
            return true;
        }
        return false;
    }
    return signal.Code == reinterpret_cast<std::intptr_t>(&node);
}

// [path] --------------------------------------------------------------------------------------

double EvaluateNodeDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (context.BreakRequest.load(std::memory_order_relaxed) != 0) {
        AnswerBreakInDebugRun(context, node);
        context.BreakRequest.exchange(0);
    }
    if (!node.HasParentLink()) {
        return EvaluateMeasured(context, node, text);
    }
    if (SignedState(context) >= dsStepInto && OriginDebugged(context)) {
        PauseAtNode(context, node);
        const double result = EvaluateMeasured(context, node, text);
        if (SignedState(context) > dsRun) {
            context.DebugState = context.SavedDebugState;
        }
        return PauseAtResult(context, node, result, text);
    }
    const double result = EvaluateMeasured(context, node, text);
    if (SignedState(context) >= dsStepInto && OriginDebugged(context)) {
        return PauseAtResult(context, node, result, text);
    }
    return result;
}

double EvaluateArgumentDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    try {
        return EvaluateNodeDebug(context, node, text);
    } catch (const EDebugger& signal) {
        if (CatchAbortAtNode(context, node, signal)) {
            return 0;
        }
        throw;
    }
}

} // namespace vex
