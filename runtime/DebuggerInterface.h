#pragma once

// VexScript: the debugger API.
//
// What the runtime needs from the application to debug a run (the debugger window, message
// boxes, the GUI message pump, the break watcher thread and the model views) and what a debugger
// reads of the runtime. The application implements TDebugServices and sets
// context.Debug.Services; without services a debug run never pauses, counts nothing, and a break
// request stops the run without asking.
//
// A debugger drives the run through the debug state of the context (DebugControl.h: DebugState,
// Running, AbortRequested and the operations SwitchDebugging, SetRunning, EnterStepMode), shows
// where a run stands through the code listing of the running tree (CodeListing.h: the listing
// text and a position record per node), and reads the per-command counts and times of the
// Performance page (CommandCounter.h). Text typed into the paused run's scope goes to
// TLanguageInterpreter::ExecuteInPausedFrame (VexScript.h).

#include "runtime/CodeListing.h"
#include "runtime/CommandCounter.h"
#include "runtime/DebugControl.h"
#include "runtime/VexScript.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace vex {

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
    // Shows `listing` and selects the head of `node` (about to run).
    virtual void ShowNodeHead(const TListing& listing, const TCodeNode& node) = 0;
    // Refreshes the Environment page.
    virtual void UpdateEnvironment() = 0;
    // Selects the whole text of `node` (has just run).
    virtual void ShowNodeExtent(const TCodeNode& node) = 0;
    // Shows the result of the node that has just run.
    virtual void ShowResult(double number, const TText& text) = 0;
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

    // The break watcher thread: increments *request when the user presses the break keys. Start
    // sets *request to 0 first.
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
};

} // namespace vex
