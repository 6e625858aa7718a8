#pragma once

#include "runtime/Text.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vex {

// Errors of a script run derive from std::exception (the standard exception class). Word
// implementations report a user's mistake by throwing EVexError with a message that names the
// word and the argument.
//
// Texts are byte strings, so a message that quotes one may hold any byte, NUL included: what()
// ends at the first NUL, Message() (and ErrorMessage below) keeps every byte.
struct TCodeNode;

class EVexError : public std::runtime_error {
public:
    explicit EVexError(const std::string& message)
        : std::runtime_error(message)
        , m_message(std::make_shared<const std::string>(message)) {}
    explicit EVexError(const char* message)
        : EVexError(std::string(message)) {}
    // An error of the word that `node` calls: the report names that word and its place.
    EVexError(const std::string& message, const TCodeNode& node)
        : EVexError(message) {
        Node = &node;
    }
    const std::string& Message() const noexcept { return *m_message; }

    // The call that failed, where the word that raised the error knows it; none otherwise (the
    // report then names the root of the code the error is contained in).
    const TCodeNode* Node = nullptr;

private:
    // Shared, so that copying the exception cannot fail.
    std::shared_ptr<const std::string> m_message;
};

// A fault of the system classes (external and processor faults, conversion and operating-system
// errors and the like): reported in a modal error box rather than the error window.
class ESystemFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The silent abort: the application's exception handler shows nothing for it.
class EAbortSignal : public std::exception {
public:
    const char* what() const noexcept override { return ""; }
};

// The end of a run that was asked to stop from outside without a question (an automation
// client's abort or time limit, Ctrl+C in the console runner): no handler of the run takes it,
// it unwinds to the entry operation, which hands it to the host's exception handler. Its message
// is empty, like every abort signal's.
class ERunAborted : public EAbortSignal {};

// The end of a run at its first error, when the host asks for that (THostInterface::
// StopsAtFirstError): raised right after the error was reported where it was contained, it
// passes every containment and ends the outermost run, which then counts as failed, not as
// aborted. Its message is empty: the error it follows has been reported.
class ERunStopped : public EAbortSignal {};

// Raised by a word to end the evaluation of the current compiled code early with a value.
class EVexReturn : public std::exception {
public:
    EVexReturn(double value, TText text)
        : Value(value)
        , Text(std::move(text)) {}
    const char* what() const noexcept override { return "Return"; }
    // The number and the text the evaluation ends with.
    double Value;
    TText Text;
};

struct TCodeNode;

// What the debugger's abort signal ends: the whole run; the node that can pause nearest to where
// it was raised, which then enters step mode (the person was asked and said stop); or one
// particular node, whose evaluation then ends with 0. A node is named by its identity, its
// address, which is never read through. The target is one pointer-wide value, so that keeping
// and dropping one costs what a pointer does: 0 for the whole run, 1 for the stop asked (no node
// lies at address 1), a node's address otherwise.
class TAbortTarget {
public:
    static constexpr TAbortTarget WholeRun() noexcept { return TAbortTarget(kWholeRun); }
    static constexpr TAbortTarget StopAsked() noexcept { return TAbortTarget(kStopAsked); }
    static TAbortTarget Node(const TCodeNode& node) noexcept {
        return TAbortTarget(reinterpret_cast<std::uintptr_t>(&node));
    }
    constexpr TAbortTarget() noexcept = default;

    constexpr bool IsWholeRun() const noexcept { return m_code == kWholeRun; }
    constexpr bool IsStopAsked() const noexcept { return m_code == kStopAsked; }
    // True when the target is `node` itself.
    bool IsNode(const TCodeNode& node) const noexcept {
        return m_code == reinterpret_cast<std::uintptr_t>(&node);
    }
    constexpr bool operator==(const TAbortTarget&) const noexcept = default;

private:
    static constexpr std::uintptr_t kWholeRun = 0;
    static constexpr std::uintptr_t kStopAsked = 1;
    explicit constexpr TAbortTarget(std::uintptr_t code) noexcept
        : m_code(code) {}

    std::uintptr_t m_code = kWholeRun;
};

// The debugger's abort signal, raised to end a run, a stepped node or the part of a run the
// person asked to stop (TAbortTarget).
class EDebugger : public EAbortSignal {
public:
    explicit EDebugger(TAbortTarget target)
        : Target(target) {}
    TAbortTarget Target;
};

// A frame of locals, or the nesting of user-defined words, does not fit any more.
class EVexStackOverflow : public std::runtime_error {
public:
    EVexStackOverflow()
        : std::runtime_error("Stack overflow") {}
};

// The balance of frames on the shared stack space is broken.
class EVexStackUnderflow : public std::runtime_error {
public:
    EVexStackUnderflow()
        : std::runtime_error("Stack underflow") {}
};

// The whole message of an error: every byte of an EVexError's, what() of any other.
inline std::string ErrorMessage(const std::exception& error) {
    if (const auto* vexError = dynamic_cast<const EVexError*>(&error)) {
        return vexError->Message();
    }
    return error.what();
}

// A message as a host prints it: every control byte but tab, line feed and carriage return is
// shown as \xNN (a NUL as \x00), so that nothing of it is lost or acts on the terminal.
inline std::string PrintableMessage(std::string_view message) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(message.size());
    for (const char ch : message) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 || ch == '\t' || ch == '\n' || ch == '\r') {
            shown += ch;
        } else {
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 15];
        }
    }
    return shown;
}

} // namespace vex
