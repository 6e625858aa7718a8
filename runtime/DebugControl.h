#pragma once

// The debug state of a context and the operations that switch debugging on and off, pause,
// freeze, release and abort a run. The debugger window and the rest of the application are
// reached only through TDebugServices (DebuggerInterface.h); everything here runs on the GUI
// thread, except that the break watcher thread increments BreakRequest.

#include "runtime/CommandCounter.h"
#include "runtime/CompiledCode.h"

#include <atomic>
#include <cstdint>

namespace vex {

class TLanguageInterpreter;
class TDebugServices;
class TDebuggerWindow;

// Bits of RunOrigin and DebugOrigins: what started the running evaluation.
enum TRunOrigin : std::uint8_t {
    roSimulation = 1,
    roAnimation = 2,
    roInterruption = 4,
    roExternal = 8,
};

// Values of the low bits of DebugState; bit 7 suppresses debugging for the run.
enum TDebugState : std::uint8_t {
    dsOff = 0,
    dsRun = 1,
    dsStepOver = 2,
    dsStepInto = 3,
    dsSuppressed = 0x80,
};

// The debug state of a context: whether and how a run is debugged, whether it is frozen, and the
// requests that reach it from the debugger window and the break watcher.
class TDebugControl {
public:
    // Bit 7 set: debugging suppressed for this run (the byte then reads negative). Low bits: a
    // TDebugState value.
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
    // Set by the debugger: raise the abort signal with AbortTarget when the pause ends.
    bool AbortRequested = false;
    // The code of that abort signal (0: the whole run; a node's address: that node).
    std::intptr_t AbortTarget = 0;
    // Start-time slot of the innermost timed node of a measured run.
    std::uint64_t* TimingSlot = nullptr;
    // Break requests: incremented by the break watcher thread, read between nodes and reset by
    // an atomic exchange on the GUI thread. Bit 31 (kAbortRequest) asks the run to end without a
    // question; see RequestAbort.
    std::atomic<std::uint32_t> BreakRequest{0};
    // The bit of BreakRequest that RequestAbort sets.
    static constexpr std::uint32_t kAbortRequest = 0x80000000u;
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
    // runs: fed at every node of a debug run while a debugger window exists, shown by its
    // Performance page.
    counting::TPerformance Performance;

    // True when bit 7 is clear and the low bits are nonzero (the byte read as signed is
    // positive): a debug run.
    bool DebugStatePositive() const noexcept { return static_cast<std::int8_t>(DebugState) > 0; }
    // True when a node cannot take the plain path: a debug run, or a break request pending.
    bool NeedsCheckedPath() const noexcept {
        return DebugStatePositive() || BreakRequest.load(std::memory_order_relaxed) != 0;
    }
    // Asks the running evaluation to end at its next node with ERunAborted, asking nobody. Safe
    // from any thread and from a signal handler. Meant for a run that is going on: a request
    // made while nothing runs ends the next run at its first node. A request still pending when
    // the outermost evaluation has evaluated its last node ends that evaluation all the same
    // (it was asked for while the run went on), so nothing is left to end the next run.
    void RequestAbort() noexcept { BreakRequest.fetch_or(kAbortRequest, std::memory_order_relaxed); }
    // Drops a pending RequestAbort; break requests stay.
    void ClearAbortRequest() noexcept {
        BreakRequest.fetch_and(~kAbortRequest, std::memory_order_relaxed);
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
        AbortTarget = 0;
    }
    // DebugState read as a signed byte: negative while debugging is suppressed.
    std::int8_t SignedState() const noexcept { return static_cast<std::int8_t>(DebugState); }
    // True when the running origin is one of the debugged origins.
    bool OriginDebugged() const noexcept { return (DebugOrigins & RunOrigin) != 0; }
    // The debugger window, or none (no services, or no window created yet).
    TDebuggerWindow* Window() const;
    // True once the application has begun to terminate.
    bool Terminating() const;
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
// Asks whether to stop an interrupted run; Yes raises the abort signal with code 1.
void AskStop(TLanguageInterpreter& context);
// Asks what to do with an interrupted run: Yes debugs it step by step, No stops it, Cancel lets
// it go on.
void AskDebug(TLanguageInterpreter& context);
// Ends the run with ERunAborted when RequestAbort asked for it (clearing every other break
// request; the abort request itself stays until the outermost evaluation ends); nothing
// otherwise.
void AnswerAbortRequest(TLanguageInterpreter& context);
// Clears the break request and raises the abort signal with `code`.
[[noreturn]] void RaiseAbort(TLanguageInterpreter& context, std::intptr_t code);
// After a pause loop that the window's Cancel ended: clears AbortRequested and raises the abort
// signal with AbortTarget (then cleared).
[[noreturn]] void RaiseRequestedAbort(TLanguageInterpreter& context);

} // namespace vex
