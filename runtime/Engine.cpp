#include "runtime/Engine.h"

#include "runtime/DebugEvaluation.h"
#include "runtime/SourcePlace.h"

#include <algorithm>
#include <any>
#include <cfenv>
#include <cstring>
#include <functional>
#include <new>
#include <system_error>
#include <typeinfo>
#include <variant>

namespace vex {

namespace {

// Faults of the system classes: shown in a modal box rather than the error window.
bool IsSystemFault(const std::exception& error) {
    return dynamic_cast<const ESystemFault*>(&error) ||
           dynamic_cast<const std::bad_alloc*>(&error) ||
           dynamic_cast<const std::bad_cast*>(&error) ||
           dynamic_cast<const std::bad_typeid*>(&error) ||
           dynamic_cast<const std::system_error*>(&error) ||
           dynamic_cast<const std::bad_variant_access*>(&error) ||
           dynamic_cast<const std::bad_any_cast*>(&error) ||
           dynamic_cast<const std::bad_function_call*>(&error) ||
           (dynamic_cast<const EAbortSignal*>(&error) && !dynamic_cast<const EDebugger*>(&error));
}

// The word whose name a runtime error carries: the word of the node that failed. A word whose
// definition failed is dormant, its name led by a blank, which the name leaves out.
std::string FailingWordName(const TLanguageInterpreter& context, const TCodeNode& failing) {
    std::string name = failing.IsCall() ? context.WordName(failing.WordNumber) : std::string();
    if (!name.empty() && name.front() == ' ') {
        name.erase(0, 1);
    }
    return name;
}

// The node that failed: the call the word that raised the error named, else the root of the
// code the error is contained in.
const TCodeNode& FailingNode(const TCodeNode& root, const std::exception& error) {
    const auto* vexError = dynamic_cast<const EVexError*>(&error);
    return vexError && vexError->Node ? *vexError->Node : root;
}

// The failing node's place in its file. A node of another tree is an argument that a
// user-defined word read from one of its callers, whose trees are searched; the root's place
// stands in when none holds it.
TSourcePlace FailingPlace(const TLanguageInterpreter& context, const TCodeNode& root,
                          const TCodeNode& failing) {
    TSourcePlace place = TLanguageInterpreter::PlaceOfNode(root, failing);
    if (place.Known() || &failing == &root) {
        return place;
    }
    const TParameterStack& calls = Parts(context).Stack.ParameterStack;
    for (int level = std::min(calls.Level, calls.Count); level-- > 0 && !place.Known();) {
        const TCodeNode* caller = calls.Items[static_cast<std::size_t>(level)].Caller.Root;
        if (caller) {
            place = TLanguageInterpreter::PlaceOfNode(*caller, failing);
        }
    }
    return place.Known() ? place : TLanguageInterpreter::PlaceOfNode(root, root);
}

bool InErrorGroup(const TCodeNode& root) {
    return root.IsCall() && root.WordNumber >= wnErrorGroupFirst &&
           root.WordNumber <= wnErrorGroupLast;
}

void ComposeAndReport(TLanguageInterpreter& context, const TCodeNode& root,
                      const std::exception& error) {
    const TCodeNode& failing = FailingNode(root, error);
    const TSourcePlace place = FailingPlace(context, root, failing);
    const TReportedPlaceScope reported(context, place);
    const std::string word = "\"" + FailingWordName(context, failing) + "\"";
    if (IsSystemFault(error)) {
        context.ReportFault(context.LanguageText(ltRuntimeError) + " " + word + ":" +
                            ErrorMessage(error));
    } else if (!InErrorGroup(root)) {
        context.ReportError(context.LanguageText(ltRuntimeError) + " " + word + ":" +
                            ErrorMessage(error));
    } else {
        context.ReportError(context.LanguageText(ltGroupError) + " " + word + ": " +
                            context.LanguageText(ltGroupErrorText));
    }
}

[[noreturn]] void ThrowNoImplementation(const TLanguageInterpreter& context,
                                        const TCallNode& call) {
    throw EVexError("the word \"" + context.WordName(call.WordNumber) + "\" has no implementation",
                    call);
}

// VariableAddress, inlined for the engine's own reads.
inline std::uint8_t* StorageOf(const TLanguageInterpreter& context, const TVariable& var) noexcept {
    if (var.Local) {
        const std::uint8_t* frameBase = Parts(context).Stack.FrameBase;
        return frameBase ? const_cast<std::uint8_t*>(frameBase) + var.Storage : nullptr;
    }
    return reinterpret_cast<std::uint8_t*>(var.Storage);
}

void AnswerBreakRequest(TLanguageInterpreter& context) {
    if (Parts(context).Debug.BreakRequest.load(std::memory_order_relaxed) != 0 &&
        ServeRunRequests(context)) {
        AskStop(context);
        Parts(context).Debug.ClearBreakRequests();
    }
}

// A word the parser registered early whose definition never gave it a body. A failed definition
// made the name dormant (a leading blank), which the message leaves out.
[[noreturn]] void ThrowNoBody(const TLanguageInterpreter& context, const TCallNode& call) {
    std::string name = context.WordName(call.WordNumber);
    if (!name.empty() && name.front() == ' ') {
        name.erase(0, 1);
    }
    throw EVexError(
        "the word \"" + name + "\" has no body: its definition has not run, or it failed", call);
}

// The rarer kinds of call: a built-in word without an implementation, or a user-defined word
// whose node was made without the entry (nodes the parser makes carry it).
[[gnu::noinline]] double EvaluateOtherCall(TLanguageInterpreter& context, TCallNode& call,
                                           TText& text) {
    if (call.WordNumber <= kBuiltInWordCount) {
        ThrowNoImplementation(context, call);
    }
    return CallUserWord(context, call, text);
}

// A call whose text out-parameter still holds a text: empties it first.
[[gnu::noinline]] double EvaluateCallAfterClearing(TLanguageInterpreter& context, TCallNode& call,
                                                   TText& text) {
    text.clear();
    return EvaluateNodePlain(context, call, text);
}

// Constants and variable reads; number constants and number variables first, which need no text.
[[gnu::noinline]] double EvaluateLeaf(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (node.IsNumberConstant()) {
        return static_cast<TConstantNode&>(node).Value;
    }
    if (node.IsVariable()) {
        const TVariable& var = *static_cast<TVariableNode&>(node).Var;
        std::uint8_t* address = StorageOf(context, var);
        if ((var.Kind == vkNumber || var.Kind == vkEightByte) && address) [[likely]] {
            text.clear();
            double value;
            std::memcpy(&value, address, sizeof value);
            return value;
        }
        return ReadVariable(context, var.Kind, address, text);
    }
    text = static_cast<TTextConstantNode&>(node).Text;
    return 0;
}

} // namespace

// Calls come first: leaves mostly never get here (word implementations read number constants
// and number variables in place, see QuickNumber). The common way, a built-in word with an empty
// text out-parameter, is a jump to the implementation with nothing saved; everything else goes
// to functions of its own, so that it costs this path nothing.
double EvaluateNodePlain(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (!node.IsCall()) [[unlikely]] {
        return EvaluateLeaf(context, node, text);
    }
    auto& call = static_cast<TCallNode&>(node);
    if (text.IsText()) [[unlikely]] {
        return EvaluateCallAfterClearing(context, call, text);
    }
    if (call.Impl) [[likely]] {
        return call.Impl(call.ArgCount, call, text, context);
    }
    return EvaluateOtherCall(context, call, text);
}

double ReturnValue(EVexReturn& signal, TText& text) {
    std::feclearexcept(FE_ALL_EXCEPT);
    text = std::move(signal.Text);
    return signal.Value;
}

double EvaluateArgumentChecked(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (Parts(context).Debug.DebugStatePositive()) {
        return EvaluateArgumentDebug(context, node, text);
    }
    AnswerBreakRequest(context);
    return EvaluateNodePlain(context, node, text);
}

double EvaluateRootPlain(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    return EvaluateRootInPlace(context, node, text);
}

double EvaluateRootChecked(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (Parts(context).Debug.DebugStatePositive()) {
        return EvaluateRootDebug(context, node, text);
    }
    AnswerBreakRequest(context);
    if (node.IsConstant()) {
        return EvaluateNodePlain(context, node, text);
    }
    return EvaluateRootPlain(context, node, text);
}

double CallUserWord(TLanguageInterpreter& context, TCallNode& node, TText& text) {
    TActivationStack& stack = Parts(context).Stack;
    stack.CurrentUserWord = node.WordNumber - 1;
    TSyntax* syntax = Parts(context).Registry.Syntax(node.WordNumber);
    if (!syntax || !syntax->Code.Code || !syntax->Code.Code->Root) {
        if (syntax && syntax->Provisional) {
            ThrowNoBody(context, node);
        }
        return 0;
    }
    stack.EnterNesting(NativeStackPosition());
    TCompiledCode* body = syntax->Code.Code;
    const TCompiledCode caller = stack.Current();
    try {
        PushParameters(stack.ParameterStack, caller, &node);
    } catch (...) {
        stack.LeaveNesting();
        throw;
    }
    const std::int32_t savedFunction = stack.CurrentFunctionWord;
    if (body->Root->HasParentLink()) {
        stack.CurrentFunctionWord = node.WordNumber;
    }
    const TCodeKind savedKind = stack.CodeKind;
    stack.CodeKind = TCodeKind::UserWordBody;
    ++syntax->ActiveCalls;
    struct Restore {
        TLanguageInterpreter& context;
        TSyntax* syntax;
        std::int32_t savedFunction;
        TCodeKind savedKind;
        ~Restore() {
            TActivationStack& stack = Parts(context).Stack;
            Parts(context).Registry.EndCall(syntax);
            stack.LeaveNesting();
            Parts(context).Debug.LeftNesting(stack.CallDepth);
            stack.CodeKind = savedKind;
            stack.CurrentFunctionWord = savedFunction;
            PopParameters(stack.ParameterStack);
        }
    } restore{context, syntax, savedFunction, savedKind};
    try {
        return context.EvaluateBody(*body, caller, text);
    } catch (const EDebugger&) {
        if (!Parts(context).Debug.Suppressed() && node.HasParentLink()) {
            EnterStepMode(context);
            return 0;
        }
        throw;
    } catch (EVexReturn& signal) {
        return ReturnValue(signal, text);
    }
}

double CallUserWordEntry(int, TCallNode& node, TText& text, TLanguageInterpreter& context) {
    return CallUserWord(context, node, text);
}

const TParameterFrame* CurrentCallFrame(const TLanguageInterpreter& context) noexcept {
    const TParameterStack& stack = Parts(context).Stack.ParameterStack;
    if (stack.Level < 1 || stack.Level > stack.Count) {
        return nullptr;
    }
    return &stack.Items[static_cast<std::size_t>(stack.Level - 1)];
}

int UserWordArgumentCount(const TLanguageInterpreter& context) noexcept {
    const TParameterFrame* frame = CurrentCallFrame(context);
    return frame ? frame->Node->ArgCount : 0;
}

// The argument is evaluated where the call was written: in the caller's activation and one level
// further down the parameter stack, so that an argument that itself reads arguments reaches the
// caller's own call.
double EvaluateUserWordArgument(TLanguageInterpreter& context, int i, TText& text) {
    const TParameterFrame* frame = CurrentCallFrame(context);
    if (!frame || i < 1 || i > frame->Node->ArgCount) {
        text.clear();
        return 0;
    }
    TCodeNode& argument = *frame->Node->Arg(i);
    double number;
    if (!Parts(context).Debug.DebugStatePositive() &&
        ReadQuickNumber(frame->Caller.FrameBase, argument, number)) {
        text.clear();
        return number;
    }
    // Arguments that read arguments reach down the parameter stack without nesting a run.
    TActivationStack& activations = Parts(context).Stack;
    activations.CheckNativeStack(NativeStackPosition());
    const TCompiledCode saved = activations.Current();
    TParameterStack& stack = activations.ParameterStack;
    const int savedLevel = stack.Level;
    activations.Set(frame->Caller);
    --stack.Level;
    struct Restore {
        TActivationStack& activations;
        const TCompiledCode& saved;
        int level;
        ~Restore() {
            activations.ParameterStack.Level = level;
            activations.Set(saved);
        }
    } restore{activations, saved, savedLevel};
    return EvaluateArgument(context, argument, text);
}

void ReportRuntimeError(TLanguageInterpreter& context, const TCodeNode& root,
                        const std::exception& error) {
    try {
        ComposeAndReport(context, root, error);
    } catch (const std::exception& failure) {
        context.ReportError(context.LanguageText(ltErrorWhileReporting) + "\r" +
                            ErrorMessage(failure));
    }
    if (context.Host().StopsAtFirstError()) {
        throw ERunStopped();
    }
}

} // namespace vex
