#pragma once

#include "runtime/DebuggerInterface.h"

#include <cstdint>

class TDebuggerServices;

// A run the application starts for the person, such as the script of the main window's editor,
// for as long as it lives. Its origin is the person's (user events), so that the Debug group's
// "User events" box decides whether it pauses.
//
// Debugged, the run switches debug mode on (the debugger window comes up), puts its origin among
// the debugged ones and starts stepping, so that it pauses at its first node. When it is over,
// stepping goes back to plain debug mode, so that the next run does not pause unless asked to,
// and a run the debugger left frozen is released, so that no model view keeps saying it is
// frozen.
class TUserRun {
public:
    TUserRun(vex::TLanguageInterpreter& context, bool debug);
    ~TUserRun();
    TUserRun(const TUserRun&) = delete;
    TUserRun& operator=(const TUserRun&) = delete;

    // True once the person has ended the run (Cancel, or the answer to a break request); a
    // caller that runs statement after statement stops then.
    bool Ended() const;

private:
    vex::TLanguageInterpreter& m_context;
    TDebuggerServices* m_services;
    std::uint8_t m_savedOrigin;
    std::uint64_t m_endedRuns;
};
