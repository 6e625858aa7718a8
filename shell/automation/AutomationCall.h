#pragma once

#include "services/MessageBoxes.h"

#include <QString>

#include <chrono>
#include <exception>

namespace vex {
class TLanguageInterpreter;
}

// One automation call while the GUI thread runs it. No call waits on a person, and none runs
// for ever:
//
// - a message box asked for during the call is not shown: its text goes to the error window
//   and becomes the call's failure, and the box answers its default (or escape) button;
// - another thread (the one that answers Abort over D-Bus) may end the call, and a time limit
//   ends it by itself; both through the runtime's abort request, which ends the run at its next
//   node, and the host's exception handler then hands the abort here (takeException), where it
//   becomes the call's failure.
//
// Calls nest like the runs they make; an abort or a time limit acts on the innermost only.
class TAutomationCall {
public:
    // A call of `caller` (the automation object) on `context`; a limit above zero ends it once it
    // has run that long.
    TAutomationCall(const void* caller, vex::TLanguageInterpreter& context,
                    std::chrono::milliseconds limit);
    ~TAutomationCall();
    TAutomationCall(const TAutomationCall&) = delete;
    TAutomationCall& operator=(const TAutomationCall&) = delete;

    // The first failure of the call (a box it would have shown, its abort); empty when none.
    const QString& failure() const noexcept { return m_failure; }

    // From any thread: asks the running call of `caller` (with none: whichever automation call
    // runs) to end. True when there was one to ask.
    static bool abort(const void* caller);
    // From the host's exception handler: takes the abort that ended a run of the running call.
    // False when no automation call runs or the exception is no abort.
    static bool takeException(const std::exception& error);

    // How other threads see the call (AutomationCall.cpp).
    struct TWatch;

private:
    void fail(const QString& message);
    QString stopMessage() const;

    TWatch* m_watch;
    TAutomationCall* m_outer;
    TMessageBoxPresenter m_outerPresenter;
    QString m_failure;
};
