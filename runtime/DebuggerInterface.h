#pragma once

// VexScript: the debugger API.
//
// What the runtime needs from the application to debug a run (the debugger window, message
// boxes, the GUI message pump, the break watcher thread and the model views) and what a debugger
// reads of the runtime. The application implements TDebugServices and sets
// DebugControlOf(context).Services; without services a debug run never pauses, counts nothing,
// and a break request stops the run without asking.
//
// A debugger drives the run through the debug state of the context (DebugControl.h: DebugState,
// Running, AbortRequested and the operations SwitchDebugging, SetRunning, EnterStepMode), learns
// where a run stands from one pause report (TPauseReport below; its node's place in the code
// listing of the running tree is in CodeListing.h), and reads the per-command counts and times
// of the counting core (CommandCounter.h). What the window makes of a report, and in which
// panes, is the window's own. Text typed into the paused run's scope goes to
// TLanguageInterpreter::ExecuteInPausedFrame (VexScript.h).

#include "runtime/CodeListing.h"
#include "runtime/CommandCounter.h"
#include "runtime/DebugControl.h"
#include "runtime/RunParts.h"
#include "runtime/VexScript.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace vex {

// Where a run stands when the runtime reports to the debugger window.
enum class TPausePoint : std::uint8_t {
    Now,        // no node: the state of the run as the window asks for it (ReportRunState)
    BeforeNode, // the run waits before the node
    AfterNode,  // the run waits after the node, which has run
    Result,     // the node has run and the run goes on: its result is known
};

// What the runtime tells the debugger window, one report for everything the window shows: the
// node and its place in its listing, the activation the run stands in, how deeply the runs are
// nested, what started the run, what kind of code runs, the host's registers, and after a node
// its result. The pointers hold only during the call the report is handed to; a window keeps
// copies of values, never the pointers.
struct TPauseReport {
    TPausePoint Point = TPausePoint::Now;
    // True when the same pause is reported again after a message that left the run frozen (a
    // run nested in the pause may have shown something else meanwhile).
    bool Repeated = false;
    // The node, its listing and its position record in it; none at Now.
    const TCodeNode* Node = nullptr;
    const TListing* Listing = nullptr;
    const TPositionRecord* Position = nullptr;
    // The activation the run stands in: its locals and their frame.
    TCompiledCode Frame;
    // Levels of nested runs (0 outside a run).
    std::int32_t NestingLevel = 0;
    // What started the run (TRunOrigin bits).
    std::uint8_t Origin = 0;
    // The kind of code that runs and, in the body of a user-defined word compiled for
    // debugging, the word's name (empty otherwise).
    TCodeKind CodeKind = TCodeKind::None;
    std::string WordName;
    // The host's registers: the current, the involved and the active atom.
    THostRegisters Registers;
    // At Result: the node's number and text.
    double Number = 0;
    const TText* Text = nullptr;
};

// The debug state of a context, which a debugger drives.
inline TDebugControl& DebugControlOf(TLanguageInterpreter& context) noexcept {
    return RunParts(context).Debug;
}
inline const TDebugControl& DebugControlOf(const TLanguageInterpreter& context) noexcept {
    return RunParts(context).Debug;
}

// The report of where the run of `context` stands now, without a node (TPausePoint::Now).
TPauseReport ReportRunState(TLanguageInterpreter& context);

// The debugger window as the runtime drives it. All calls come on the GUI thread.
class TDebuggerWindow {
public:
    virtual ~TDebuggerWindow() = default;

    // Binds the window to the context once; later calls are ignored by the window.
    virtual void AttachRuntime(TLanguageInterpreter& context) = 0;
    // Switches the window's buttons and caption between debug mode on and off.
    virtual void SetDebugMode(bool on) = 0;
    // Empties the listing panel and forgets the shown position.
    virtual void ClearListing() = 0;
    // Shows where the run stands: before a node, waiting after it, or going on with its result.
    virtual void ShowPause(const TPauseReport& report) = 0;
    // Ticks the origin check boxes of the run origins in `origins` (DebugOrigins bits).
    virtual void TickOriginBoxes(std::uint8_t origins) = 0;
    // Puts the debug mode switch button down.
    virtual void PressSwitchButton() = 0;
    // Shows the window and gives it the focus.
    virtual void ShowAndFocus() = 0;
};

// Answers of the warning boxes.
enum class TBoxAnswer {
    Yes,
    No,
    Cancel
};

// The application's side of debugging.
class TDebugServices {
public:
    virtual ~TDebugServices() = default;

    // The debugger window, or none while it has not been created.
    virtual TDebuggerWindow* DebuggerWindow() = 0;
    // Creates the window (the application owns it until it ends) and returns it; none when the
    // application cannot show one.
    virtual TDebuggerWindow* CreateDebuggerWindow() = 0;

    // A modal warning box with Yes and No, or Yes, No and Cancel.
    virtual TBoxAnswer AskWarning(const std::string& text, bool withCancel) = 0;

    // Handles one GUI message, waiting for one when none is waiting.
    virtual void HandleOneMessage() = 0;
    // Handles every GUI message that is waiting, without waiting.
    virtual void HandlePendingMessages() = 0;
    // True once the application has begun to terminate.
    virtual bool IsTerminating() const = 0;

    // The break watcher thread: adds one to *request whenever the user presses the break keys,
    // and does nothing else with it (the runtime resets it before it starts the watcher and
    // whenever it has answered).
    // True while the watcher thread runs.
    virtual bool HasBreakWatcher() const = 0;
    // Starts the watcher thread for `request`.
    virtual void StartBreakWatcher(std::atomic<std::uint32_t>* request) = 0;
    // Stops the watcher thread and waits for it to end.
    virtual void StopBreakWatcher() = 0;

    // The host preference: show a message on the model views while a run is frozen.
    virtual bool ShowFrozenMessages() const = 0;
    // Shows `message` on every registered model view.
    virtual void ShowFrozenMessage(const std::string& message) = 0;
    // Removes the frozen message from every registered model view.
    virtual void ReleaseFrozen() = 0;

    // Called between two nodes of a run when the application asked for it (RequestService):
    // the application handles what waits for it (repaints, timers, its Stop command) and
    // returns. Whatever it does there must not start another run on this context.
    virtual void ServeRun() {}
};

} // namespace vex
