#pragma once

namespace vex {
class TLanguageInterpreter;
}

class TDebuggerServices;

// Who started a run: the person (the main window's commands, the debugger) or a client of the
// automation interface. Each ends only its own runs: the person's Stop never ends a client's
// call, and a client's Abort never a run of the person.
enum class TRunOwner {
    Person,
    Client,
};

// A run the application starts on a context, for as long as it lives: while the outermost one
// lives, the application's services keep the windows alive between the run's nodes (they
// repaint, timers run, Stop and Ctrl+Break are answered), the break watcher catches Ctrl+Break
// whether debugging is on or off, and the commands that would start another run refuse. Break
// requests left from before the run, or from its end, are dropped. Without the application's
// services (a context of its own in a test) it does nothing.
class TRunGuard {
public:
    TRunGuard(vex::TLanguageInterpreter& context, TRunOwner owner);
    ~TRunGuard();
    TRunGuard(const TRunGuard&) = delete;
    TRunGuard& operator=(const TRunGuard&) = delete;

private:
    TDebuggerServices* m_services;
};
