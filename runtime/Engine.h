#pragma once

#include "runtime/CodeNode.h"
#include "runtime/Text.h"

#include <exception>

namespace vex {

class TLanguageInterpreter;

// Deepest nesting of user-defined word calls; a deeper call raises EVexStackOverflow long before
// the native stack could run out.
inline constexpr int kMaxCallDepth = 2000;

// Evaluates a node without any check, hook or error containment: constants, variable reads and
// word calls (a built-in word through its implementation, a user-defined word through
// CallUserWord). Used for constant evaluation while parsing and by the two entries below.
double EvaluateNodePlain(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// The entry word implementations use for their arguments: answers a pending break request and,
// while debugging, runs the debugger's hooks around the node.
double EvaluateArgument(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// Evaluates the root of a compiled code and contains every error of it: an EVexReturn gives its
// value and text, any other error is reported and gives 0. The abort signal passes on.
double EvaluateRoot(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// Runs the body of a user-defined word in a fresh activation, with the call frame on the
// parameter stack.
double CallUserWord(TLanguageInterpreter& context, TCallNode& node, TText& text);
// Reports an error contained at `root`, naming the word of the root.
void ReportRuntimeError(TLanguageInterpreter& context, const TCodeNode& root,
                        const std::exception& error);

// For words that read the arguments of the user-defined word whose body runs: evaluates argument
// i (from 1) of that word's call in the caller's activation. Without such a call, or for an i
// outside the call's arguments, gives 0 and an empty text.
double EvaluateUserWordArgument(TLanguageInterpreter& context, int i, TText& text);
// The number of arguments of the running user-defined word's call (0 outside one).
int UserWordArgumentCount(const TLanguageInterpreter& context) noexcept;

// Word implementations: evaluate argument i (from 1) of a call node.
inline double EvaluateArg(TLanguageInterpreter& context, TCallNode& node, int i, TText& text) {
    return EvaluateArgument(context, *node.Arg(i), text);
}

} // namespace vex
