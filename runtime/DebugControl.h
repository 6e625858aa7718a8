#pragma once

// The debug state of a context and the operations that switch debugging on and off, pause,
// freeze, release and abort a run. The debugger window and the rest of the application are
// reached only through TDebugServices (DebuggerInterface.h); everything here runs on the GUI
// thread, except that the break watcher thread adds to BreakRequest and any thread may call
// RequestAbort.

#include "runtime/CommandCounter.h"
#include "runtime/CompiledCode.h"
#include "runtime/Exceptions.h"
#include "runtime/VexScript.h"

#include <atomic>
#include <cstdint>

namespace vex {

class TLanguageInterpreter;
class TDebugServices;
class TDebuggerWindow;

// DebugState: the low bits say how a debug run proceeds (the debug mode, one of the first four
// values); dsSuppressed, a flag beside them, switches debugging off for the run whatever the mode
// (the byte then reads negative). The byte stays one byte so that the plain path tests it at
// every node with one comparison (DebugStatePositive).
enum TDebugState : std::uint8_t {
    dsOff = 0,
    dsRun = 1,
    dsStepOver = 2,
    dsStepInto = 3,
    dsSuppressed = 0x80,
};

// The debug state of a context: whether and how a run is debugged, whether it is frozen, and the
// requests that reach it from the debugger window, the break watcher and other threads.
class TDebugControl {
public:
    // The debug mode (dsOff to dsStepInto) and the dsSuppressed flag; see TDebugState and the
    // queries below.
    std::uint8_t DebugState = dsOff;
    // DebugState as it was when the current pause began.
    std::uint8_t SavedDebugState = dsOff;
    // What started the running evaluation (TRunOrigin bits); set and restored by whoever starts
    // a run.
    std::uint8_t RunOrigin = 0;
    // True while the run is released, false while it is frozen for the debugger; a pause loop
    // ends when it becomes true.
    bool Running = true;
    // The origins under debugging (TRunOrigin bits).
    std::uint8_t DebugOrigins = 0;
    // Compile trees without parent links, so that nothing can be paused at.
    bool ReleaseMode = false;
    // Set by the debugger's Cancel: raise the abort signal for AbortTarget when the pause ends.
    bool AbortRequested = false;
    TAbortTarget AbortTarget;
    // Start-time slot of the innermost timed node of a measured run.
    std::uint64_t* TimingSlot = nullptr;
    // Break requests: the break watcher thread (and the application's own Ctrl+Break) add one
    // per press; the runtime reads the counter between nodes and answers the presses that piled
    // up once. A pending abort request keeps it above 0 as well (RequestAbort), and so does the
    // application's request to be served (the top bit, RequestService), so that the one test
    // between nodes notices all three.
    std::atomic<std::uint32_t> BreakRequest{0};
    // The bit of BreakRequest that asks for Services->ServeRun() at the next node; the presses
    // count in the bits below it.
    static constexpr std::uint32_t kServiceRequest = 0x80000000u;
    // The activation the debugger paused in (points at PausedActivation), or none. Its frame of
    // locals is given back when the level of nesting it belongs to ends (the PausedDepth-th),
    // so it is forgotten then.
    TCompiledCode* PausedFrame = nullptr;
    // A copy of the activation paused in, which PausedFrame points at.
    TCompiledCode PausedActivation;
    std::int32_t PausedDepth = 0;
    // Written by the debugger's switch button; the runtime does not read it.
    bool DebugSwitchState = false;
    // The application's debugger services (window, message boxes, message pump, break watcher),
    // or none: debug runs then never pause or count, and a break request stops the run.
    TDebugServices* Services = nullptr;
    // The counting mode, the simulation and animation times and the command counter of debug
    // runs: fed at every node of a debug run while a debugger window exists, shown by it.
    counting::TPerformance Performance;

    // True when the run is debugged: a debug mode other than dsOff, not suppressed.
    bool DebugStatePositive() const noexcept { return static_cast<std::int8_t>(DebugState) > 0; }
    // True when a node cannot take the plain path: a debug run, or a break or abort request
    // pending.
    bool NeedsCheckedPath() const noexcept {
        return DebugStatePositive() || BreakRequest.load(std::memory_order_relaxed) != 0;
    }
    // The debug mode, without the suppression flag.
    TDebugState DebugMode() const noexcept {
        return static_cast<TDebugState>(DebugState & ~dsSuppressed);
    }
    // Sets the debug mode and keeps the suppression flag.
    void SetDebugMode(TDebugState mode) noexcept {
        DebugState = static_cast<std::uint8_t>((DebugState & dsSuppressed) | mode);
    }
    // True while debugging is suppressed for the run.
    bool Suppressed() const noexcept { return (DebugState & dsSuppressed) != 0; }
    // True in a debugged run that steps (over or into).
    bool Stepping() const noexcept { return DebugStatePositive() && DebugMode() >= dsStepOver; }
    // True in a debugged run that steps into every node.
    bool SteppingInto() const noexcept { return DebugStatePositive() && DebugMode() == dsStepInto; }

    // Asks the running evaluation to end at its next node with ERunAborted, asking nobody. Safe
    // from any thread and from a signal handler. Meant for a run that is going on: a request
    // made while nothing runs ends the next run at its first node. A request still pending when
    // the outermost evaluation has evaluated its last node ends that evaluation all the same
    // (it was asked for while the run went on), so nothing is left to end the next run.
    void RequestAbort() noexcept {
        m_abortRequest.store(true);
        BreakRequest.fetch_add(1);
    }
    // Asks for Services->ServeRun() at the next node of the running evaluation; safe from any
    // thread. Requests that pile up are served once.
    void RequestService() noexcept { BreakRequest.fetch_or(kServiceRequest); }
    // True while presses (or an abort) wait to be answered, leaving out a service request.
    bool BreakPressed() const noexcept {
        return (BreakRequest.load(std::memory_order_relaxed) & ~kServiceRequest) != 0;
    }
    // True while an abort request is pending.
    bool AbortRequestPending() const noexcept { return m_abortRequest.load(); }
    // Drops a pending abort request, with the break requests that came beside it (they belong
    // to the run the abort ended); break requests without an abort stay.
    void ClearAbortRequest() noexcept {
        // Looked at first: the outermost end of every run comes here, nearly always for nothing.
        if (m_abortRequest.load(std::memory_order_relaxed) && m_abortRequest.exchange(false)) {
            BreakRequest.store(0);
        }
    }
    // Forgets the break requests answered; a pending abort request still makes the next node
    // look.
    void ClearBreakRequests() noexcept {
        BreakRequest.store(0);
        if (m_abortRequest.load()) {
            BreakRequest.fetch_add(1);
        }
    }
    // A level of nesting ended and `depth` levels are left: forgets the paused frame when its
    // level was the one that ended.
    void LeftNesting(std::int32_t depth) noexcept {
        if (depth < PausedDepth) {
            PausedFrame = nullptr;
            PausedDepth = 0;
        }
    }
    // Drops the debugger's Cancel (AbortRequested with its AbortTarget) that no pause has taken
    // up; done when the outermost run ends and when debugging is switched off, so that it cannot
    // end a later, unrelated run at its first pause.
    void DropCancel() noexcept {
        AbortRequested = false;
        AbortTarget = TAbortTarget::WholeRun();
    }
    // True when the running origin is one of the debugged origins.
    bool OriginDebugged() const noexcept { return (DebugOrigins & RunOrigin) != 0; }
    // The debugger window, or none (no services, or no window created yet).
    TDebuggerWindow* Window() const;
    // True once the application has begun to terminate.
    bool Terminating() const;

private:
    // The abort request of RequestAbort, apart from the break requests: the break watcher only
    // ever adds to BreakRequest, and an abort is answered without a question.
    std::atomic<bool> m_abortRequest{false};
};

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
// Makes the current activation the paused frame.
void RememberPausedFrame(TLanguageInterpreter& context);
// Asks whether to stop an interrupted run; Yes raises the abort signal for the stop asked.
void AskStop(TLanguageInterpreter& context);
// Asks what to do with an interrupted run: Yes debugs it step by step, No stops it, Cancel lets
// it go on.
void AskDebug(TLanguageInterpreter& context);
// What a node does when it sees BreakRequest above 0, before it answers a press: ends the run for
// a pending abort request (AnswerAbortRequest), serves a pending service request, and then looks
// at the abort request again (what the application handled may have asked for it). True when
// presses are left to answer.
bool ServeRunRequests(TLanguageInterpreter& context);
// Raises ERunAborted for a pending abort request; see AnswerAbortRequest.
[[noreturn]] void RaiseRunAborted();
// Clears the break requests and raises the abort signal for `target`.
[[noreturn]] void RaiseAbort(TLanguageInterpreter& context, TAbortTarget target);
// After a pause loop that the window's Cancel ended: clears AbortRequested and raises the abort
// signal for AbortTarget (then reset to the whole run).
[[noreturn]] void RaiseRequestedAbort(TLanguageInterpreter& context);

// Ends the run with ERunAborted when RequestAbort asked for it (the request, and with it the
// break request that makes nodes look, stays until the outermost evaluation ends, so that a run
// nested in another, such as a text a word evaluates or a file it executes, does not take the
// abort for itself alone: every enclosing run ends at its next node too); nothing otherwise.
// Inline, since the outermost end of every run asks; a template only so that the context's
// class need be complete where it is called, not here.
template <class TContext>
inline void AnswerAbortRequest(const TContext& context) {
    // Pairs with RequestAbort: a node that saw its break request sees its abort request too.
    std::atomic_thread_fence(std::memory_order_acquire);
    if (Parts(context).Debug.AbortRequestPending()) [[unlikely]] {
        RaiseRunAborted();
    }
}

} // namespace vex
