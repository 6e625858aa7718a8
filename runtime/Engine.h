#pragma once

#include "runtime/CodeNode.h"
#include "runtime/LanguageInterpreter.h"
#include "runtime/Text.h"
#include "runtime/Variables.h"

#include <atomic>
#include <cstring>
#include <exception>

namespace vex {

// Deepest nesting of user-defined word calls; a deeper call raises EVexStackOverflow long before
// the native stack could run out.
inline constexpr int kMaxCallDepth = 2000;

// Evaluates a node without any check, hook or error containment: constants, variable reads and
// word calls (a built-in word through its implementation, a user-defined word through
// CallUserWord). Used for constant evaluation while parsing and by the two entries below.
double EvaluateNodePlain(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// EvaluateArgument's way for a debug run or a pending break request: answers the request and,
// while debugging, runs the debugger's hooks around the node.
double EvaluateArgumentChecked(TLanguageInterpreter& context, TCodeNode& node, TText& text);

// True when an argument cannot take the plain path: a debug run, or a break request pending.
inline bool NeedsCheckedPath(const TLanguageInterpreter& context) noexcept {
    return context.DebugStatePositive() ||
           context.BreakRequest.load(std::memory_order_relaxed) != 0;
}

// The entry word implementations use for their arguments: answers a pending break request and,
// while debugging, runs the debugger's hooks around the node.
//
// The call of a built-in word is made right here, so that every place that evaluates an argument
// has an indirect call of its own, which the processor predicts far better than one shared jump.
inline double EvaluateArgument(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (NeedsCheckedPath(context)) [[unlikely]] {
        return EvaluateArgumentChecked(context, node, text);
    }
    if (node.IsCall() && text.empty()) {
        auto& call = static_cast<TCallNode&>(node);
        if (call.WordNumber <= kBuiltInWordCount && call.Impl) [[likely]] {
            return call.Impl(call.ArgCount, call, text, context);
        }
    }
    return EvaluateNodePlain(context, node, text);
}

// The number of a node that needs no evaluation: a number constant, or a number variable within
// reach of an activation whose frame starts at `frameBase`. False for every other node.
inline bool ReadQuickNumber(const std::uint8_t* frameBase, const TCodeNode& node,
                            double& number) noexcept {
    if (node.IsNumberConstant()) {
        number = static_cast<const TConstantNode&>(node).Value;
        return true;
    }
    if (!node.IsVariable()) {
        return false;
    }
    const TVariable& var = *static_cast<const TVariableNode&>(node).Var;
    if (var.Kind != vkNumber && var.Kind != vkEightByte) {
        return false;
    }
    const std::uint8_t* address;
    if (var.Local) {
        if (!frameBase) {
            return false;
        }
        address = frameBase + var.Storage;
    } else {
        address = reinterpret_cast<const std::uint8_t*>(var.Storage);
    }
    std::memcpy(&number, address, sizeof number);
    return true;
}

// ReadQuickNumber in the current activation, outside a debug run: a debug run takes every node
// through its hooks, so then the answer is always false.
inline bool QuickNumber(const TLanguageInterpreter& context, const TCodeNode& node,
                        double& number) noexcept {
    return !context.DebugStatePositive() && ReadQuickNumber(context.FrameBase, node, number);
}

// EvaluateRoot's two ways: the plain evaluation of a call inside the one handler that contains
// its errors, and everything else (a debug run, a pending break request, a constant root).
double EvaluateRootContained(TLanguageInterpreter& context, TCodeNode& node, TText& text);
double EvaluateRootChecked(TLanguageInterpreter& context, TCodeNode& node, TText& text);

// Evaluates the root of a compiled code and contains every error of it: an EVexReturn gives its
// value and text, any other error is reported and gives 0. The abort signal passes on.
inline double EvaluateRoot(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (NeedsCheckedPath(context) || node.IsConstant()) [[unlikely]] {
        return EvaluateRootChecked(context, node, text);
    }
    return EvaluateRootContained(context, node, text);
}
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
