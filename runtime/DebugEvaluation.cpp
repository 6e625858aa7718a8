// The debug path of evaluation: every node of a debug run comes here instead of the plain path.
// Sections: [pauses] the pause loops, [hooks] performance hooks, [path] the debug path of one
// node.

#include "runtime/DebugEvaluation.h"
#include "runtime/ContextParts.h"

#include "runtime/CodeListing.h"
#include "runtime/CommandCounter.h"
#include "runtime/DebuggerInterface.h"
#include "runtime/Engine.h"

namespace vex {

namespace {

// [pauses] ------------------------------------------------------------------------------------

// While a pause loop runs, the paused frame is the activation the run stands in, so that text
// typed into the debugger sees that code's locals, also in a run that was started stepping
// rather than switched into step mode; the frame the run had before comes back afterwards.
class TPausedFrameScope {
public:
    TPausedFrameScope(TDebugControl& debug, const TCompiledCode& current, std::int32_t depth)
        : m_debug(debug)
        , m_savedActivation(debug.PausedActivation)
        , m_savedFrame(debug.PausedFrame)
        , m_savedDepth(debug.PausedDepth) {
        debug.PausedActivation = current;
        debug.PausedFrame = &debug.PausedActivation;
        debug.PausedDepth = depth;
    }
    TPausedFrameScope(const TPausedFrameScope&) = delete;
    TPausedFrameScope& operator=(const TPausedFrameScope&) = delete;
    ~TPausedFrameScope() {
        m_debug.PausedActivation = m_savedActivation;
        m_debug.PausedFrame = m_savedFrame;
        m_debug.PausedDepth = m_savedDepth;
    }

private:
    TDebugControl& m_debug;
    TCompiledCode m_savedActivation;
    TCompiledCode* m_savedFrame;
    std::int32_t m_savedDepth;
};

// The report of the run at `node`, with the node's position record (none: the node has no
// listing).
TPauseReport ReportAtNode(TLanguageInterpreter& context, TPausePoint point, const TCodeNode& node,
                          const TPositionRecord* position) {
    TPauseReport report = ReportRunState(context);
    report.Point = point;
    report.Node = &node;
    report.Position = position;
    report.Listing = position ? TListing::Of(*position) : nullptr;
    return report;
}

// Pumps messages until the window releases the run or the application terminates. A pause
// before a node is reported again after every message that left the run frozen.
void WaitWhileFrozen(TLanguageInterpreter& context, TDebuggerWindow& window, TPauseReport& report) {
    TDebugServices& services = *Parts(context).Debug.Services;
    const TPausedFrameScope pausedFrame(Parts(context).Debug, Parts(context).Stack.Current(),
                                        Parts(context).Stack.CallDepth);
    report.Repeated = true;
    while (!services.IsTerminating()) {
        services.HandleOneMessage();
        if (Parts(context).Debug.Running) {
            break;
        }
        if (report.Point == TPausePoint::BeforeNode) {
            window.ShowPause(report);
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
        , m_previous(Parts(context).Debug.TimingSlot) {
        const std::uint64_t now = performance.TickSource();
        if (m_previous) {
            *m_previous = now - *m_previous;
        }
        m_slot = now;
        Parts(context).Debug.TimingSlot = &m_slot;
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
        Parts(m_context).Debug.TimingSlot = m_previous;
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
    if (Parts(context).Debug.RunOrigin & roAnimation) {
        performance.AnimationTime.Add(elapsed);
    } else if (Parts(context).Debug.RunOrigin & roSimulation) {
        performance.SimulationTime.Add(elapsed);
    }
    if (timedCounting) {
        performance.Counter.CountTimedNode(node, elapsed);
    }
    return result;
}

// Evaluates the node with the hooks the window's counting mode asks for; no window, no hooks.
// The mode is looked at first: with counting off (the common debug run) the node costs no call
// to the services.
double EvaluateMeasured(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    counting::TPerformance& performance = Parts(context).Debug.Performance;
    const std::uint8_t mode = performance.CountingMode;
    if (mode == 0 || !Parts(context).Debug.Window()) {
        return EvaluateNodePlain(context, node, text);
    }
    constexpr std::uint8_t timedCounting = counting::cmCountCommands | counting::cmTimedCounting;
    if ((mode & timedCounting) == timedCounting) {
        return EvaluateTimed(context, performance, node, text, true);
    }
    if (mode & counting::cmCountCommands) {
        performance.Counter.CountNode(node);
    }
    if ((mode & counting::cmProcessorTime) &&
        (Parts(context).Debug.RunOrigin & (roSimulation | roAnimation))) {
        return EvaluateTimed(context, performance, node, text, false);
    }
    return EvaluateNodePlain(context, node, text);
}

// [questions] ---------------------------------------------------------------------------------

// A break request met in a debug run: a node of a debugged origin pauses right here.
void AnswerBreakInDebugRun(TLanguageInterpreter& context, const TCodeNode& node) {
    if (!node.HasParentLink()) {
        AskStop(context);
    } else if (Parts(context).Debug.OriginDebugged()) {
        Parts(context).Debug.DebugState = dsStepInto;
    } else if (Parts(context).Debug.RunOrigin == roExternal) {
        AskStop(context);
    } else {
        AskDebug(context);
    }
}

} // namespace

// [pauses] ------------------------------------------------------------------------------------

void PauseAtNode(TLanguageInterpreter& context, TCodeNode& node) {
    if (!Parts(context).Debug.Services || Parts(context).Debug.Terminating()) {
        return;
    }
    const TPositionRecord* position = GetNodePosition(context, &node);
    if (!position) {
        return;
    }
    // Step mode remembers the activation it began in; once that has ended, a pause remembers
    // its own.
    if (!Parts(context).Debug.PausedFrame) {
        RememberPausedFrame(context);
    }
    Parts(context).Debug.SavedDebugState = Parts(context).Debug.DebugState;
    ShowDebugger(context, true);
    TDebuggerWindow* window = Parts(context).Debug.Window();
    if (!window) {
        // Nothing could release a frozen run without a window.
        SetRunning(context, true);
        return;
    }
    TPauseReport report = ReportAtNode(context, TPausePoint::BeforeNode, node, position);
    window->ShowPause(report);
    // Presses that came before the pause, or while it waited, asked for the pause itself: none
    // may pause the run again at its next node.
    Parts(context).Debug.ClearBreakRequests();
    WaitWhileFrozen(context, *window, report);
    Parts(context).Debug.ClearBreakRequests();
    if (Parts(context).Debug.AbortRequested) {
        RaiseRequestedAbort(context);
    }
}

double PauseAtResult(TLanguageInterpreter& context, TCodeNode& node, double number,
                     const TText& text) {
    TDebugServices* services = Parts(context).Debug.Services;
    if (!services) {
        return number;
    }
    services->HandlePendingMessages();
    TDebuggerWindow* window = services->DebuggerWindow();
    if (!window) {
        return number;
    }
    if (!Parts(context).Debug.Running && Parts(context).Debug.Stepping()) {
        TPauseReport report =
            ReportAtNode(context, TPausePoint::AfterNode, node, GetNodePosition(context, &node));
        window->ShowPause(report);
        WaitWhileFrozen(context, *window, report);
        FreezeRun(context);
    }
    TPauseReport result = ReportAtNode(context, TPausePoint::Result, node, nullptr);
    result.Number = number;
    result.Text = &text;
    window->ShowPause(result);
    SetRunning(context, services->IsTerminating());
    if (Parts(context).Debug.AbortRequested) {
        RaiseRequestedAbort(context);
    }
    return number;
}

bool CatchAbortAtNode(TLanguageInterpreter& context, TCodeNode& node, const EDebugger& signal) {
    if (signal.Target.IsStopAsked()) {
        if (node.HasParentLink() && !Parts(context).Debug.Suppressed()) {
            EnterStepMode(context);
            return true;
        }
        return false;
    }
    return signal.Target.IsNode(node);
}

// [path] --------------------------------------------------------------------------------------

double EvaluateNodeDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (Parts(context).Debug.BreakRequest.load(std::memory_order_relaxed) != 0 &&
        ServeRunRequests(context)) {
        AnswerBreakInDebugRun(context, node);
        Parts(context).Debug.ClearBreakRequests();
    }
    if (!node.HasParentLink()) {
        return EvaluateMeasured(context, node, text);
    }
    if (Parts(context).Debug.SteppingInto() && Parts(context).Debug.OriginDebugged()) {
        PauseAtNode(context, node);
        const double result = EvaluateMeasured(context, node, text);
        if (Parts(context).Debug.Stepping()) {
            Parts(context).Debug.DebugState = Parts(context).Debug.SavedDebugState;
        }
        return PauseAtResult(context, node, result, text);
    }
    const double result = EvaluateMeasured(context, node, text);
    if (Parts(context).Debug.SteppingInto() && Parts(context).Debug.OriginDebugged()) {
        return PauseAtResult(context, node, result, text);
    }
    return result;
}

double EvaluateRootDebug(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    return ContainAtRoot(
        context, node, text, [&] { return EvaluateNodeDebug(context, node, text); },
        [&](const EDebugger& signal) { return CatchAbortAtNode(context, node, signal); });
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
