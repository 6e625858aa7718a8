#pragma once

#include <csignal>

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {

// Turns Ctrl+C (SIGINT) into the runtime's abort request for as long as it lives: the first
// Ctrl+C asks the running evaluation of `context` to end at its next node (ERunAborted, which
// the host's exception handler receives), a second one ends the process at once, as the signal
// would without a handler. The handler restarts interrupted system calls, so the words' own
// reading and writing goes on undisturbed. When it ends, the previous disposition of SIGINT
// comes back and an abort request that came too late for the run is dropped. One lives at a
// time; a runner holds one per run.
class TInterruptHandler {
public:
    explicit TInterruptHandler(TLanguageInterpreter& context);
    TInterruptHandler(const TInterruptHandler&) = delete;
    TInterruptHandler& operator=(const TInterruptHandler&) = delete;
    ~TInterruptHandler();

    // True once Ctrl+C was pressed, also when the run ended before it could answer.
    bool Interrupted() const noexcept;
};

// Ignores Ctrl+C for as long as it lives, where no handler of a run or a prompt takes it: the
// interactive mode between reading a statement and running it must not end the program.
class TInterruptsIgnored {
public:
    TInterruptsIgnored();
    TInterruptsIgnored(const TInterruptsIgnored&) = delete;
    TInterruptsIgnored& operator=(const TInterruptsIgnored&) = delete;
    ~TInterruptsIgnored();

private:
    struct sigaction m_previous {};
};

} // namespace vex::host
