#pragma once

#include "runtime/DebuggerInterface.h"

class QWidget;

// What the debugger window does with F5 while the focus is on a pane's page.
enum class TPaneF5 {
    Run,     // F5 runs, as everywhere else in the window
    Update,  // F5 updates the panes (the list pages)
    Execute, // F5 executes the expression (the Immediate page)
};

// A pane of the debugger window: one page of its page control. The window hands every pane the
// same report of where the run stands (a pause before or after a node, a result, or the state now
// when the person presses Update) and each pane takes from it what it shows; a pane keeps copies
// of values, never the report's pointers. A pane reads the host's model through the services'
// TDebuggerModel, never through the runtime context.
//
// A new pane is a class deriving from this one, its page in TDebuggerForm.ui (with the check
// box on the Options page that shows and hides it), and one line in TDebuggerForm::addPanes.
class TDebuggerPane {
public:
    virtual ~TDebuggerPane() = default;

    // The pane's page in the window's page control.
    virtual QWidget* Page() const = 0;
    // Brings the pane up to date with the report.
    virtual void ShowReport(const vex::TPauseReport& report) = 0;
    // The window has been bound to its runtime context (once).
    virtual void Attach(vex::TLanguageInterpreter&) {}
    // Debug mode went on or off.
    virtual void DebugModeChanged(bool) {}
    // Another page became the current one; `current` tells whether it is this pane's.
    virtual void CurrentPageChanged(bool) {}
    // What F5 does while the focus is on the pane's page.
    virtual TPaneF5 F5Action() const { return TPaneF5::Run; }
};
