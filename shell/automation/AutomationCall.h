#pragma once

#include "services/MessageBoxes.h"

#include <QString>

#include <chrono>

namespace vex {
class TLanguageInterpreter;
struct TRunResult;
} // namespace vex

class TApplicationServices;

// One automation call while the GUI thread runs it. No call waits on a person, and none runs
// for ever:
//
// - a message box asked for during the call is not shown: while the call runs it takes the
//   place of the message boxes of the application's services (which every window and the
//   runtime's host show their boxes through); the box's text goes to the error window and
//   becomes the call's failure, and the box answers its default (or escape) button;
// - another thread (the one that answers Abort over D-Bus) may end the call, and a time limit
//   ends it by itself; both through the runtime's abort request, which ends the run at its next
//   node; a run whose result says it was aborted (CheckRun) is the call's failure.
//
// Calls nest like the runs they make; an abort or a time limit acts on the innermost only.
class TAutomationCall {
public:
    // A call of `caller` (the automation object) on the context of `services`, which must have
    // one; a limit above zero ends it once it has run that long.
    TAutomationCall(const void* caller, TApplicationServices& services,
                    std::chrono::milliseconds limit);
    ~TAutomationCall();
    TAutomationCall(const TAutomationCall&) = delete;
    TAutomationCall& operator=(const TAutomationCall&) = delete;

    // The first failure of the call (a box it would have shown, its abort); empty when none.
    const QString& failure() const noexcept { return m_failure; }

    // From any thread: asks the running call of `caller` (with none: whichever automation call
    // runs) to end. True when there was one to ask.
    static bool abort(const void* caller);
    // A run of the call that ended aborted (by the call's abort or time limit, or by anyone's)
    // fails the call.
    void CheckRun(const vex::TRunResult& result);

    // How other threads see the call (AutomationCall.cpp).
    struct TWatch;

private:
    void fail(const QString& message);
    QString stopMessage() const;

    TApplicationServices& m_services;
    TWatch* m_watch;
    TMessageBoxPresenter m_outerPresenter;
    QString m_failure;
};
