#pragma once

// VexScript: the API for writing words.
//
// A built-in word is one function of the TWordImpl shape (CodeNode.h):
//
//   double Max(int argCount, TCallNode& node, TText& text, TLanguageInterpreter& context);
//
// It receives its call node with the unevaluated argument nodes, the caller's text
// out-parameter (already empty) and the context, and returns the number half of its result;
// a word that gives a text fills `text`. Arguments are lazy: a word evaluates those it needs,
// when it needs them and as often as it needs them, through EvaluateArg (or EvaluateArgument
// for a node at hand); QuickNumber reads a number constant or number variable in place without
// evaluating it, QuickText a text constant. A user's mistake is reported by throwing EVexError
// with a message that names the word and the argument; EVexReturn ends the evaluation of the
// current code early with a value (Exceptions.h).
//
// A word set is a table of TWordRow (WordRow.h), one row per word with its number, name,
// category, implementation, argument range, help text and example; the host registers the rows
// in number order with TLanguageInterpreter::RegisterBuiltInWord inside a TWordBatch. The word
// numbers the runtime itself acts on are named in WordNumbers.h.
//
// Words that read the arguments of the user-defined word whose body runs use
// EvaluateUserWordArgument; words that work on variables use the record and storage functions of
// Variables.h (VariableAddress, ReadVariable, ResetVariable). The code tree a word receives is
// described in CodeNode.h; numbers are written and read by FormatNumber and TextToNumber
// (NumberText.h).
//
// Besides VexScript.h this header brings in what words and tools over code need: the code tree
// (CodeNode.h), the word rows (WordRow.h), the fixed word numbers (WordNumbers.h), the syntax
// records (Syntax.h, CompiledCode.h), the variable records (Variables.h, SimpleStringList.h),
// the automation interfaces (AutomationInterface.h), the syntax line (SyntaxLine.h), the source
// traps (SourceTraps.h), and for the inline argument entry the context's hot parts (RunParts.h:
// ActivationStack.h, ParameterStack.h, DebugControl.h, CommandCounter.h). The word registry,
// the parser and the engine stay inside runtime/.

#include "runtime/AutomationInterface.h"
#include "runtime/CodeNode.h"
#include "runtime/RunParts.h"
#include "runtime/SourcePlace.h"
#include "runtime/SourceTraps.h"
#include "runtime/Syntax.h"
#include "runtime/SyntaxLine.h"
#include "runtime/Variables.h"
#include "runtime/VexScript.h"
#include "runtime/WordNumbers.h"
#include "runtime/WordRow.h"

#include <cstring>

namespace vex {

// True in a debug run: every node then goes through the debugger's hooks, so a word takes no
// shortcut past its arguments' evaluation.
inline bool IsDebugRun(const TLanguageInterpreter& context) noexcept {
    return RunParts(context).Debug.DebugStatePositive();
}
// True when the next node must take the checked path: a debug run or a pending break request.
inline bool NeedsCheckedPath(const TLanguageInterpreter& context) noexcept {
    return RunParts(context).Debug.NeedsCheckedPath();
}
// The frame of locals of the current activation (none for code without locals).
inline std::uint8_t* CurrentFrameBase(const TLanguageInterpreter& context) noexcept {
    return RunParts(context).Stack.FrameBase;
}
// The name of a word number that exists, without a copy: for a word that runs no script while it
// holds the name (a script may register words, which moves the names).
const std::string& WordNameAt(const TLanguageInterpreter& context, int wordNumber);
// The interface the last interface-valued read produced, or none.
TInterface* InterfaceRegisterObject(const TLanguageInterpreter& context) noexcept;

// Gives the built-in word of a number another implementation, for calls compiled from now on
// (a call copies its word's implementation when it is compiled). False, changing nothing, for a
// number that is no built-in word's. For a host, or a test, that puts a word of its own in the
// place of a standard one.
bool ReplaceWordImplementation(TLanguageInterpreter& context, int wordNumber,
                               TWordImpl implementation) noexcept;

// Evaluates a node without any check, hook or error containment: constants, variable reads and
// word calls (a built-in word through its implementation, a user-defined word through its
// body).
double EvaluateNodePlain(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// EvaluateArgument's way for a debug run or a pending break request: answers the request and,
// while debugging, runs the debugger's hooks around the node.
double EvaluateArgumentChecked(TLanguageInterpreter& context, TCodeNode& node, TText& text);

// EvaluateNodePlain with the call of a word made right here, so that every place that evaluates
// a node has an indirect call of its own, which the processor predicts far better than one
// shared jump. A call node carries the implementation of a built-in word or, for a user-defined
// word, the entry that runs its body.
inline double EvaluateNodeInPlace(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (node.IsCall() && !text.IsText()) {
        auto& call = static_cast<TCallNode&>(node);
        if (call.Impl) [[likely]] {
            return call.Impl(call.ArgCount, call, text, context);
        }
    }
    return EvaluateNodePlain(context, node, text);
}

// The entry word implementations use for their arguments: answers a pending break request and,
// while debugging, runs the debugger's hooks around the node.
inline double EvaluateArgument(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (RunParts(context).Debug.NeedsCheckedPath()) [[unlikely]] {
        return EvaluateArgumentChecked(context, node, text);
    }
    return EvaluateNodeInPlace(context, node, text);
}

// Evaluates argument i (from 1) of a call node.
inline double EvaluateArg(TLanguageInterpreter& context, TCallNode& node, int i, TText& text) {
    return EvaluateArgument(context, *node.Arg(i), text);
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
    return !RunParts(context).Debug.DebugStatePositive() &&
           ReadQuickNumber(RunParts(context).Stack.FrameBase, node, number);
}

// The text of a text constant read in place, outside a debug run, as QuickNumber reads numbers:
// no share of the text is taken. False for every other node, and always in a debug run.
inline bool QuickText(const TLanguageInterpreter& context, const TCodeNode& node,
                      std::string_view& text) noexcept {
    if (RunParts(context).Debug.DebugStatePositive() || !node.IsTextConstant()) {
        return false;
    }
    text = static_cast<const TTextConstantNode&>(node).Text.view();
    return true;
}

// For words that read the arguments of the user-defined word whose body runs: evaluates argument
// i (from 1) of that word's call in the caller's activation. Without such a call, or for an i
// outside the call's arguments, gives 0 and an empty text.
double EvaluateUserWordArgument(TLanguageInterpreter& context, int i, TText& text);
// The number of arguments of the running user-defined word's call (0 outside one).
int UserWordArgumentCount(const TLanguageInterpreter& context) noexcept;
// The node of argument i (from 1) of the running user-defined word's call, unevaluated, and in
// `callerFrame` the frame of the caller's activation, where EvaluateUserWordArgument would
// evaluate it; none without such a call or for an i outside the call's arguments. For words that
// read an argument without effects in place, as ReadQuickNumber does.
inline const TCodeNode* UserWordArgumentNode(const TLanguageInterpreter& context, int i,
                                             const std::uint8_t*& callerFrame) noexcept {
    const TParameterStack& stack = RunParts(context).Stack.ParameterStack;
    if (stack.Level < 1 || stack.Level > stack.Count) {
        return nullptr;
    }
    const TParameterFrame& frame = stack.Items[static_cast<std::size_t>(stack.Level - 1)];
    if (i < 1 || i > frame.Node->ArgCount) {
        return nullptr;
    }
    callerFrame = frame.Caller.FrameBase;
    return frame.Node->Arg(i);
}

} // namespace vex
