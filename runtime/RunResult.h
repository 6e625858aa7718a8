#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vex {

// An error reported while code ran or compiled: the runtime's message and, where the host knows
// it, the place (a host fills in the place while the error is reported; the runtime alone knows
// none).
struct TRunError {
    std::string Message;
    // The script file and the line and column (from 1) of the failing piece of code: the node
    // that failed (or, when the failing word did not tell, the root of the code the error was
    // contained in) where its text's place in the file is known (a statement of a script file,
    // a word body or handler written as a text constant there); else the line of the statement
    // that ran and column 0. Empty and 0 when no file was running.
    std::string File;
    int Line = 0;
    int Column = 0;
    // The whole place as a person reads it in front of the message ("bank.vex:12: word
    // "Square": "), with the handler and the user-defined word as well; empty when unknown.
    std::string Where;
    // A fault of the system classes: the host shows it in its error box instead of the list of
    // errors, so the error subscribers do not receive it; the run's result holds it all the same.
    bool Fault = false;

    // The place and the message, as the error window shows it.
    std::string Shown() const { return Where + Message; }
};

// How a run ended.
enum class TRunStatus : std::uint8_t {
    // Nothing was reported.
    Ok,
    // It reported at least one error (each compile error, contained runtime error or fault).
    Error,
    // An abort ended it (another thread's request, Ctrl+C, the debugger's Cancel); errors
    // reported before the abort are kept.
    Aborted,
};

// What a run gives back: how it ended, the number and the text of its (last) value, and every
// error reported while it ran, nested runs' included, in the order they were reported.
struct TRunResult {
    TRunStatus Status = TRunStatus::Ok;
    double Number = 0;
    std::string Text;
    std::vector<TRunError> Errors;

    bool Succeeded() const noexcept { return Status == TRunStatus::Ok; }
    bool Aborted() const noexcept { return Status == TRunStatus::Aborted; }
    // Records an error; an aborted run stays aborted.
    void Add(TRunError error) {
        Errors.push_back(std::move(error));
        if (Status == TRunStatus::Ok) {
            Status = TRunStatus::Error;
        }
    }
};

// What checking a text without running it gives: the errors its compiles reported (and those of
// anything the check carried out, such as a word definition) and how many statements compiled.
// A check that compiled nothing (an empty text, or nothing but a statement that never closes)
// says nothing of the syntax: it is not correct, and it reported no error either.
struct TCheckResult {
    TRunResult Outcome;
    int Compiled = 0;

    bool Correct() const noexcept { return Outcome.Succeeded() && Compiled > 0; }
    bool CompiledNothing() const noexcept { return Outcome.Succeeded() && Compiled == 0; }
};

// Receives every error a runtime context reports while it is subscribed (see
// TLanguageInterpreter::SubscribeErrors), with its place. Faults of the system classes, which
// the host shows in its error box, do not come here.
class TErrorSubscriber {
public:
    virtual void ErrorReported(const TRunError& error) = 0;

protected:
    ~TErrorSubscriber() = default;

private:
    friend class TLanguageInterpreter;
    // The context keeps its subscribers in a list through them, so that subscribing allocates
    // nothing.
    TErrorSubscriber* m_nextSubscriber = nullptr;
};

} // namespace vex
